// Resolving colours for the painters.
#include <gtest/gtest.h>

#include "skin/SystemColorTable.h"

namespace brisbolt {
namespace {

TEST(SkinColors, ResolvesThroughTheSystemTable) {
    EXPECT_EQ(HexColor(0xFFFBBF), Color(0xBFFBFF));
    EXPECT_EQ(ResolveColor(HexColor(0x123456)), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(ResolveColor(clGrayText), (Rgb{128, 128, 128}));
    EXPECT_EQ(ResolveColor(clBtnHighlight), (Rgb{255, 255, 255}));
    SystemColors dark = SystemColors::Classic();
    dark.Set(17, HexColor(0x6D6D6D));
    EXPECT_EQ(ResolveColor(clGrayText, dark), (Rgb{0x6D, 0x6D, 0x6D}));
    EXPECT_EQ(ResolveColor(SystemColor(99), dark), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace brisbolt
