// The small round glyph button: which points are on its face and where its
// glyph sits.
#pragma once

#include "skin/SkinMath.h"

#include <algorithm>
#include <cmath>

namespace brisbolt {

// Inside the circle of radius W div 2 - 1 around (W div 2, H div 2), the
// distance rounded half to even.
inline bool RoundButtonContains(int width, int height, int x, int y) {
    int c = width / 2;
    double dx = c - x, dy = height / 2 - y;
    return c - 1 >= RoundHalfEven(std::sqrt(dx * dx + dy * dy));
}

struct FocusBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const FocusBox&, const FocusBox&) = default;
};

// The dotted rectangle of the focused button: the largest square-cornered
// inset whose corners have a pixel of the circle beyond them.
inline FocusBox RoundButtonFocusRect(int width, int height) {
    int inset = 2;
    while (inset < std::min(width, height) / 2 && !(RoundButtonContains(width, height, inset - 1, inset - 1) &&
                                                    RoundButtonContains(width, height, width - inset, height - inset)))
        ++inset;
    return {inset, inset, width - inset, height - inset};
}

struct GlyphOrigin {
    int x = 0, y = 0;
};

// Centred, one pixel above the middle.
inline GlyphOrigin RoundButtonGlyphOrigin(int width, int height, int glyphWidth, int glyphHeight) {
    return {RoundHalfEven((width - glyphWidth) / 2.0), RoundHalfEven((height - glyphHeight) / 2.0) - 1};
}

}  // namespace brisbolt
