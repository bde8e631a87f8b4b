// The receive-window arithmetic of the Advanced window. The window is chosen
// as a multiple of the segment size (MSS = MTU - 40), capped at what each
// Windows family accepts, and follows the MTU and the line condition.
#pragma once

#include <cstdint>
#include <string>

namespace brisbolt {

// The largest receive window stored on each family.
inline constexpr std::int32_t RwinLimit9x = 65535;
inline constexpr std::int32_t RwinLimitNT = 1048575;
// IP and TCP headers: what an MTU leaves for a segment.
inline constexpr std::int32_t SegmentOverhead = 40;
// The MTU the arithmetic falls back on.
inline constexpr std::int32_t FallbackMtu = 576;
// The range of the manual multiplier's spin edit.
inline constexpr std::int32_t MinRwinMultiplier = 1;
inline constexpr std::int32_t MaxRwinMultiplier = 113;

// The radio buttons of the receive-window group; None: no button.
enum class RwinChoice { None, Default, Times4, Times6, Times8, Times10, Manual };

std::int32_t RwinLimit(bool nineX);
// The window assumed when the system or the record holds none, by
// connection code, family and line condition.
std::int32_t AssumedRwin(const std::string& connection, bool nineX, bool lineGood);
// An MTU that leaves no room for a segment (0 included) counts as 576.
std::int32_t UsableMtu(std::int32_t mtu);
// The multiplier of a "x MSS" button or of "Default Setting"; 0 for the others.
std::int32_t FixedMultiplier(RwinChoice choice);
// The "x MSS" button for 4, 6, 8 or 10; None for any other multiplier.
RwinChoice ButtonForMultiplier(std::int64_t multiplier);

// What the group shows for a window found in the system or the record.
struct RwinShowInput {
    std::int32_t found = -1;  // -1: none found
    std::string connection;
    bool nineX = false;
    bool goodSelected = false;
    bool badSelected = false;
    bool lineChanged = false;  // halve on a change to Good, double on one to Bad
    std::int32_t currentMtu = 0;
};
struct RwinShown {
    std::int64_t window = 0;  // the number shown in bytes
    std::int32_t currentMtu = 0;
    bool defaultSelected = false;  // nothing found: "Default Setting" first
    // A multiplier button, Manual, or None (the selection stays as it is).
    RwinChoice choice = RwinChoice::None;
    std::int32_t spin = 0;  // Manual: the multiplier within the spin edit's range
};
RwinShown ShowRwinFor(const RwinShowInput& input);

// What storing the chosen multiple gives.
struct RwinStored {
    std::int32_t rwin = 0;
    bool capped = false;
    // When capped: the spin edit's new value, and the button for it (None: keep the selection).
    std::int32_t spin = 0;
    RwinChoice select = RwinChoice::None;
};
RwinStored StoreRwinFor(RwinChoice selected, std::int32_t spinValue, std::int32_t currentMtu, bool nineX);

}  // namespace brisbolt
