// A strip of glyph images (normal, pressed, ..., disabled) and how one of
// them is drawn, greyed for the disabled and ghosted looks.
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/Graphics.h"

namespace brisbolt {

class TSkinGlyph {
public:
    bool Visible() const { return visible_; }
    const TBitmap& Bitmap() const { return bitmap_; }
    int NumGlyphs() const { return numGlyphs_; }
    bool Transparent() const { return transparent_; }
    TColor TransparentColor() const { return transparentColor_; }

    void SetVisible(bool value) {
        visible_ = value;
        Changed();
    }
    // Copies the strip.
    void SetBitmap(const TBitmap& value);
    // 1 to 4 images; other values are not taken.
    void SetNumGlyphs(int value);
    void SetTransparent(bool value) {
        transparent_ = value;
        Changed();
    }
    void SetTransparentColor(TColor value) {
        transparentColor_ = value;
        Changed();
    }

    int GlyphWidth() const;
    int GlyphHeight() const { return bitmap_.Empty() ? 0 : bitmap_.Height(); }

    void DrawGlyph(HDC canvas, int x, int y, bool enabled, bool pressed, bool ghosted) const;

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    bool visible_ = true;
    TBitmap bitmap_;
    int numGlyphs_ = 1;
    bool transparent_ = true;
    TColor transparentColor_ = clBlack;
};

}  // namespace brisbolt
