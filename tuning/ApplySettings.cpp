#include "tuning/ApplySettings.h"

#include <string>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"

namespace brisbolt {

namespace {
// "6666" is the program's own word for "the system's default".
constexpr std::int32_t DefaultMarker = 6666;
// What the default branch of the MTU writer is handed.
constexpr std::int32_t DefaultMtuArgument = 576;
}  // namespace

bool WindowsTunesItself() {
    if (WindowsVersion == 0) GetWindowsVersion();
    return IsLaterWindows();
}

ApplyOutcome ApplySettingsToSystem() {
    ApplyOutcome outcome;
    // Checked here, not in the writers: the uninstall still needs them to
    // give back a set saved under an earlier Windows.
    if (WindowsTunesItself()) {
        outcome.laterWindows = true;
        return outcome;
    }
    // Whatever may be written has its original kept first, also on a key
    // (a network card, a connection) added since the first saving.
    SaveOriginalsOfNewValues();
    auto count = [&outcome](bool written) { outcome.written += written ? 1 : 0; };
    count(SetSystemPMTUDiscovery(GetPMTUDiscover()));
    count(SetSystemPMTUBlackHoleDetect(GetPMTUBlackHoleDetect()));
    const std::int32_t ndi = GetNdi();
    count(ndi == -1 ? SetSystemNdiCacheSize(true, DefaultNdiText) : SetSystemNdiCacheSize(false, std::to_string(ndi)));
    count(SetSystemRcvWindow(GetRwin()));
    count(SetSystemKeepAlive(GetSka()));
    count(SetSystemTTL(GetTtl()));
    // A stored "6666" asks for the adapters' own MTU, as a missing one does.
    const std::int32_t mtu = GetMtu();
    count(mtu == -1 || mtu == DefaultMarker ? SetSystemMTU(true, DefaultMtuArgument) : SetSystemMTU(false, mtu));
    SetInit();
    return outcome;
}

}  // namespace brisbolt
