#include "tuning/AutomaticPresets.h"

#include <iterator>

#include "settings/ProgramSettings.h"

namespace brisbolt {

const AutomaticPreset& PresetFor(const std::string& code) {
    for (const AutomaticPreset& preset : AutomaticPresets)
        if (!preset.code || code == preset.code) return preset;
    return AutomaticPresets[std::size(AutomaticPresets) - 1];
}

std::string StoreAutomaticPreset() {
    const std::string code = GetConnect();
    SetTtlDefault();
    SetRwinDefault();
    SetPMTUDiscoverDefault();
    SetPMTUBlackHoleDetectDefault();
    SetLine(true);
    const AutomaticPreset& preset = PresetFor(code);
    SetMtu(false, preset.mtu);
    SetNdi(false, preset.ndi);
    if (preset.ttl) SetTtl(preset.ttl);
    if (preset.rwin) SetRwin(preset.rwin);
    return code;
}

}  // namespace brisbolt
