// The small round glyph button: which points are on its face and where its
// glyph sits.
#pragma once

#include "skin/SkinMath.h"

#include <cmath>

namespace brisbolt {

// Inside the circle of radius W div 2 - 1 around (W div 2, H div 2), the
// distance rounded half to even.
inline bool RoundButtonContains(int width, int height, int x, int y) {
    int c = width / 2;
    double dx = c - x, dy = height / 2 - y;
    return c - 1 >= RoundHalfEven(std::sqrt(dx * dx + dy * dy));
}

struct GlyphOrigin {
    int x = 0, y = 0;
};

// Centred, one pixel above the middle.
inline GlyphOrigin RoundButtonGlyphOrigin(int width, int height, int glyphWidth, int glyphHeight) {
    return {RoundHalfEven((width - glyphWidth) / 2.0), RoundHalfEven((height - glyphHeight) / 2.0) - 1};
}

}  // namespace brisbolt
