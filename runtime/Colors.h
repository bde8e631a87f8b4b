// Colours as the windows use them: 0x00BBGGRR values, or a system colour
// (high bit set, low byte the system colour index) resolved when drawing.
// clNone means that no colour is given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brisbolt {

using TColor = std::int32_t;

constexpr TColor RGBColor(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
// From the 0xRRGGBB notation.
constexpr TColor HexColor(std::uint32_t rrggbb) {
    return RGBColor((rrggbb >> 16) & 255, (rrggbb >> 8) & 255, rrggbb & 255);
}
constexpr int RedOf(TColor c) { return c & 255; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 255; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 255; }

constexpr TColor SystemColor(int index) { return TColor(0x80000000u | unsigned(index)); }
constexpr bool IsSystemColor(TColor c) { return (std::uint32_t(c) & 0xFF000000u) == 0x80000000u; }

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
inline constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1), clActiveCaption = SystemColor(2),
                        clInactiveCaption = SystemColor(3), clMenu = SystemColor(4), clWindow = SystemColor(5),
                        clWindowFrame = SystemColor(6), clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                        clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                        clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                        clHighlight = SystemColor(13), clHighlightText = SystemColor(14), clBtnFace = SystemColor(15),
                        clBtnShadow = SystemColor(16), clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                        clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                        cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22), clInfoText = SystemColor(23),
                        clInfoBk = SystemColor(24);
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// "clRed", "$00FF0000" or decimal; empty when the text names no colour.
std::optional<TColor> StringToColor(std::string_view text);
// The name when the colour has one, else "$00BBGGRR".
std::string ColorToString(TColor color);

// Resolves a system colour to its current value; plain colours pass through.
// The Windows build asks the system; elsewhere the classic Windows scheme is used.
TColor ColorToRGB(TColor color);
TColor ClassicSystemColor(int index);

}  // namespace brisbolt
