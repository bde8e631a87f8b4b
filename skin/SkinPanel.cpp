#include "skin/SkinPanel.h"

#include "skin/SkinDraw.h"
#include "skin/TextEffects.h"

namespace brisbolt {

TSkinPanel::TSkinPanel(TComponent* owner) : TPanel(owner) {
    Font3D.OnChange = [this] { Invalidate(); };
    FrameInner.OnChange = [this] { Invalidate(); };
    FrameOuter.OnChange = [this] { Invalidate(); };
}

void TSkinPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TSkinPanel::SetDlgFrame(bool value) {
    dlgFrame_ = value;
    Invalidate();
}

void TSkinPanel::SetAutoSize(bool value) {
    autoSize_ = value;
    Invalidate();
}

void TSkinPanel::SetBorderwidth(int value) {
    if (value > 0) borderwidth_ = value;
    Invalidate();
}

RECT TSkinPanel::ChildArea() const {
    int inset = borderwidth_;
    if (FrameOuter.FrameStyle() != TFrameStyle::frameNone) inset += FrameOuter.FrameWidth();
    if (FrameInner.FrameStyle() != TFrameStyle::frameNone) inset += FrameInner.FrameWidth();
    return RECT{inset, inset, width_ - inset, height_ - inset};
}

namespace {

// A one-pixel 3-D frame on r, then r shrinks by one.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight) {
    const COLORREF tl = ColorRef(topLeft), br = ColorRef(bottomRight);
    DrawLine(dc, r.left, r.bottom - 1, r.left, r.top, tl);
    DrawLine(dc, r.left, r.top, r.right - 1, r.top, tl);
    DrawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, br);
    DrawLine(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, br);
    InflateRect(&r, -1, -1);
}

}  // namespace

void TSkinPanel::PaintWindow(HDC dc) {
    TPanel::PaintWindow(dc);
    RECT r{0, 0, width_, height_};
    if (Background) Background->PaintBackground(dc, width_, height_, true);
    if (dlgFrame_) {
        Frame3D(dc, r, clBtnHighlight, clBlack);
        Frame3D(dc, r, clBtnFace, clBtnShadow);
        Frame3D(dc, r, clBtnFace, clBtnFace);
    }
    PaintFrame(FrameOuter, dc, r);
    if (borderwidth_ > 0) InflateRect(&r, -(borderwidth_ + 1), -(borderwidth_ + 1));
    PaintFrame(FrameInner, dc, r);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DrawTextAlignment(alignment_);
    DrawText3D(Font3D, Font, dc, enabled_, flags, caption_, r);
}

}  // namespace brisbolt
