#include "skin/SkinHintWindow.h"

#include "runtime/Control.h"
#include "skin/ControlAtPoint.h"
#include "skin/HintBubble.h"
#include "skin/SkinDraw.h"
#include "skin/SkinHint.h"
#include "skin/TextEffects.h"

namespace brisbolt {

TSkinHintWindow::TSkinHintWindow() {
    if (const TSkinHint* hint = TSkinHint::Instance()) Font.Assign(hint->HintFont());
}

RECT TSkinHintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    if (const TSkinHint* hint = TSkinHint::Instance()) Font.Assign(hint->HintFont());
    return THintWindow::CalcHintRect(maxWidth, text);
}

void TSkinHintWindow::DestroyHintWindow() { window_.reset(); }

void TSkinHintWindow::ActivateHint(const RECT& rect, const std::string& text) {
    // A fresh window for every hint.
    DestroyHintWindow();
    caption_ = text;
    const TSkinHint* hint = TSkinHint::Instance();
    if (!hint) {
        THintWindow::ActivateHint(rect, text);
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    THintDirection wanted = hint->HintDirection;
    if (hint->OnSelectHintDirection) hint->OnSelectHintDirection(ControlAtScreenPoint(cursor), wanted);
    const HintPlacement place = PlaceHint(wanted, cursor.x, cursor.y, rect.right - rect.left, rect.bottom - rect.top,
                                          GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    direction_ = place.direction;

    captured_.SetSize(place.width, place.height);
    if (captured_.Empty()) return;
    {
        ClientDC screen(nullptr);
        BitBlt(captured_.DC(), 0, 0, place.width, place.height, screen.get(), place.left, place.top, SRCCOPY);
    }
    PaintBubble(*hint);
    EnsureWindow();
    if (!hwnd_) return;
    SetWindowPos(hwnd_, HWND_TOPMOST, place.left, place.top, place.width, place.height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void TSkinHintWindow::ReleaseHandle() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    captured_.SetSize(0, 0);
}

namespace {

UniqueRegion BoxRegion(const BubbleRect& r, bool rounded, int corner) {
    if (rounded) return UniqueRegion(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, corner, corner));
    return UniqueRegion(CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

UniqueRegion TriangleRegion(const std::vector<BubblePoint>& p) {
    POINT points[3] = {{p[0].x, p[0].y}, {p[1].x, p[1].y}, {p[2].x, p[2].y}};
    return UniqueRegion(CreatePolygonRgn(points, 3, ALTERNATE));
}

// Dots on every pixel with x + y even inside the region, within the bounds.
void Dither(HDC dc, HRGN region, const BubbleRect& bounds, COLORREF color) {
    if (!region) return;
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left + ((bounds.left + y) & 1); x < bounds.right; x += 2)
            if (PtInRegion(region, x, y)) SetPixelV(dc, x, y, color);
}

}  // namespace

void TSkinHintWindow::PaintBubble(const TSkinHint& hint) {
    const int w = captured_.Width(), h = captured_.Height();
    const HintBubbleShape shape = PlanHintBubble(direction_, w, h, hint.Speechbubble, hint.Shadow);
    const COLORREF key = ColorRef(hint.UnUsedHintColor);
    HDC image = captured_.DC();

    picture_.SetSize(w, h);
    if (picture_.Empty()) return;
    if (hint.Background) hint.Background->PaintBackground(picture_.DC(), w, h, true);

    if (shape.shadow) {
        const COLORREF dot = ColorRef(hint.HintShadowColor);
        UniqueRegion area = BoxRegion(shape.shadowBox, shape.rounded, 8);
        UniqueRegion strips(CreateRectRgn(0, 0, 0, 0));
        for (const BubbleRect& s : shape.shadowStrips) {
            UniqueRegion strip(CreateRectRgn(s.left, s.top, s.right, s.bottom));
            CombineRgn(strips.get(), strips.get(), strip.get(), RGN_OR);
        }
        CombineRgn(area.get(), area.get(), strips.get(), RGN_AND);
        Dither(image, area.get(), shape.shadowBox, dot);
        if (shape.shadowTail) {
            UniqueRegion tail = TriangleRegion(*shape.shadowTail);
            Dither(image, tail.get(), BubbleRect{0, 0, w, h}, dot);
        }
    }

    UniqueBrush keyBrush(CreateSolidBrush(key));
    for (const BubbleBox& box : shape.boxes) {
        const COLORREF penColor = box.pen == BubblePen::Black   ? RGB(0, 0, 0)
                                  : box.pen == BubblePen::White ? RGB(255, 255, 255)
                                                                : key;
        UniquePen pen(CreatePen(PS_SOLID, 1, penColor));
        ScopedSelect p(image, pen.get());
        ScopedSelect b(image, keyBrush.get());
        const BubbleRect& r = box.rect;
        if (shape.rounded)
            RoundRect(image, r.left, r.top, r.right, r.bottom, 9, 9);
        else
            Rectangle(image, r.left, r.top, r.right, r.bottom);
    }

    if (shape.tail) {
        const auto& t = *shape.tail;
        DrawLine(image, t[0].x, t[0].y, t[1].x, t[1].y, key);
        UniqueRegion triangle = TriangleRegion(t);
        FillRgn(image, triangle.get(), keyBrush.get());
        DrawLine(image, t[1].x, t[1].y, t[2].x, t[2].y, RGB(0, 0, 0));
        DrawLine(image, t[2].x, t[2].y, t[0].x, t[0].y, RGB(255, 255, 255));
    }

    DrawTransparent(TransparentMode::KeyColor, picture_.DC(), captured_, hint.UnUsedHintColor, 0, 0);
    const int o = hint.Font3D.Offset();
    const RECT text{shape.textLeft - o, shape.textTop - o, w, h};
    DrawText3D(hint.Font3D, hint.HintFont(), picture_.DC(), true, DT_WORDBREAK | DT_NOPREFIX, caption_, text);
}

LRESULT TSkinHintWindow::OnPaint() {
    PaintScope paint(hwnd_);
    if (!picture_.Empty()) BitBlt(paint.dc(), 0, 0, picture_.Width(), picture_.Height(), picture_.DC(), 0, 0, SRCCOPY);
    return 0;
}

LRESULT TSkinHintWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_NCPAINT: return 0;
        default: return THintWindow::WndProc(msg, wp, lp);
    }
}

}  // namespace brisbolt
