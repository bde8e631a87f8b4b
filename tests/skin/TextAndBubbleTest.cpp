// The 3-D text copies, texture placement and the hint bubble's shapes.
#include <gtest/gtest.h>

#include "skin/Font3D.h"
#include "skin/HintBubble.h"
#include "skin/TextureLayout.h"

namespace brisbolt {
namespace {

TEST(SkinText3D, DisabledTextIsAHighlightAndAGreyCopyWhateverTheStyle) {
    TFont3D font;
    font.SetStyle3D(TStyle3D::fontOutLineShadow);
    const std::vector<TextCopy> expected{{0, 0, clBtnHighlight, false}, {-1, -1, clGrayText, false}};
    EXPECT_EQ(PlanText3D(font, false).copies, expected);
}

TEST(SkinText3D, ReliefAndRepetitionSitAroundTheText) {
    TFont3D font;
    font.SetStyle3D(TStyle3D::fontRaised);
    font.SetHighlight(clBlue);
    font.SetShadow(clNavy);
    EXPECT_EQ(PlanText3D(font, true).copies,
              (std::vector<TextCopy>{{-1, -1, clBlue, false}, {1, 1, clNavy, false}, {0, 0, clBlack, true}}));

    // Two repetitions on the shadow side, offset 2: copies at +2 and +1, and
    // the text and its relief stay where the repetition left them (0, 0).
    font.SetOffset(2);
    font.SetRepetition(TRepetition::repeatOnShadow);
    font.SetRepetitionwidth(2);
    font.SetStyle3D(TStyle3D::fontOnlyShadow);
    const Text3DPlan plan = PlanText3D(font, true);
    EXPECT_EQ(plan.shrinkX, 2);
    EXPECT_EQ(plan.copies,
              (std::vector<TextCopy>{
                  {2, 2, clBlack, false}, {1, 1, clBlack, false}, {2, 2, clNavy, false}, {0, 0, clBlack, true}}));
    EXPECT_EQ(font.DrawingWidth(), 6);

    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetOffset(0);  // refused, still signalled
    EXPECT_EQ(font.Offset(), 2);
    EXPECT_EQ(changes, 1);
}

TEST(SkinTexture, TilesCoverTheAreaAndTheCentreSitsInTheMiddle) {
    EXPECT_EQ(PlaceTexture(TImageStyle::isTile, 40, 20, 16, 16).size(), 6u);
    EXPECT_EQ(PlaceTexture(TImageStyle::isTile, 40, 20, 16, 16).back(), (TexturePlace{32, 16, 48, 32}));
    EXPECT_EQ(PlaceTexture(TImageStyle::isCenter, 40, 20, 16, 16).front(), (TexturePlace{12, 2, 28, 18}));
    EXPECT_EQ(PlaceTexture(TImageStyle::isCenter, 10, 10, 16, 16).front(), (TexturePlace{0, 0, 16, 16}));
    EXPECT_TRUE(PlaceTexture(TImageStyle::isStretched, 40, 20, 0, 0).empty());
}

TEST(SkinHintBubble, ShadowOnlyAlongTheRightAndBottomAndTextAt8And3) {
    const HintBubbleShape up = PlanHintBubble(THintDirection::dUpRight, 116, 35, false, true);
    EXPECT_TRUE(HintShadowDot(up, 114, 10));   // right strip
    EXPECT_FALSE(HintShadowDot(up, 113, 10));  // odd x + y
    EXPECT_TRUE(HintShadowDot(up, 20, 22));    // bottom strip
    EXPECT_FALSE(HintShadowDot(up, 50, 10));   // under the bubble's middle
    EXPECT_FALSE(HintShadowDot(up, 114, 6));   // above the shadow
    EXPECT_EQ(up.textLeft, 8);
    EXPECT_EQ(up.textTop, 3);
    EXPECT_FALSE(up.tail);

    const HintBubbleShape down = PlanHintBubble(THintDirection::dDownLeft, 116, 44, true, true);
    EXPECT_EQ(down.textTop, 18);
    EXPECT_EQ(down.boxes[0].rect, (BubbleRect{1, 15, 110, 36}));
    EXPECT_EQ(*down.tail, (std::vector<BubblePoint>{{88, 15}, {103, 15}, {110, 2}}));
    EXPECT_FALSE(down.shadowTail);
    const HintBubbleShape upLeft = PlanHintBubble(THintDirection::dUpLeft, 116, 35, true, true);
    EXPECT_EQ(*upLeft.shadowTail, (std::vector<BubblePoint>{{93, 20}, {106, 20}, {106, 35}}));
}

}  // namespace
}  // namespace brisbolt
