#include "app/HelpPage.h"

#include <shellapi.h>

#include <utility>

#include "runtime/SystemFunctions.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"

namespace brisbolt {

namespace {
HelpOpener& InstalledOpener() {
    static HelpOpener opener;
    return opener;
}
}  // namespace

HelpOpener SetHelpOpener(HelpOpener opener) { return std::exchange(InstalledOpener(), std::move(opener)); }

void OpenHelpPage(HWND parent) {
    const std::string folder = GetRegistryString(RootKey::LocalMachine, ProgramKey, "installdir");
    if (const HelpOpener& opener = InstalledOpener()) {
        opener(parent, HelpPageName, folder);
        return;
    }
    // SHELL32 is loaded here, not with the program.
    using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const auto execute = SystemFunctionAs<ExecuteFunction>("shell32.dll", "ShellExecuteA");
    if (execute) execute(parent, "open", HelpPageName, nullptr, folder.c_str(), SW_SHOWNORMAL);
}

}  // namespace brisbolt
