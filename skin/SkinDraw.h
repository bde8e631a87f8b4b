// Drawing helpers shared by the skinned controls: colours resolved now,
// regions from their portable description, fills and transparent copies.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "runtime/Graphics.h"
#include "runtime/Win32Handles.h"
#include "skin/RoundedButtonMath.h"
#include "skin/SystemColorTable.h"

namespace brisbolt {

inline COLORREF ColorRef(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }
inline COLORREF ColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// The system colours as they are set now.
const SystemColors& CurrentSystemColors();

UniqueRegion CreateShapeRegion(const ShapeRegion& shape);

void FillSolid(HDC dc, const RECT& rect, TColor color);
// A one-pixel outline along the inside of a region.
void OutlineRegion(HDC dc, HRGN region, TColor color);
void OutlineRegion(HDC dc, HRGN region, HBRUSH brush);

// Solid brushes made once per colour and kept (Windows 9x has a small GDI
// heap); Clear when the colours in use change for good.
class BrushCache {
public:
    HBRUSH Get(COLORREF color);
    HBRUSH Get(TColor color) { return Get(ColorRef(color)); }
    void Clear() { brushes_.clear(); }
    std::size_t Size() const { return brushes_.size(); }

private:
    std::vector<std::pair<COLORREF, UniqueBrush>> brushes_;
};
// The dotted focus rectangle as the system draws it on its own buttons
// (DrawFocusRect, black and white inverting what lies under it).
void DrawFocusBox(HDC dc, const RECT& rect);

// A line from one point to another, the end point left out.
void DrawLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF color);

// Key colour: pixels of `key` leave the canvas as it is. Mask: the bitmap's
// own see-through colour decides, the colour of its bottom-left pixel.
enum class TransparentMode { KeyColor, Mask };
void DrawTransparent(TransparentMode mode, HDC target, const TBitmap& bitmap, TColor key, int x, int y);
inline void DrawTransparent(TransparentMode mode, TCanvas& canvas, const TBitmap& bitmap, TColor key, int x, int y) {
    DrawTransparent(mode, canvas.Handle(), bitmap, key, x, y);
}

// Copies the W x H area at the device context's origin into a new bitmap.
void CopyFromDC(TBitmap& into, HDC source, int width, int height);

}  // namespace brisbolt
