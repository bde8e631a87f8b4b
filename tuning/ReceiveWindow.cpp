#include "tuning/ReceiveWindow.h"

#include <algorithm>

namespace brisbolt {

namespace {
std::int32_t SpinMultiplier(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, MinRwinMultiplier, MaxRwinMultiplier));
}
}  // namespace

std::int32_t RwinLimit(bool nineX) { return nineX ? RwinLimit9x : RwinLimitNT; }

std::int32_t AssumedRwin(const std::string& connection, bool nineX, bool lineGood) {
    if (!nineX) {
        if (!lineGood) return RwinLimitNT;
        return connection == "N" ? 8760 : 524287;
    }
    std::int32_t good = 32767;
    if (connection == "M") good = 8192;
    if (connection == "N") good = 8760;
    if (connection == "C") good = 149600;
    return lineGood ? good : 2 * good;
}

std::int32_t UsableMtu(std::int32_t mtu) { return mtu <= SegmentOverhead ? FallbackMtu : mtu; }

std::int32_t FixedMultiplier(RwinChoice choice) {
    switch (choice) {
        case RwinChoice::Default:
        case RwinChoice::Times4: return 4;
        case RwinChoice::Times6: return 6;
        case RwinChoice::Times8: return 8;
        case RwinChoice::Times10: return 10;
        default: return 0;
    }
}

RwinChoice ButtonForMultiplier(std::int64_t multiplier) {
    switch (multiplier) {
        case 4: return RwinChoice::Times4;
        case 6: return RwinChoice::Times6;
        case 8: return RwinChoice::Times8;
        case 10: return RwinChoice::Times10;
        default: return RwinChoice::None;
    }
}

RwinShown ShowRwinFor(const RwinShowInput& input) {
    RwinShown shown;
    std::int64_t window = input.found;
    if (window == -1) {
        shown.defaultSelected = true;
        window = AssumedRwin(input.connection, input.nineX, !input.badSelected);
    } else if (input.lineChanged) {
        window = input.goodSelected ? window / 2 : window * 2;
    }
    shown.window = window;
    shown.currentMtu = UsableMtu(input.currentMtu);
    const std::int64_t multiplier = window / (shown.currentMtu - SegmentOverhead);
    if (multiplier == -1) return shown;
    shown.choice = ButtonForMultiplier(multiplier);
    if (shown.choice == RwinChoice::None) {
        shown.choice = RwinChoice::Manual;
        shown.spin = SpinMultiplier(multiplier);
    }
    return shown;
}

RwinStored StoreRwinFor(RwinChoice selected, std::int32_t spinValue, std::int32_t currentMtu, bool nineX) {
    const std::int64_t mss = UsableMtu(currentMtu) - SegmentOverhead;
    const std::int32_t fixed = FixedMultiplier(selected);
    const std::int64_t multiplier = fixed ? fixed : SpinMultiplier(spinValue);
    const std::int64_t rwin = multiplier * mss;
    const std::int32_t limit = RwinLimit(nineX);
    RwinStored stored;
    if (rwin <= limit) {
        stored.rwin = static_cast<std::int32_t>(rwin);
        return stored;
    }
    const std::int64_t fits = limit / mss;
    stored.rwin = limit;
    stored.capped = true;
    stored.spin = SpinMultiplier(fits);
    stored.select = ButtonForMultiplier(fits);
    return stored;
}

}  // namespace brisbolt
