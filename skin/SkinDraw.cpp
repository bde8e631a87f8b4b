#include "skin/SkinDraw.h"

#include "runtime/GdiCache.h"

namespace brisbolt {

const SystemColors& CurrentSystemColors() {
    static SystemColors colors;
    for (int i = 0; i < SystemColors::Count; ++i) colors.Set(i, ColorToRGB(SystemColor(i)));
    return colors;
}

UniqueRegion CreateShapeRegion(const ShapeRegion& s) {
    switch (s.kind) {
        case ShapeRegion::Kind::Rectangle: return UniqueRegion(CreateRectRgn(s.left, s.top, s.right, s.bottom));
        case ShapeRegion::Kind::RoundRect:
            return UniqueRegion(CreateRoundRectRgn(s.left, s.top, s.right, s.bottom, s.ellipseWidth, s.ellipseHeight));
        case ShapeRegion::Kind::Ellipse: return UniqueRegion(CreateEllipticRgn(s.left, s.top, s.right, s.bottom));
    }
    return UniqueRegion();
}

void FillSolid(HDC dc, const RECT& rect, TColor color) { FillRect(dc, &rect, GdiObjects().Brush(ColorRef(color))); }

void OutlineRegion(HDC dc, HRGN region, TColor color) {
    if (region) OutlineRegion(dc, region, GdiObjects().Brush(ColorRef(color)));
}

void OutlineRegion(HDC dc, HRGN region, HBRUSH brush) {
    if (region && brush) FrameRgn(dc, region, brush, 1, 1);
}

HBRUSH BrushCache::Get(COLORREF color) {
    for (const auto& [made, brush] : brushes_)
        if (made == color) return brush.get();
    brushes_.emplace_back(color, UniqueBrush(CreateSolidBrush(color)));
    return brushes_.back().second.get();
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
    ScopedSelect select(dc, GdiObjects().Pen(color));
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawTransparent(TransparentMode mode, HDC target, const TBitmap& bitmap, TColor key, int x, int y) {
    if (bitmap.Empty()) return;
    const COLORREF see = mode == TransparentMode::Mask ? GetPixel(bitmap.DC(), 0, bitmap.Height() - 1) : ColorRef(key);
    TransparentCopy(target, x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, see);
}

void CopyFromDC(TBitmap& into, HDC source, int width, int height) {
    into.SetSize(width, height);
    if (!into.Empty()) BitBlt(into.DC(), 0, 0, width, height, source, 0, 0, SRCCOPY);
}

void DrawFocusBox(HDC dc, const RECT& rect) {
    // The dots take the text and background colours; a caption drawn just
    // before leaves its own behind.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &rect);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

}  // namespace brisbolt
