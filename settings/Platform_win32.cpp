// The Windows side of the portable core: the real registry, the system's
// version and the system's message boxes.
#include <windows.h>

#include <string>

#include "runtime/Dialogs.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"
#include "settings/Win32Registry.h"

namespace brisbolt {

RegistryBackend& DefaultRegistry() {
    static Win32Registry registry;
    return registry;
}

std::optional<SystemVersion> QuerySystemVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // the 148-byte structure
    if (!GetVersionExA(&info)) return std::nullopt;
    return SystemVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId};
}

bool QueryWinsock2() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 12) return true;  // cannot tell: assume the update
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    path += "WS2_32.DLL";
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int SystemDialog(DialogKind kind, const std::string& text) {
    HWND owner = GetActiveWindow();
    if (kind == DialogKind::Question)
        return MessageBoxA(owner, text.c_str(), "Brisbolt", MB_YESNO | MB_ICONINFORMATION);
    return MessageBoxA(owner, text.c_str(), "Brisbolt", MB_OK);
}

}  // namespace brisbolt

#include "runtime/Colors.h"

namespace brisbolt {
TColor ColorToRGB(TColor color) {
    return IsSystemColor(color) ? static_cast<TColor>(GetSysColor(color & 0xFF)) : color;
}
}  // namespace brisbolt
