// Rounded button: clamps, bevel ring colours and regions, caption offsets and accelerator.
#include <gtest/gtest.h>

#include <utility>

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

// The dotted rectangle of the focused button: 3 pixels in at least, and in
// far enough that the pixel beyond each corner is still on the face.
TEST(SkinRoundedButton, FocusRectangleKeepsToTheFace) {
    using K = ShapeRegion::Kind;
    struct Case {
        const char* role;
        TFShape shape;
        int width, height, radius;
        ShapeRegion box;
    } cases[] = {
        {"command buttons and OK", TFShape::shRectangle, 127, 31, 10, {K::Rectangle, 4, 4, 123, 27, 0, 0}},
        // A corner ellipse 28 high on a face 24 high: the system narrows it.
        {"title buttons", TFShape::shRectangle, 33, 24, 14, {K::Rectangle, 5, 5, 28, 19, 0, 0}},
        {"the wizard's ?", TFShape::shRectangle, 34, 25, 14, {K::Rectangle, 5, 5, 29, 20, 0, 0}},
        {"square corners", TFShape::shRectangle, 40, 20, 0, {K::Rectangle, 3, 3, 37, 17, 0, 0}},
        {"capsule", TFShape::shCapsule, 78, 46, 10, {K::Rectangle, 8, 8, 70, 38, 0, 0}},
        {"oval", TFShape::shOval, 78, 46, 10, {K::Rectangle, 10, 10, 68, 36, 0, 0}},
        // Too small for a rectangle off the rim: it stops at the middle.
        {"tiny capsule", TFShape::shCapsule, 6, 6, 3, {K::Rectangle, 3, 3, 3, 3, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ButtonFocusRect(c.shape, c.width, c.height, c.radius), c.box) << c.role;
}

TEST(SkinRoundButton, FocusRectangleInsideTheCircle) {
    const struct {
        int width, height;
        FocusBox box;
    } cases[] = {{20, 20, {5, 5, 15, 15}}, {25, 25, {5, 5, 20, 20}}, {19, 18, {4, 4, 15, 14}}, {4, 4, {2, 2, 2, 2}}};
    for (const auto& c : cases) {
        const FocusBox box = RoundButtonFocusRect(c.width, c.height);
        EXPECT_EQ(box, c.box) << c.width << " x " << c.height;
        if (box.right <= box.left) continue;
        for (const auto [x, y] : {std::pair{box.left - 1, box.top - 1}, std::pair{box.right, box.bottom}})
            EXPECT_TRUE(RoundButtonContains(c.width, c.height, x, y)) << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace brisbolt
