// Which image of a glyph strip is drawn, and the grey recolouring that makes
// the ghosted (level 1) and disabled (level 2) looks.
#pragma once

#include "skin/SystemColorTable.h"

namespace brisbolt {

struct GlyphChoice {
    int image = 0;  // 0-based index into the strip
    int level = 0;  // 0: drawn as it is
    friend bool operator==(const GlyphChoice&, const GlyphChoice&) = default;
};

GlyphChoice ChooseGlyphImage(int numGlyphs, bool enabled, bool pressed, bool ghosted);

// The colour a pixel takes at a level by the sum of its channels.
Color GlyphLevelColor(Rgb pixel, int level);

// Width of one image of the strip, rounded; 0 for an empty bitmap.
int GlyphWidth(int bitmapWidth, int numGlyphs);
// The number of images a freshly assigned strip holds: square images side by
// side, at most 4; 1 when the width is no multiple of the height.
int GlyphCountFor(int bitmapWidth, int bitmapHeight);

}  // namespace brisbolt
