#include "skin/GlyphLevels.h"

#include "skin/SkinMath.h"

namespace brisbolt {

GlyphChoice ChooseGlyphImage(int numGlyphs, bool enabled, bool pressed, bool ghosted) {
    if (numGlyphs < 1) numGlyphs = 1;
    if (!enabled) return {numGlyphs - 1, 2};
    if (ghosted) return {0, 1};
    if (pressed && numGlyphs >= 3) return {1, 0};
    return {0, 0};
}

Color GlyphLevelColor(Rgb pixel, int level) {
    int sum = pixel.r + pixel.g + pixel.b;
    if (sum > 535 * level) return clBtnFace;
    if (sum > 274 * level) return clBtnHighlight;
    if (sum > 55 * level) return clBtnShadow;
    return clBlack;
}

int GlyphWidth(int bitmapWidth, int numGlyphs) {
    if (bitmapWidth <= 0 || numGlyphs <= 0) return 0;
    return RoundHalfEven(double(bitmapWidth) / numGlyphs);
}

int GlyphCountFor(int bitmapWidth, int bitmapHeight) {
    if (bitmapHeight <= 0 || bitmapWidth % bitmapHeight != 0) return 1;
    int count = bitmapWidth / bitmapHeight;
    return count > 4 || count < 1 ? 1 : count;
}

}  // namespace brisbolt
