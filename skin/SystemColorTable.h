// Colours for the painters' arithmetic. Colour values are the runtime's
// TColor (Windows COLORREF byte order, 0x00BBGGRR, or a system colour). The
// system colours resolve through a table handed in, so this code makes no
// Windows call: the window code fills a table from ColorToRGB, tests use the
// classic scheme.
#pragma once

#include "runtime/Colors.h"

#include <array>
#include <cstdint>

namespace brisbolt {

using Color = TColor;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Color ColorFromRgb(Rgb c) { return RGBColor(c.r, c.g, c.b); }

class SystemColors {
public:
    static constexpr int Count = 31;
    // The classic grey Windows scheme.
    static const SystemColors& Classic();

    Color Get(int index) const { return index >= 0 && index < Count ? table_[index] : clBlack; }
    void Set(int index, Color value) {
        if (index >= 0 && index < Count) table_[index] = value & 0xFFFFFF;
    }

private:
    std::array<Color, Count> table_{};
};

// The RGB a colour stands for; system colours through the table. clNone and
// clDefault have none and come out black: callers test for them first.
Rgb ResolveColor(Color c, const SystemColors& system = SystemColors::Classic());

}  // namespace brisbolt
