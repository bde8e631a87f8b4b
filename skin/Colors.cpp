#include "skin/Colors.h"

#include <cctype>
#include <charconv>

namespace brisbolt {
namespace {

SystemColors MakeClassic() {
    // Index order of the COLOR_xxx constants.
    constexpr std::uint32_t rrggbb[SystemColors::Count] = {
        0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0,
        0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,
        0xFFFFE1, 0xB5B5B5, 0x0000FF, 0x1084D0, 0xB5B5B5, 0x000080, 0xC0C0C0,
    };
    SystemColors s;
    for (int i = 0; i < SystemColors::Count; ++i) s.Set(i, ColorFromHex(rrggbb[i]));
    return s;
}

struct NamedColor {
    std::string_view name;
    Color value;
};

constexpr NamedColor Names[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clLtGray", clSilver}, {"clDkGray", clGray}, {"clNone", clNone}, {"clDefault", clDefault},
    {"clScrollBar", SystemColor(0)}, {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)}, {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)}, {"clWindow", SystemColor(5)}, {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)}, {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)}, {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)}, {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)}, {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)}, {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)}, {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)}, {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)}, {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)}, {"clInfoBk", SystemColor(24)},
};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const SystemColors& SystemColors::Classic() {
    static const SystemColors classic = MakeClassic();
    return classic;
}

Rgb ResolveColor(Color c, const SystemColors& system) {
    if (IsSystemColor(c)) c = system.Get(static_cast<int>(c & 0xFF));
    else if (c & 0xFF000000u) c = clBlack;
    return Rgb{static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
               static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

std::optional<Color> ParseColor(std::string_view text) {
    for (const auto& n : Names)
        if (SameName(n.name, text)) return n.value;
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '$') {
        std::uint32_t value = 0;
        auto [end, ec] = std::from_chars(first + 1, last, value, 16);
        if (ec != std::errc() || end != last || first + 1 == last) return std::nullopt;
        return value;
    }
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value, 10);
    if (ec != std::errc() || end != last || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return static_cast<Color>(static_cast<std::uint32_t>(value));
}

}  // namespace brisbolt
