#include "skin/SkinRoundButton.h"

#include <tuple>

#include "skin/SkinDraw.h"
#include "skin/SkinRoundButtonMath.h"

namespace brisbolt {

TSkinRoundButton::TSkinRoundButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = height_ = 25;
    tabStop_ = true;
    Glyph.OnChange = [this] { Invalidate(); };
}

void TSkinRoundButton::SetButtonType(TButtonType value) {
    buttonType_ = value;
    Invalidate();
}

void TSkinRoundButton::SetUnUsedColor(TColor value) {
    unUsedColor_ = value;
    Invalidate();
}

void TSkinRoundButton::SetEnabled(bool enabled) {
    TGraphicControl::SetEnabled(enabled);
    if (!enabled) pressed_ = false;
    Invalidate();
}

bool TSkinRoundButton::Inside(int x, int y) const { return RoundButtonContains(width_, height_, x, y); }

void TSkinRoundButton::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Repaint();
}

void TSkinRoundButton::MouseDown(TMouseButton, TShiftState, int x, int y) {
    if (enabled_ && Inside(x, y)) SetPressed(true);
    tracking_ = true;
}

void TSkinRoundButton::MouseMove(TShiftState, int x, int y) {
    if (!tracking_ || !enabled_) return;
    SetPressed(Inside(x, y));
}

void TSkinRoundButton::MouseUp(TMouseButton, TShiftState, int x, int y) {
    const bool click = tracking_ && enabled_ && Inside(x, y);
    tracking_ = false;
    if (click) {
        SetPressed(false);
        if (OnClick) OnClick(this);
    }
}

void TSkinRoundButton::DrawBevel(HDC dc) {
    const int w = width_, h = height_;
    const int ax = 4 * (w / 5), ay = h / 5, bx = w / 5, by = 4 * (h / 5);
    const COLORREF upper = ColorRef(pressed_ ? clBtnShadow : clBtnHighlight);
    const COLORREF lower = ColorRef(pressed_ ? clBtnHighlight : clBtnShadow);
    // Arcs run counterclockwise, the default of every device context; the
    // program never turns it (SetArcDirection is not on Windows 95).
    for (auto [color, x0, y0, x1, y1] : {std::tuple{upper, ax, ay, bx, by}, std::tuple{lower, bx, by, ax, ay}}) {
        UniquePen pen(CreatePen(PS_SOLID, 1, color));
        ScopedSelect select(dc, pen.get());
        Arc(dc, 1, 1, w - 2, h - 2, x0, y0, x1, y1);
    }
}

void TSkinRoundButton::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    const int w = width_, h = height_;
    TBitmap under, face(w, h);
    CopyFromDC(under, dc, w, h);
    if (under.Empty() || face.Empty()) return;
    if (Background) Background->PaintBackground(face.DC(), w, h, true);
    {
        // Everything but the circle becomes see-through, so the face shows.
        HDC u = under.DC();
        UniqueBrush brush(CreateSolidBrush(ColorRef(unUsedColor_)));
        ScopedSelect b(u, brush.get());
        if (buttonType_ == TButtonType::btNormal) {
            UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
            ScopedSelect p(u, pen.get());
            Ellipse(u, 0, 0, w - 1, h - 1);
        } else {
            UniquePen pen(CreatePen(PS_SOLID, 1, ColorRef(unUsedColor_)));
            {
                ScopedSelect p(u, pen.get());
                Ellipse(u, 1, 1, w - 2, h - 2);
            }
            const int ax = 4 * (w / 5), ay = h / 5, bx = w / 5, by = 4 * (h / 5);
            UniquePen shadow(CreatePen(PS_SOLID, 1, ColorRef(clBtnShadow)));
            UniquePen light(CreatePen(PS_SOLID, 1, ColorRef(clBtnHighlight)));
            {
                ScopedSelect p(u, shadow.get());
                Arc(u, 0, 0, w - 1, h - 1, ax, ay, bx, by);
            }
            {
                ScopedSelect p(u, light.get());
                Arc(u, 0, 0, w - 1, h - 1, bx, by, ax, ay);
            }
        }
    }
    DrawTransparent(TransparentMode::KeyColor, face.DC(), under, unUsedColor_, 0, 0);
    BitBlt(dc, 0, 0, w, h, face.DC(), 0, 0, SRCCOPY);
    DrawBevel(dc);
    const GlyphOrigin at = RoundButtonGlyphOrigin(w, h, Glyph.GlyphWidth(), Glyph.GlyphHeight());
    Glyph.DrawGlyph(dc, at.x, at.y, enabled_, pressed_, false);
    if (ShowsFocus()) {
        const FocusBox box = RoundButtonFocusRect(w, h);
        DrawFocusBox(dc, RECT{box.left, box.top, box.right, box.bottom});
    }
}

}  // namespace brisbolt
