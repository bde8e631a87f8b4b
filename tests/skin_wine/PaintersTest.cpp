// The painters under real device contexts: gradients, frames, textures,
// key-colour replacement and greyed glyphs read back pixel by pixel.
#include "skin/SkinBackground.h"
#include "skin/SkinDraw.h"
#include "skin/SkinGlyph.h"
#include "skin/TextEffects.h"

#include "SkinWineSupport.h"

namespace brisbolt {
namespace {

using namespace skintest;

TEST(Painters, AGradientPaintsEveryRowInTheColourOfItsLastBand) {
    TSkinBackground background(nullptr);
    background.Gradient.SetBeginColor(clGrayText);
    background.Gradient.SetEndColor(clBlack);
    TBitmap picture(40, 127);
    background.PaintBackground(picture.DC(), 40, 127, true);

    EXPECT_EQ(PixelAt(picture, 20, 0), ColorRef(clGrayText));
    EXPECT_EQ(PixelAt(picture, 20, 126), RGB(1, 1, 1));  // never pure black
    const GradientPlan plan = PlanGradient(background.Gradient, 40, 127, true, CurrentSystemColors());
    std::vector<COLORREF> rows(127, ColorRef(plan.background));
    for (const GradientStroke& band : plan.strokes)
        for (int y = std::max(band.top, 0); y < std::min(band.bottom, 127); ++y) rows[y] = ColorRef(band.color);
    for (int y = 0; y < 127; ++y) EXPECT_EQ(PixelAt(picture, 5, y), rows[y]) << "row " << y;
}

TEST(Painters, EveryFillStyleAndBackgroundStyleMakesASnapshot) {
    const int w = 90, h = 60;
    TSkinBackground background(nullptr);
    background.Gradient.SetBeginColor(HexColor(0x102040));
    background.Gradient.SetEndColor(HexColor(0x80C0FF));
    TBitmap sheet(14 * (w + 4), h);
    for (int style = 0; style <= int(GradientStyle::HorizontalDoppelBar); ++style) {
        background.Gradient.SetFillStyle(GradientStyle(style));
        TBitmap tile(w, h);
        background.PaintBackground(tile.DC(), w, h, true);
        BitBlt(sheet.DC(), style * (w + 4), 0, w, h, tile.DC(), 0, 0, SRCCOPY);
    }
    background.BrushFill.SetBrushStyle(TBrushStyle::bsDiagCross);
    background.BrushFill.SetBrushColor(clNavy);
    background.SetSolidColor(clYellow);
    background.SetBackgroundStyle(TBackgroundStyle::bBrushFillSolidColor);
    TBitmap hatch(w, h);
    background.PaintBackground(hatch.DC(), w, h, true);
    BitBlt(sheet.DC(), 13 * (w + 4), 0, w, h, hatch.DC(), 0, 0, SRCCOPY);
    // Between the hatch lines white became the solid colour.
    int yellow = 0;
    for (int x = 0; x < w; ++x) yellow += PixelAt(hatch, x, 3) == RGB(255, 255, 0);
    EXPECT_GT(yellow, 0);
    SaveSnapshot(sheet, "gradient_styles");
}

TEST(Painters, FilledLettersReachTheRightEdgeOfARectangleThatDoesNotStartAtTheLeft) {
    TSkinBackground background(nullptr);
    background.SetSolidColor(clRed);
    background.SetBackgroundStyle(TBackgroundStyle::bSolidcolor);
    TFont3D plain;
    TFont font;
    font.SetHeight(-20);
    TBitmap picture(200, 30);
    PatBlt(picture.DC(), 0, 0, 200, 30, WHITENESS);
    background.DrawFilledText(plain, font, DT_SINGLELINE | DT_RIGHT, "WWWW", {60, 0, 200, 30}, picture.DC());
    // The letters sit against the right edge, beyond the rectangle's width
    // of 140 counted from the left of the canvas.
    int red = 0, elsewhere = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 30; ++y) {
            const COLORREF c = PixelAt(picture, x, y);
            if (c == RGB(255, 0, 0)) {
                ++(x >= 140 ? red : elsewhere);
            } else if (x < 60) {
                EXPECT_EQ(c, RGB(255, 255, 255)) << x << "," << y;
            }
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(red, elsewhere);
}

TEST(Painters, AFramedDownFrameDrawsTwoRingsTheOtherWayRound) {
    TSkinFrame frame;
    frame.SetFrameStyle(TFrameStyle::frameFramedDown);
    TBitmap picture(20, 10);
    PaintFrame(frame, picture.DC(), RECT{0, 0, 20, 10});
    const COLORREF shadow = ColorRef(clBtnShadow), light = ColorRef(clBtnHighlight);
    EXPECT_EQ(PixelAt(picture, 5, 0), shadow);
    EXPECT_EQ(PixelAt(picture, 0, 5), shadow);
    EXPECT_EQ(PixelAt(picture, 19, 5), light);
    EXPECT_EQ(PixelAt(picture, 5, 9), light);
    EXPECT_EQ(PixelAt(picture, 5, 1), light);
    EXPECT_EQ(PixelAt(picture, 18, 5), shadow);
    EXPECT_EQ(PixelAt(picture, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(frame.FrameInset(), 2);
}

TEST(Painters, TexturesTileClippedAndTakeTheirReplacementColour) {
    TBitmap image(16, 16);
    FillSolid(image.DC(), RECT{0, 0, 16, 16}, clRed);
    SetPixelV(image.DC(), 0, 0, RGB(0, 0, 255));
    TSkinBackground background(nullptr);
    background.Texture.SetImage(image);
    background.SetBackgroundStyle(TBackgroundStyle::bTexture);
    TBitmap picture(50, 30);
    background.PaintBackground(picture.DC(), 40, 20, true);
    EXPECT_EQ(PixelAt(picture, 32, 16), RGB(0, 0, 255));  // the sixth tile starts here
    EXPECT_EQ(PixelAt(picture, 39, 19), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(picture, 40, 5), RGB(255, 255, 255));  // nothing past the area

    background.Texture.SetTransparentColor(clRed);
    background.Texture.SetTransparentBackground(clLime);
    background.Texture.SetImageStyle(TImageStyle::isCenter);
    TBitmap centred(40, 20);
    background.PaintBackground(centred.DC(), 40, 20, true);
    EXPECT_EQ(PixelAt(centred, 12, 2), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(centred, 20, 10), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(centred, 5, 5), RGB(255, 255, 255));
}

TEST(Painters, PaintOverColorReplacesOnlyTheKeyColour) {
    TSkinBackground background(nullptr);
    background.SetBackgroundStyle(TBackgroundStyle::bSolidcolor);
    background.SetSolidColor(clRed);
    TBitmap canvas(20, 20);
    FillSolid(canvas.DC(), RECT{0, 0, 20, 20}, clLime);
    FillSolid(canvas.DC(), RECT{5, 5, 10, 10}, clBlack);
    background.PaintOverColor(canvas.DC(), 20, 20, clLime, true);
    EXPECT_EQ(PixelAt(canvas, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(canvas, 6, 6), RGB(0, 0, 0));
}

TEST(Painters, ClientsRepaintOnChangeAndForgetABackgroundThatGoes) {
    auto* background = new TSkinBackground(nullptr);
    int changes = 0;
    background->OnChanged = [&](TComponent*) { ++changes; };
    BackgroundLink first(nullptr), second(nullptr);
    first.Set(background);
    second.Set(background);
    first.Set(background);
    EXPECT_EQ(background->ClientCount(), 2u);
    background->Gradient.SetColorCount(1);  // refused, but still signalled
    background->SetSolidColor(clRed);
    EXPECT_EQ(changes, 2);
    second.Set(nullptr);
    EXPECT_EQ(background->ClientCount(), 1u);
    delete background;
    EXPECT_EQ(first.Get(), nullptr);
}

TEST(Painters, ADisabledGlyphIsGreyedAndKeepsItsSeeThroughColour) {
    TBitmap strip(15, 15);  // white, with a black and a mid-grey pixel
    SetPixelV(strip.DC(), 3, 3, RGB(0, 0, 0));
    SetPixelV(strip.DC(), 4, 4, RGB(128, 128, 128));
    TSkinGlyph glyph;
    glyph.SetBitmap(strip);
    glyph.SetTransparentColor(clWhite);
    TBitmap target(20, 20);
    FillSolid(target.DC(), RECT{0, 0, 20, 20}, clNavy);
    glyph.DrawGlyph(target.DC(), 2, 2, false, false, false);
    EXPECT_EQ(PixelAt(target, 5, 5), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(target, 6, 6), ColorRef(clBtnShadow));
    EXPECT_EQ(PixelAt(target, 10, 10), ColorRef(clNavy));
    glyph.DrawGlyph(target.DC(), 2, 2, true, false, false);
    EXPECT_EQ(PixelAt(target, 6, 6), RGB(128, 128, 128));
}

}  // namespace
}  // namespace brisbolt
