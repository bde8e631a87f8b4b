#include "app/HelpPage.h"

#include <shellapi.h>

#include <utility>

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
    ShellExecuteA(parent, "open", HelpPageName, nullptr, folder.c_str(), SW_SHOWNORMAL);
}

}  // namespace brisbolt
