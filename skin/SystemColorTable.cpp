#include "skin/SystemColorTable.h"

namespace brisbolt {

const SystemColors& SystemColors::Classic() {
    static const SystemColors classic = [] {
        SystemColors s;
        for (int i = 0; i < Count; ++i) s.Set(i, ClassicSystemColor(i));
        return s;
    }();
    return classic;
}

Rgb ResolveColor(Color c, const SystemColors& system) {
    if (IsSystemColor(c))
        c = system.Get(c & 0xFF);
    else if (std::uint32_t(c) & 0xFF000000u)
        c = clBlack;
    return Rgb{static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
               static_cast<std::uint8_t>(BlueOf(c))};
}

}  // namespace brisbolt
