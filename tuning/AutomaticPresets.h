// The fixed set of tuning values stored for each connection type when the
// user chooses "Automatic".
#pragma once

#include <cstdint>
#include <string>

namespace brisbolt {

// One column of the preset table. A zero rwin or ttl keeps the family
// default stored before it.
struct AutomaticPreset {
    const char* code;  // null: every code not listed
    std::int32_t mtu;
    const char* ndi;
    std::int32_t rwin;
    std::int32_t ttl;
};

inline constexpr std::int32_t PresetRwin = 149600;
inline constexpr std::int32_t PresetCableTtl = 64;

inline constexpr AutomaticPreset AutomaticPresets[] = {
    {"M", 576, "16", 0, 0},
    {"D1", 1500, "32", PresetRwin, 0},
    {"D2", 1492, "32", PresetRwin, 0},
    {"D3", 1400, "32", PresetRwin, 0},
    {"C", 1500, "32", PresetRwin, PresetCableTtl},
    {nullptr, 1500, "32", PresetRwin, 0},
};

// The column of a code, compared exactly; the last one for any other code
// ("N", the empty code, "-2" for a stored "Modem", lower case, anything).
const AutomaticPreset& PresetFor(const std::string& code);

// Stores the preset of the connection type held in the settings record (not
// the one a window may hold in memory): the family defaults of "ttl" and
// "rwin", path-MTU discovery on, black-hole detection off, a good line, then
// the values of the code's column. "ska" is left as it is. Write failures
// are not examined. Returns the code it read.
std::string StoreAutomaticPreset();

}  // namespace brisbolt
