#include "skin/SkinGlyph.h"

#include "skin/GlyphLevels.h"
#include "skin/SkinDraw.h"

namespace brisbolt {

void TSkinGlyph::SetBitmap(const TBitmap& value) {
    bitmap_.Assign(value);
    Changed();
}

void TSkinGlyph::SetNumGlyphs(int value) {
    if (value < 1 || value > 4) return;
    numGlyphs_ = value;
    Changed();
}

int TSkinGlyph::GlyphWidth() const { return brisbolt::GlyphWidth(bitmap_.Empty() ? 0 : bitmap_.Width(), numGlyphs_); }

void TSkinGlyph::DrawGlyph(HDC canvas, int x, int y, bool enabled, bool pressed, bool ghosted) const {
    if (bitmap_.Empty() || !visible_) return;
    const GlyphChoice choice = ChooseGlyphImage(numGlyphs_, enabled, pressed, ghosted);
    const int w = GlyphWidth(), h = GlyphHeight();
    TBitmap image(w, h);
    if (image.Empty()) return;
    BitBlt(image.DC(), 0, 0, w, h, bitmap_.DC(), choice.image * w, 0, SRCCOPY);
    if (choice.level > 0) {
        const COLORREF keep = ColorRef(transparentColor_);
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px) {
                const COLORREF c = GetPixel(image.DC(), px, py);
                if (c == keep) continue;
                const Rgb rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
                SetPixelV(image.DC(), px, py, ColorRef(GlyphLevelColor(rgb, choice.level)));
            }
    }
    if (transparent_)
        DrawTransparent(TransparentMode::Mask, canvas, image, clNone, x, y);
    else
        BitBlt(canvas, x, y, w, h, image.DC(), 0, 0, SRCCOPY);
}

}  // namespace brisbolt
