// Gradient steps and bands, checked on a small raster of the plan; what
// assigning one painter's settings to another carries.
#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <type_traits>

#include "skin/BrushFill.h"
#include "skin/Font3D.h"
#include "skin/GradientFill.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMath.h"

namespace brisbolt {
namespace {

// Paints the rectangle-like strokes of a plan, clipped, later over earlier.
std::vector<Rgb> Raster(const GradientPlan& plan, int w, int h) {
    std::vector<Rgb> px(size_t(w) * h, plan.background);
    for (const auto& s : plan.strokes) {
        int l = s.left, t = s.top, r = s.right, b = s.bottom;
        if (s.kind == GradientStroke::Kind::Band) l = 0, r = w;
        if (s.kind == GradientStroke::Kind::Column) t = 0, b = h;
        if (s.kind == GradientStroke::Kind::Line || s.kind == GradientStroke::Kind::Ellipse) continue;
        for (int y = std::max(t, 0); y < std::min(b, h); ++y)
            for (int x = std::max(l, 0); x < std::min(r, w); ++x) px[size_t(y) * w + x] = s.color;
    }
    return px;
}

TEST(GradientMulDiv, HalvesAwayFromZeroAndFailures) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {1, 3, 2, 2}, {-1, 3, 2, -2}, {1, -128, 31, -4}, {5, -128, 31, -21}, {2, 128, 32, 8},
        {1, 1, 3, 0}, {2, 1, 3, 1},   {7, 5, -2, -18},   {1, 1, 0, -1},      {65536, 65536, 1, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(42.3333), 42);
}

Rgb GreyLevel(int level) { return Rgb{uint8_t(level), uint8_t(level), uint8_t(level)}; }

TEST(GradientFill, HandWorkedPixelsOfSmallGradients) {
    // 0, 1: clGrayText (128) to black over 127 rows in 32 steps: bands of
    // 4 rows (128 / 32), step i at 128 - 128 * i / 31 rounded, the last 0
    // raised to 1; backwards from black, 128 * i / 31. 2: white to black in
    // 3 steps over 9 columns: columns 10 * i / 3 to 10 * (i + 2) / 3 rounded,
    // the middle step 255 - 127.5, the half rounded away from zero.
    const struct {
        GradientStyle style;
        Color begin, end;
        int steps, w, h;
        bool forward;
    } gradients[] = {
        {GradientStyle::Horizontal, clGrayText, clBlack, 32, 10, 127, true},
        {GradientStyle::Horizontal, clGrayText, clBlack, 32, 10, 127, false},
        {GradientStyle::Vertical, clWhite, clBlack, 3, 9, 2, true},
    };
    const struct {
        int gradient, x, y, level;
    } pixels[] = {
        {0, 0, 0, 128}, {0, 9, 3, 128}, {0, 0, 4, 124},   {0, 9, 7, 124},   {0, 5, 32, 95},   {0, 5, 60, 66},
        {0, 5, 63, 66}, {0, 5, 64, 62}, {0, 0, 120, 4},   {0, 9, 123, 4},   {0, 0, 124, 1},   {0, 9, 126, 1},
        {1, 0, 0, 1},   {1, 9, 3, 1},   {1, 0, 4, 4},     {1, 9, 5, 4},     {1, 5, 32, 33},   {1, 5, 60, 62},
        {1, 5, 63, 62}, {1, 5, 64, 66}, {1, 0, 120, 124}, {1, 9, 123, 124}, {1, 0, 124, 128}, {1, 9, 126, 128},
        {2, 0, 0, 255}, {2, 2, 1, 255}, {2, 3, 0, 127},   {2, 6, 1, 127},   {2, 7, 0, 1},     {2, 8, 1, 1},
    };
    for (int g = 0; g < int(std::size(gradients)); ++g) {
        const auto& c = gradients[g];
        TGradientFill fill;
        fill.SetFillStyle(c.style);
        fill.SetBeginColor(c.begin);
        fill.SetEndColor(c.end);
        fill.SetColorCount(c.steps);
        const auto px = Raster(PlanGradient(fill, c.w, c.h, c.forward), c.w, c.h);
        for (const auto& p : pixels)
            if (p.gradient == g)
                EXPECT_EQ(px[size_t(p.y) * c.w + p.x], GreyLevel(p.level))
                    << "gradient " << g << " at " << p.x << "," << p.y;
    }
}

TEST(GradientFill, TheGrayTextBandsAreFourRowsEachAndEveryOneDarker) {
    TGradientFill fill;
    fill.SetBeginColor(clGrayText);
    fill.SetEndColor(clBlack);
    const auto px = Raster(PlanGradient(fill, 10, 127, true), 10, 127);
    for (int y = 0; y < 127; ++y) {
        const Rgb& row = px[size_t(y) * 10];
        ASSERT_EQ(px[size_t(y) * 10 + 9], row) << "row " << y;  // the full width
        ASSERT_TRUE(row.r == row.g && row.g == row.b) << "row " << y;
        if (y == 0) continue;
        const Rgb& above = px[size_t(y - 1) * 10];
        if (y % 4 == 0)
            ASSERT_LT(row.r, above.r) << "row " << y;
        else
            ASSERT_EQ(row, above) << "row " << y;
    }
}

TEST(GradientFill, ColorCountAcceptsOnlyTwoTo255ButAlwaysSignals) {
    TGradientFill fill;
    int changes = 0;
    fill.OnChange = [&] { ++changes; };
    struct Case {
        int value, kept;
    } cases[] = {{1, 32}, {256, 32}, {2, 2}, {255, 255}, {0, 255}, {-3, 255}, {64, 64}};
    for (const auto& c : cases) {
        fill.SetColorCount(c.value);
        EXPECT_EQ(fill.ColorCount(), c.kept) << c.value;
    }
    EXPECT_EQ(changes, 7);
}

TEST(GradientFill, ColoursInBetweenMakeEqualSegments) {
    TGradientFill fill;
    fill.SetBeginColor(clRed);
    fill.SetEndColor(clBlue);
    fill.SetColorsInBetween({"clLime", "$00FFFF", "not a colour"});
    fill.SetColorCount(4);
    auto plan = PlanGradient(fill, 4, 90, true);
    // Three segments of four steps, each segment over a third of the rows.
    ASSERT_EQ(plan.strokes.size(), 12u);
    auto px = Raster(plan, 4, 90);
    EXPECT_EQ(px[0], (Rgb{255, 1, 1}));
    EXPECT_EQ(px[size_t(29) * 4], (Rgb{1, 255, 1}));
    EXPECT_EQ(px[size_t(31) * 4], (Rgb{1, 255, 1}));
    EXPECT_EQ(px[size_t(60) * 4], (Rgb{255, 255, 1}));
    EXPECT_EQ(px[size_t(89) * 4], (Rgb{1, 1, 255}));
    EXPECT_EQ(plan.strokes[4].top, 31);  // sH = Round(90 / 3) + 1
}

TEST(GradientFill, EveryStyleStaysNearTheArea) {
    // Each style yields shapes for every step, anchored within one step size
    // of the area, and no colour with a zero channel (except Spectral's V).
    for (int s = 0; s <= int(GradientStyle::HorizontalDoppelBar); ++s) {
        TGradientFill fill;
        fill.SetFillStyle(GradientStyle(s));
        fill.SetBeginColor(clBlack);
        fill.SetEndColor(clWhite);
        fill.SetColorCount(8);
        auto plan = PlanGradient(fill, 60, 40, true);
        SCOPED_TRACE(s);
        ASSERT_GE(plan.strokes.size(), 8u);
        for (const auto& st : plan.strokes) {
            EXPECT_GE(st.left, -62);
            EXPECT_LE(st.right, 122);
            EXPECT_GE(st.top, -42);
            EXPECT_LE(st.bottom, 82);
            if (GradientStyle(s) != GradientStyle::Spectral) {
                EXPECT_NE(st.color.r, 0);
            }
        }
        if (GradientStyle(s) == GradientStyle::Spectral) continue;
        EXPECT_EQ(plan.strokes.front().color, (Rgb{1, 1, 1}));
        EXPECT_EQ(plan.strokes.back().color, (Rgb{255, 255, 255}));
    }
}

TEST(GradientFill, DoppelBarsStartWithTheFirstColourAtEachBarsEdge) {
    TGradientFill fill;
    fill.SetFillStyle(GradientStyle::HorizontalDoppelBar);
    fill.SetBeginColor(clWhite);
    fill.SetEndColor(clNavy);
    auto plan = PlanGradient(fill, 8, 90, true);
    // The first step: bars just below the top, just above and below two thirds.
    using K = GradientStroke::Kind;
    EXPECT_EQ(plan.strokes[0], (GradientStroke{K::Band, 0, 1, 8, 2, {255, 255, 255}}));
    EXPECT_EQ(plan.strokes[1], (GradientStroke{K::Band, 0, 58, 8, 59, {255, 255, 255}}));
    EXPECT_EQ(plan.strokes[2], (GradientStroke{K::Band, 0, 61, 8, 62, {255, 255, 255}}));
}

// Per painter: settings unlike the defaults, and all settings for comparing.
template <class T>
struct PainterSettings;

template <>
struct PainterSettings<TGradientFill> {
    static void Change(TGradientFill& f) {
        f.SetBeginColor(clRed);
        f.SetEndColor(clNavy);
        f.SetFillStyle(GradientStyle::Spectral);
        f.SetColorCount(10);
        f.SetColorsInBetween({"clLime", "clYellow"});
    }
    static auto All(const TGradientFill& f) {
        return std::tuple(f.BeginColor(), f.EndColor(), int(f.FillStyle()), f.ColorCount(), f.ColorsInBetween());
    }
};

template <>
struct PainterSettings<TSkinFrame> {
    static void Change(TSkinFrame& f) {
        f.SetFrameStyle(TFrameStyle::framePanelDown);
        f.SetEdges(EdgeLeft | EdgeBottom);
        f.SetHighlight(clYellow);
        f.SetShadow(clMaroon);
        f.SetSolid(clTeal);
        f.SetFrameWidth(3);
    }
    static auto All(const TSkinFrame& f) {
        return std::tuple(int(f.FrameStyle()), f.Edges(), f.Highlight(), f.Shadow(), f.Solid(), int(f.FrameWidth()));
    }
};

template <>
struct PainterSettings<TFont3D> {
    static void Change(TFont3D& f) {
        f.SetThreeDimensional(false);
        f.SetMaskFont(false);
        f.SetHighlight(clYellow);
        f.SetShadow(clMaroon);
        f.SetRepetitionColor(clTeal);
        f.SetRepetition(TRepetition::repeatOnShadow);
        f.SetRepetitionwidth(4);
        f.SetOffset(2);
        f.SetStyle3D(TStyle3D::fontInset);
    }
    static auto All(const TFont3D& f) {
        return std::tuple(f.ThreeDimensional(), f.MaskFont(), f.Highlight(), f.Shadow(), f.RepetitionColor(),
                          int(f.Repetition()), int(f.Repetitionwidth()), int(f.Offset()), int(f.Style3D()));
    }
};

template <>
struct PainterSettings<TBrushFill> {
    static void Change(TBrushFill& f) {
        f.SetBrushStyle(TBrushStyle::bsCross);
        f.SetBrushColor(clNavy);
    }
    static auto All(const TBrushFill& f) { return std::tuple(int(f.BrushStyle()), f.BrushColor()); }
};

template <class T>
class PainterAssign : public ::testing::Test {};
using Painters = ::testing::Types<TGradientFill, TSkinFrame, TFont3D, TBrushFill>;
TYPED_TEST_SUITE(PainterAssign, Painters);

TYPED_TEST(PainterAssign, TakesTheSettingsAndLeavesEachOwnerItsOwnOnChange) {
    using Settings = PainterSettings<TypeParam>;
    // A plain copy would bring the other owner's OnChange along.
    static_assert(!std::is_copy_assignable_v<TypeParam> && !std::is_copy_constructible_v<TypeParam>);
    TypeParam source, target;
    Settings::Change(source);
    ASSERT_NE(Settings::All(source), Settings::All(target));
    int sourceChanges = 0, targetChanges = 0;
    source.OnChange = [&] { ++sourceChanges; };
    target.OnChange = [&] { ++targetChanges; };

    target.Assign(source);
    EXPECT_EQ(Settings::All(target), Settings::All(source));
    EXPECT_EQ(targetChanges, 1);
    EXPECT_EQ(sourceChanges, 0);
    // Later changes of either reach only its own owner.
    Settings::Change(target);
    source.Assign(TypeParam{});
    EXPECT_GT(targetChanges, 1);
    EXPECT_EQ(sourceChanges, 1);
    EXPECT_NE(Settings::All(source), Settings::All(target));
}

}  // namespace
}  // namespace brisbolt
