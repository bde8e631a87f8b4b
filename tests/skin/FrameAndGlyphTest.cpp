// Frame rings and insets; glyph image choice and grey levels.
#include <gtest/gtest.h>

#include "skin/GlyphLevels.h"
#include "skin/SkinFrame.h"

namespace brisbolt {
namespace {

TEST(SkinFrame, FramedDownDrawsTwoRingsTheOtherWayRound) {
    TSkinFrame f;
    f.SetFrameStyle(TFrameStyle::frameFramedDown);
    EXPECT_EQ(f.FrameInset(), 2);
    auto lines = FrameLines(f, 0, 0, 10, 8);
    std::vector<FrameLine> expected = {
        {0, 7, 0, 0, clBtnShadow},     {0, 0, 9, 0, clBtnShadow},    {9, 0, 9, 7, clBtnHighlight},
        {9, 7, -1, 7, clBtnHighlight}, {1, 6, 1, 1, clBtnHighlight}, {1, 1, 8, 1, clBtnHighlight},
        {8, 1, 8, 6, clBtnShadow},     {8, 6, 0, 6, clBtnShadow},
    };
    EXPECT_EQ(lines, expected);
}

TEST(SkinFrame, InsetsAndRingsPerStyle) {
    struct Case {
        TFrameStyle style;
        int inset;     // with FrameWidth 3
        size_t lines;  // all edges
    } cases[] = {
        {TFrameStyle::frameSolid, 3, 12},         {TFrameStyle::frameRaised, 3, 12},
        {TFrameStyle::frameLowered, 3, 12},       {TFrameStyle::frameNone, 0, 0},
        {TFrameStyle::frameFramedUp, 6, 24},      {TFrameStyle::frameFramedDown, 6, 24},
        {TFrameStyle::framePanelUp, 6, 18},       {TFrameStyle::framePanelDown, 6, 18},
        {TFrameStyle::frameLightBordered, 6, 18},
    };
    for (const auto& c : cases) {
        TSkinFrame f;
        f.SetFrameStyle(c.style);
        f.SetFrameWidth(3);
        EXPECT_EQ(f.FrameInset(), c.inset) << int(c.style);
        auto lines = FrameLines(f, 0, 0, 40, 30);
        EXPECT_EQ(lines.size(), c.lines) << int(c.style);
        for (const auto& l : lines) EXPECT_NE(l.color, clNone);
    }
}

TEST(SkinFrame, EdgesAndZeroWidth) {
    TSkinFrame f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetFrameWidth(0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(f.FrameWidth(), 1);
    f.SetEdges(EdgeTop | EdgeRight);
    EXPECT_EQ(changes, 1);
    auto lines = FrameLines(f, 2, 2, 12, 12);
    EXPECT_EQ(lines, (std::vector<FrameLine>{{2, 2, 11, 2, clBtnHighlight}, {11, 2, 11, 11, clBtnShadow}}));
}

TEST(SkinGlyph, ImageChoice) {
    struct Case {
        int numGlyphs;
        bool enabled, pressed, ghosted;
        GlyphChoice expected;
    } cases[] = {
        {1, true, false, false, {0, 0}}, {1, true, true, false, {0, 0}},  {2, true, true, false, {0, 0}},
        {3, true, true, false, {1, 0}},  {4, false, true, false, {3, 2}}, {1, false, false, false, {0, 2}},
        {3, true, false, true, {0, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseGlyphImage(c.numGlyphs, c.enabled, c.pressed, c.ghosted), c.expected) << c.numGlyphs;
}

TEST(SkinGlyph, RecolouringLevels) {
    struct Case {
        Rgb pixel;
        int level;
        Color expected;
    } cases[] = {
        {{255, 255, 255}, 1, clBtnFace},   {{179, 179, 178}, 1, clBtnFace},      {{179, 179, 177}, 1, clBtnHighlight},
        {{92, 92, 91}, 1, clBtnHighlight}, {{92, 91, 91}, 1, clBtnShadow},       {{20, 20, 16}, 1, clBtnShadow},
        {{20, 20, 15}, 1, clBlack},        {{255, 255, 255}, 2, clBtnHighlight}, {{183, 183, 183}, 2, clBtnHighlight},
        {{183, 183, 182}, 2, clBtnShadow}, {{37, 37, 37}, 2, clBtnShadow},       {{37, 37, 36}, 2, clBlack},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlyphLevelColor(c.pixel, c.level), c.expected) << int(c.pixel.r) + c.pixel.g + c.pixel.b;
}

TEST(SkinGlyph, StripSizes) {
    EXPECT_EQ(GlyphWidth(0, 1), 0);
    EXPECT_EQ(GlyphWidth(15, 1), 15);
    EXPECT_EQ(GlyphWidth(45, 3), 15);
    EXPECT_EQ(GlyphWidth(10, 4), 2);  // 2.5 rounds to even
    EXPECT_EQ(GlyphCountFor(60, 15), 4);
    EXPECT_EQ(GlyphCountFor(75, 15), 1);
    EXPECT_EQ(GlyphCountFor(50, 15), 1);
    EXPECT_EQ(GlyphCountFor(0, 0), 1);
}

}  // namespace
}  // namespace brisbolt
