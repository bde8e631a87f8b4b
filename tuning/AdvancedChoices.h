// The Advanced window's choices as plain values: which radio button shows a
// value found in the system, and what each choice stores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/Registry.h"

namespace brisbolt {

// The MTU marker for "the system's own default".
inline constexpr std::int32_t MtuDefaultMarker = 6666;
// The MTUs that have a radio button of their own, in the group's order.
inline constexpr std::array<std::int32_t, 9> PresetMtus = {576, 1400, 1454, 1492, 1500, 4464, 8166, 17914, 65535};
// The items of the manual MTU box.
inline constexpr std::array<const char*, 6> ManualMtuItems = {"576", "1500", "4464", "8166", "17914", "65535"};
// A manual MTU must lie in this range (the smallest datagram every host takes, the largest there is).
inline constexpr std::int32_t LowestManualMtu = 68;
inline constexpr std::int32_t HighestManualMtu = 65535;

// Keep-alive intervals are milliseconds, as Windows keeps them.
inline constexpr std::int32_t MillisecondsPerMinute = 60000;
inline constexpr std::int32_t KeepAliveTenMinutes = 10 * MillisecondsPerMinute;
inline constexpr std::int32_t KeepAliveSixtyMinutes = 60 * MillisecondsPerMinute;
// The range and step of the manual keep-alive spin edit, in minutes.
inline constexpr std::int32_t MinKeepAliveMinutes = 5;
inline constexpr std::int32_t MaxKeepAliveMinutes = 60;

// Path-MTU discovery and black-hole detection: "YES" for 1 only.
inline bool SwitchOn(std::int32_t systemValue) { return systemValue == 1; }

struct MtuShown {
    enum class Kind { Default, Preset, Manual } kind = Kind::Default;
    std::int32_t currentMtu = 0;
    std::string comboText;  // the manual box's text: always the current MTU
    int comboItem = -1;     // the item with that text, or -1
};
MtuShown ShowMtuFor(std::int32_t systemMtu);
// The manual MTU box's text as an MTU; empty when it is not a whole number in range.
std::optional<std::int32_t> ParseManualMtu(std::string_view text);

enum class NdiChoice { Default, Sixteen, ThirtyTwo };
NdiChoice NdiChoiceFor(std::int32_t systemValue);
struct NdiStore {
    bool useDefault = false;
    std::string text;
};
// Only with the MTU left at its default does the NDI choice count; any
// other MTU stores the default marker.
NdiStore NdiStoreFor(bool mtuDefaultSelected, NdiChoice choice);

enum class KeepAliveChoice { Default, TenMinutes, SixtyMinutes, Manual };
struct KeepAliveShown {
    KeepAliveChoice choice = KeepAliveChoice::Default;
    std::int32_t minutes = MaxKeepAliveMinutes;  // Manual: within the spin edit's range
};
KeepAliveShown KeepAliveFor(std::int32_t systemValue);
std::int32_t KeepAliveToStore(KeepAliveChoice choice, std::int32_t spinMinutes);

enum class TtlChoice { Default, SixtyFour, OneTwentyEight };
TtlChoice TtlChoiceFor(std::int32_t systemValue);
// 32 for "Default Setting (32)" on both families.
std::int32_t TtlToStore(TtlChoice choice);

// The values of the settings record the window stores its choices in.
inline constexpr std::array<const char*, 8> AdvancedRecordNames = {
    "PMTUDiscover", "PMTUBlackHoleDetect", "line", "mtu", "ndi", "rwin", "ska", "ttl"};

// The window's values of the settings record, raw, as they were when it
// opened: leaving without accepting puts each back with its type and bytes,
// and deletes one that was missing.
class RecordCopy {
public:
    static RecordCopy Take();
    // Silent, as the record's setters are; false when the record could not
    // be opened or a value not be put back.
    bool PutBack() const;

private:
    std::vector<std::pair<const char*, std::optional<RawValue>>> values_;
};

}  // namespace brisbolt
