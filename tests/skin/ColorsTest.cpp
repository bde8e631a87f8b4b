// Stored colour forms and system colour resolution.
#include <gtest/gtest.h>

#include "skin/Colors.h"

namespace brisbolt {
namespace {

TEST(SkinColors, ReadsEveryStoredForm) {
    struct Case {
        const char* text;
        std::optional<Color> expected;
    } cases[] = {
        {"clRed", clRed},        {"CLRED", clRed},           {"clGrayText", clGrayText},
        {"$00FF0000", clBlue},   {"$ff", clRed},             {"255", clRed},
        {"-2147483633", clBtnFace}, {"clNone", clNone},     {"", std::nullopt},
        {"$", std::nullopt},     {"12x", std::nullopt},      {"clPink", std::nullopt},
        {"4294967296", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseColor(c.text), c.expected) << c.text;
}

TEST(SkinColors, ResolvesThroughTheSystemTable) {
    EXPECT_EQ(ColorFromHex(0xFFFBBF), Color(0xBFFBFF));
    EXPECT_EQ(ResolveColor(ColorFromHex(0x123456)), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(ResolveColor(clGrayText), (Rgb{128, 128, 128}));
    EXPECT_EQ(ResolveColor(clBtnHighlight), (Rgb{255, 255, 255}));
    SystemColors dark = SystemColors::Classic();
    dark.Set(17, ColorFromHex(0x6D6D6D));
    EXPECT_EQ(ResolveColor(clGrayText, dark), (Rgb{0x6D, 0x6D, 0x6D}));
    EXPECT_EQ(ResolveColor(SystemColor(99), dark), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace brisbolt
