// Colour values as the forms store them. An RGB colour is kept in Windows
// COLORREF byte order, 0x00BBGGRR (so red is the low byte); a system colour is
// 0x80000000 | its COLOR_xxx index; clNone is 0x1FFFFFFF. System colours are
// resolved through a SystemColors table so this code needs no Windows call:
// the window code fills one from GetSysColor, tests use the classic scheme.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brisbolt {

using Color = std::uint32_t;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// From the 0xRRGGBB way colours are usually written down.
constexpr Color ColorFromHex(std::uint32_t rrggbb) {
    return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}
constexpr Color ColorFromRgb(Rgb c) { return Color(c.r) | (Color(c.g) << 8) | (Color(c.b) << 16); }

inline constexpr Color SystemColorFlag = 0x80000000u;
constexpr bool IsSystemColor(Color c) { return (c & 0xFF000000u) == SystemColorFlag; }
constexpr Color SystemColor(int index) { return SystemColorFlag | Color(index); }

inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clDefault = 0x20000000;
inline constexpr Color clBlack = 0x000000;
inline constexpr Color clMaroon = 0x000080;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clOlive = 0x008080;
inline constexpr Color clNavy = 0x800000;
inline constexpr Color clPurple = 0x800080;
inline constexpr Color clTeal = 0x808000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clLime = 0x00FF00;
inline constexpr Color clYellow = 0x00FFFF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clFuchsia = 0xFF00FF;
inline constexpr Color clAqua = 0xFFFF00;
inline constexpr Color clWhite = 0xFFFFFF;

inline constexpr Color clWindow = SystemColor(5);
inline constexpr Color clWindowText = SystemColor(8);
inline constexpr Color clBtnFace = SystemColor(15);
inline constexpr Color clBtnShadow = SystemColor(16);
inline constexpr Color clGrayText = SystemColor(17);
inline constexpr Color clBtnText = SystemColor(18);
inline constexpr Color clBtnHighlight = SystemColor(20);
inline constexpr Color cl3DDkShadow = SystemColor(21);
inline constexpr Color cl3DLight = SystemColor(22);

// The RGB value of every system colour index, as COLORREF values.
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

// Reads the stored colour forms: a name ("clRed", case-insensitive), a decimal
// number (negative for system colours) or "$" and hexadecimal digits.
std::optional<Color> ParseColor(std::string_view text);

}  // namespace brisbolt
