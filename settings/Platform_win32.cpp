// The Windows side of the settings: the real registry and the system's
// version.
#include <windows.h>

#include <string>

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

}  // namespace brisbolt
