// GDI objects made once: the program's pens and brushes by colour, and the
// one off-screen picture every window paints into, under real windows.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/GdiCache.h"

namespace brisbolt {
namespace {

// Fills itself with one colour, framed in another; `during` runs in the
// middle of its paint.
class Framed final : public TGraphicControl {
public:
    Framed(TComponent* owner, TColor fill, TColor frame) : TGraphicControl(owner), fill_(fill), frame_(frame) {}
    std::function<void()> during;

protected:
    void Paint(TCanvas& canvas) override {
        canvas.Brush.Color = fill_;
        canvas.Pen.Color = frame_;
        canvas.Rectangle(0, 0, Width(), Height());
        if (during) during();
    }

private:
    TColor fill_, frame_;
};

TForm* NewForm(int width, int height, TColor fill, TColor frame, Framed** control = nullptr) {
    auto* form = CreateForm<TForm>(nullptr);
    form->BorderStyle = TBorderStyle::None;
    form->SetBounds(20, 20, width, height);
    auto* framed = new Framed(form, fill, frame);
    framed->SetParent(form);
    framed->SetBounds(0, 0, width, height);
    if (control) *control = framed;
    return form;
}

COLORREF ScreenPixel(TForm* form, int x, int y) {
    ClientDC dc(form->Handle());
    return GetPixel(dc.get(), x, y);
}

TEST(GdiObjectCache, OneObjectPerColourWidthAndStyle) {
    GdiObjectCache cache;
    const HBRUSH red = cache.Brush(RGB(255, 0, 0));
    const HPEN thin = cache.Pen(RGB(0, 0, 255));
    const struct {
        const char* what;
        HGDIOBJ first, again;
        bool same;
    } cases[] = {
        {"the same brush colour", red, cache.Brush(RGB(255, 0, 0)), true},
        {"another brush colour", red, cache.Brush(RGB(254, 0, 0)), false},
        {"the same pen", thin, cache.Pen(RGB(0, 0, 255), 1, PS_SOLID), true},
        {"another pen colour", thin, cache.Pen(RGB(0, 0, 254)), false},
        {"another pen width", thin, cache.Pen(RGB(0, 0, 255), 2), false},
        {"another pen style", thin, cache.Pen(RGB(0, 0, 255), 1, PS_DOT), false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.first == c.again, c.same) << c.what;
    EXPECT_EQ(cache.Brushes(), 2u);
    EXPECT_EQ(cache.Pens(), 4u);

    // Each handle is a live object of what was asked for.
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectA(cache.Brush(RGB(1, 2, 3)), sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, RGB(1, 2, 3));
    LOGPEN pen{};
    ASSERT_EQ(GetObjectA(cache.Pen(RGB(4, 5, 6), 3, PS_SOLID), sizeof pen, &pen), static_cast<int>(sizeof pen));
    EXPECT_EQ(pen.lopnColor, RGB(4, 5, 6));
    EXPECT_EQ(pen.lopnWidth.x, 3);
}

TEST(GdiObjectCache, AFullCacheStartsAgainInsteadOfGrowing) {
    GdiObjectCache cache;
    for (int i = 0; i < 3 * static_cast<int>(GdiObjectCache::Limit); ++i) {
        const HBRUSH brush = cache.Brush(RGB(i, 0, 0));
        const HPEN pen = cache.Pen(RGB(0, i, 0));
        ASSERT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH)) << i;
        ASSERT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN)) << i;
        ASSERT_LE(cache.Brushes(), GdiObjectCache::Limit);
        ASSERT_LE(cache.Pens(), GdiObjectCache::Limit);
    }
}

TEST(GdiObjectCache, PaintingAgainMakesNoNewPensOrBrushes) {
    TForm* form = NewForm(120, 80, RGBColor(10, 200, 30), RGBColor(200, 10, 30));
    form->Show();
    UpdateWindow(form->Handle());
    const std::size_t brushes = GdiObjects().Brushes(), pens = GdiObjects().Pens();
    std::set<HGDIOBJ> handles{GdiObjects().Brush(RGB(10, 200, 30)), GdiObjects().Pen(RGB(200, 10, 30))};
    for (int i = 0; i < 50; ++i) {
        InvalidateRect(form->Handle(), nullptr, FALSE);
        UpdateWindow(form->Handle());
    }
    EXPECT_EQ(GdiObjects().Brushes(), brushes);
    EXPECT_EQ(GdiObjects().Pens(), pens);
    EXPECT_EQ(handles, (std::set<HGDIOBJ>{GdiObjects().Brush(RGB(10, 200, 30)), GdiObjects().Pen(RGB(200, 10, 30))}));
    EXPECT_EQ(ScreenPixel(form, 60, 40), RGB(10, 200, 30));
    EXPECT_EQ(ScreenPixel(form, 0, 40), RGB(200, 10, 30));
    delete form;
}

TEST(PaintBuffer, AWindowLargerThanAnyBeforeIsPaintedToItsFarCorner) {
    Framed* framed = nullptr;
    TForm* form = NewForm(60, 40, clLime, clBlue, &framed);
    form->Show();
    UpdateWindow(form->Handle());
    const struct { int width, height; } sizes[] = {{900, 700}, {50, 30}, {1000, 740}};
    for (const auto& size : sizes) {
        form->SetBounds(0, 0, size.width, size.height);
        framed->SetBounds(0, 0, size.width, size.height);
        UpdateWindow(form->Handle());
        EXPECT_EQ(ScreenPixel(form, size.width - 2, size.height - 2), static_cast<COLORREF>(clLime)) << size.width;
        EXPECT_EQ(ScreenPixel(form, size.width - 1, size.height - 1), static_cast<COLORREF>(clBlue)) << size.width;
    }
    delete form;
}

TEST(PaintBuffer, AWindowPaintedWithinAnothersPaintLeavesBothWhole) {
    Framed* outerControl = nullptr;
    TForm* outer = NewForm(200, 100, clRed, clBlack, &outerControl);
    TForm* inner = NewForm(100, 50, clYellow, clBlack);
    outer->Show();
    inner->Show();
    UpdateWindow(outer->Handle());
    UpdateWindow(inner->Handle());
    int nested = 0;
    outerControl->during = [&] {
        ++nested;
        InvalidateRect(inner->Handle(), nullptr, FALSE);
        UpdateWindow(inner->Handle());
    };
    InvalidateRect(outer->Handle(), nullptr, FALSE);
    UpdateWindow(outer->Handle());
    outerControl->during = nullptr;
    EXPECT_GE(nested, 1);
    EXPECT_EQ(ScreenPixel(outer, 150, 80), static_cast<COLORREF>(clRed));
    EXPECT_EQ(ScreenPixel(inner, 50, 25), static_cast<COLORREF>(clYellow));
    delete inner;
    delete outer;
}

}  // namespace
}  // namespace brisbolt
