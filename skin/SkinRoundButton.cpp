#include "skin/SkinRoundButton.h"

#include <tuple>

#include "runtime/GdiCache.h"
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
        ScopedSelect select(dc, GdiObjects().Pen(color));
        Arc(dc, 1, 1, w - 2, h - 2, x0, y0, x1, y1);
    }
}

void TSkinRoundButton::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    const int w = width_, h = height_;
    // Both pictures are kept from paint to paint, remade only for a new size.
    if (under_.Width() != w || under_.Height() != h) under_.SetSize(w, h);
    if (face_.Width() != w || face_.Height() != h) face_.SetSize(w, h);
    if (under_.Empty() || face_.Empty()) return;
    BitBlt(under_.DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    PatBlt(face_.DC(), 0, 0, w, h, WHITENESS);
    if (Background) Background->PaintBackground(face_.DC(), w, h, true);
    {
        // Everything but the circle becomes see-through, so the face shows.
        HDC u = under_.DC();
        ScopedSelect b(u, GdiObjects().Brush(ColorRef(unUsedColor_)));
        if (buttonType_ == TButtonType::btNormal) {
            ScopedSelect p(u, GdiObjects().Pen(RGB(0, 0, 0)));
            Ellipse(u, 0, 0, w - 1, h - 1);
        } else {
            {
                ScopedSelect p(u, GdiObjects().Pen(ColorRef(unUsedColor_)));
                Ellipse(u, 1, 1, w - 2, h - 2);
            }
            const int ax = 4 * (w / 5), ay = h / 5, bx = w / 5, by = 4 * (h / 5);
            {
                ScopedSelect p(u, GdiObjects().Pen(ColorRef(clBtnShadow)));
                Arc(u, 0, 0, w - 1, h - 1, ax, ay, bx, by);
            }
            {
                ScopedSelect p(u, GdiObjects().Pen(ColorRef(clBtnHighlight)));
                Arc(u, 0, 0, w - 1, h - 1, bx, by, ax, ay);
            }
        }
    }
    DrawTransparent(TransparentMode::KeyColor, face_.DC(), under_, unUsedColor_, 0, 0);
    BitBlt(dc, 0, 0, w, h, face_.DC(), 0, 0, SRCCOPY);
    DrawBevel(dc);
    const GlyphOrigin at = RoundButtonGlyphOrigin(w, h, Glyph.GlyphWidth(), Glyph.GlyphHeight());
    Glyph.DrawGlyph(dc, at.x, at.y, enabled_, pressed_, false);
    if (ShowsFocus()) {
        const FocusBox box = RoundButtonFocusRect(w, h);
        DrawFocusBox(dc, RECT{box.left, box.top, box.right, box.bottom});
    }
}

}  // namespace brisbolt
