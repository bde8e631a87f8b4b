// Rounded button: clamps, bevel ring colours and regions, caption offsets and accelerator.
#include <gtest/gtest.h>

#include "skin/RoundedButtonMath.h"
#include "skin/SkinRoundButtonMath.h"

namespace brisbolt {
namespace {

std::vector<int> Greys(const std::vector<Rgb>& rings) {
    std::vector<int> out;
    for (const Rgb& c : rings) {
        EXPECT_TRUE(c.r == c.g && c.g == c.b);
        out.push_back(c.r);
    }
    return out;
}

TEST(SkinRoundedButtonRing, GreyLevelsFromTheRimInward) {
    Rgb black{0, 0, 0};
    EXPECT_EQ(Greys(ButtonRingColors(black, ResolveColor(clSilver), 10)),
              (std::vector<int>{0, 84, 115, 137, 154, 166, 176, 183, 188, 191}));
    // An odd width rounds up to an even number of rings.
    EXPECT_EQ(Greys(ButtonRingColors(black, ResolveColor(clWhite), 15)),
              (std::vector<int>{0, 89, 123, 149, 169, 185, 199, 211, 221, 229, 236, 242, 247, 250, 253, 255}));
}

TEST(SkinRoundedButtonRing, BlendsEachChannelFromTheFrameColour) {
    Rgb frame{200, 10, 100}, face{0, 250, 100};
    auto rings = ButtonRingColors(frame, face, 4);
    ASSERT_EQ(rings.size(), 4u);
    EXPECT_EQ(rings[0], frame);
    for (size_t i = 1; i < rings.size(); ++i) {
        EXPECT_LT(rings[i].r, rings[i - 1].r);
        EXPECT_GT(rings[i].g, rings[i - 1].g);
        EXPECT_EQ(rings[i].b, 100);
    }
}

TEST(SkinRoundedButtonRing, RegionsTurnSquareWhereTheRadiusRunsOut) {
    using K = ShapeRegion::Kind;
    // Radius 10 with 16 rings: 10 rounded rings, then plain rectangles.
    for (int i = 0; i < 16; ++i) {
        ShapeRegion r = ButtonRingRegion(TFShape::shRectangle, 127, 31, 10, i);
        if (i < 10) {
            EXPECT_EQ(r, (ShapeRegion{K::RoundRect, i + 1, i + 1, 127 - i, 31 - i, 20 - 2 * i, 20 - 2 * i})) << i;
        } else {
            EXPECT_EQ(r, (ShapeRegion{K::Rectangle, i + 1, i + 1, 126 - i, 30 - i, 0, 0})) << i;
        }
    }
    EXPECT_EQ(ButtonRingRegion(TFShape::shCapsule, 40, 20, 0, 3), (ShapeRegion{K::RoundRect, 4, 4, 37, 17, 14, 14}));
    EXPECT_EQ(ButtonRingRegion(TFShape::shOval, 40, 20, 0, 3), (ShapeRegion{K::Ellipse, 4, 4, 37, 17, 0, 0}));
}

TEST(SkinRoundedButton, FullSizeRegions) {
    using K = ShapeRegion::Kind;
    struct Case {
        TFShape shape;
        int radius;
        ShapeRegion expected;
    } cases[] = {
        {TFShape::shCapsule, 10, {K::RoundRect, 0, 0, 127, 31, 31, 31}},
        {TFShape::shOval, 10, {K::Ellipse, 0, 0, 127, 31, 0, 0}},
        {TFShape::shRectangle, 10, {K::RoundRect, 0, 0, 127, 31, 20, 20}},
        {TFShape::shRectangle, 0, {K::Rectangle, 0, 0, 126, 30, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ButtonShapeRegion(c.shape, 127, 31, c.radius), c.expected);
}

TEST(SkinRoundedButton, ClampFrameWidthAndCornerRadius) {
    struct Case {
        int value, width, height, frameWidth, cornerRadius;
    } cases[] = {
        {2, 127, 31, 4, 3},   {40, 127, 31, 15, 31}, {1, 33, 24, 4, 3},
        {50, 33, 24, 12, 24}, {10, 33, 24, 10, 10},  {-5, 6, 6, 3, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClampFrameWidth(c.value, c.width, c.height), c.frameWidth) << c.value;
        EXPECT_EQ(ClampCornerRadius(c.value, c.width, c.height), c.cornerRadius) << c.value;
    }
    EXPECT_EQ(LimitButtonExtent(200), 145);
    EXPECT_EQ(LimitButtonExtent(145), 145);
    EXPECT_EQ(LimitButtonExtent(31), 31);
}

TEST(SkinRoundedButton, CaptionShadowOffsetsAndDisabledLook) {
    struct Case {
        TTextStyle style;
        bool pressed, enabled;
        bool shadow;
        int shadowOffset, textOffset;
        Color shadowColor, textColor;
    } cases[] = {
        {TTextStyle::txNone, false, true, false, 0, 0, clBlack, clNavy},
        {TTextStyle::txNone, true, true, false, 0, 1, clBlack, clNavy},
        {TTextStyle::txNone, false, false, false, 0, 0, clBlack, clGray},
        {TTextStyle::txLowered, false, true, true, 1, 0, clBlack, clNavy},
        {TTextStyle::txLowered, true, true, true, 2, 0, clBlack, clNavy},
        {TTextStyle::txRaised, false, true, true, -1, 0, clBlack, clNavy},
        {TTextStyle::txRaised, true, true, true, -2, 0, clBlack, clNavy},
        {TTextStyle::txRaised, false, false, true, -1, 0, clGray, clNavy},
        {TTextStyle::txShadowed, false, true, true, 2, 0, clBlack, clNavy},
        {TTextStyle::txShadowed, true, true, true, 3, 0, clBlack, clNavy},
    };
    for (const auto& c : cases) {
        CaptionPlan p = PlanButtonCaption(c.style, c.pressed, c.enabled, clNavy);
        SCOPED_TRACE(int(c.style) * 10 + c.pressed * 2 + c.enabled);
        EXPECT_EQ(p.hasShadow, c.shadow);
        EXPECT_EQ(p.italicOnly, !c.enabled);
        if (c.shadow) {
            EXPECT_EQ(p.shadow.dx, c.shadowOffset);
            EXPECT_EQ(p.shadow.dy, c.shadowOffset);
            EXPECT_EQ(p.shadow.color, c.shadowColor);
        }
        EXPECT_EQ(p.text.dx, c.textOffset);
        EXPECT_EQ(p.text.color, c.textColor);
    }
    EXPECT_EQ(ButtonFaceOutline(true).inner, clBlack);
    EXPECT_EQ(ButtonFaceOutline(true).moved, clBtnHighlight);
    EXPECT_EQ(ButtonFaceOutline(false).moved, clBtnShadow);
}

// The letter DrawText underlines, so the key matches what the button shows.
TEST(SkinRoundedButton, CaptionAcceleratorSkipsDoubledAmpersands) {
    struct Case {
        const char* caption;
        char accelerator;
    } cases[] = {
        {"&Quit", 'Q'}, {"Re&boot Now", 'b'}, {"Save && Exit", 0}, {"&&", 0},    {"R&&D &Help", 'H'},
        {"&&&Go", 'G'}, {"&a&b", 'b'},        {"&a&&", 'a'},       {"Quit&", 0}, {"&", 0},
        {"", 0},        {"Cancel", 0},        {"&&&&", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(CaptionAccelerator(c.caption), c.accelerator) << c.caption;
}

TEST(SkinRoundButton, CircleOfTheSmallGlyphButton) {
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {
        {10, 10, true}, {1, 10, true}, {0, 10, false},  {10, 1, true},  {10, 19, true},
        {3, 3, false},  {4, 4, true},  {17, 17, false}, {16, 16, true}, {19, 10, true},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundButtonContains(20, 20, c.x, c.y), c.inside) << c.x << "," << c.y;
    GlyphOrigin g = RoundButtonGlyphOrigin(20, 20, 15, 15);
    EXPECT_EQ(g.x, 2);  // 2.5 rounds to even
    EXPECT_EQ(g.y, 1);
}

}  // namespace
}  // namespace brisbolt
