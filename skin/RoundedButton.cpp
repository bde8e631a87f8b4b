#include "skin/RoundedButton.h"

#include <cctype>

#include "skin/SkinDraw.h"

namespace brisbolt {

bool TRoundedButton::pressBeganInside_ = false;

TRoundedButton::TRoundedButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 78;
    height_ = 46;
    Cursor = IDC_HAND;
}

void TRoundedButton::SetButtonColor(TColor value) {
    if (value == buttonColor_) return;
    buttonColor_ = value;
    Invalidate();
}

void TRoundedButton::SetFrameColor(TColor value) {
    if (value == frameColor_) return;
    frameColor_ = value;
    Invalidate();
}

void TRoundedButton::SetFrameWidth(int value) {
    frameWidth_ = ClampFrameWidth(value, width_, height_);
    Invalidate();
}

void TRoundedButton::SetCornerRadius(int value) {
    cornerRadius_ = ClampCornerRadius(value, width_, height_);
    Invalidate();
}

void TRoundedButton::SetShape(TFShape value) {
    if (value == shape_) return;
    shape_ = value;
    Invalidate();
}

void TRoundedButton::SetTextStyle(TTextStyle value) {
    if (value == textStyle_) return;
    textStyle_ = value;
    Invalidate();
}

void TRoundedButton::SetEnabled(bool enabled) {
    TGraphicControl::SetEnabled(enabled);
    Invalidate();
}

void TRoundedButton::SetCaption(const std::string& caption) {
    TGraphicControl::SetCaption(caption);
    Invalidate();
}

void TRoundedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::Right) return;
    UniqueRegion shape = CreateShapeRegion(ButtonShapeRegion(shape_, width_, height_, cornerRadius_));
    pressBeganInside_ = shape && PtInRegion(shape.get(), x, y);
    if (pressBeganInside_) {
        pressed_ = true;
        Repaint();
    }
}

void TRoundedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::Right || !pressBeganInside_) return;
    pressed_ = false;
    Repaint();
}

void TRoundedButton::Click() {
    pressed_ = false;
    Repaint();
    TGraphicControl::Click();
}

bool TRoundedButton::DialogChar(char key) {
    const auto amp = caption_.find('&');
    if (amp == std::string::npos || amp + 1 >= caption_.size() || !enabled_) return false;
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    if (lower(caption_[amp + 1]) != lower(key)) return false;
    Click();
    return true;
}

void TRoundedButton::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    const int w = width_, h = height_;
    UniqueRegion face = CreateShapeRegion(ButtonShapeRegion(shape_, w, h, cornerRadius_));
    if (face) {
        UniqueBrush fill(CreateSolidBrush(ColorRef(buttonColor_)));
        FillRgn(dc, face.get(), fill.get());
        const FaceOutline outline = ButtonFaceOutline(pressed_);
        OutlineRegion(dc, face.get(), outline.inner);
        OffsetRgn(face.get(), 1, 1);
        OutlineRegion(dc, face.get(), outline.moved);
    }
    const auto& system = CurrentSystemColors();
    const auto colors = ButtonRingColors(ResolveColor(ColorToRGB(frameColor_), system),
                                         ResolveColor(ColorToRGB(buttonColor_), system), frameWidth_);
    for (int i = 0; i < static_cast<int>(colors.size()); ++i) {
        UniqueRegion ring = CreateShapeRegion(ButtonRingRegion(shape_, w, h, cornerRadius_, i));
        OutlineRegion(dc, ring.get(), ColorFromRgb(colors[i]));
    }
    DrawCaption(dc);
    // A painted button is never larger than 145 x 145.
    if (w > MaxButtonExtent || h > MaxButtonExtent)
        SetBounds(left_, top_, LimitButtonExtent(w), LimitButtonExtent(h));
}

void TRoundedButton::DrawCaption(HDC dc) {
    savedFontColor_ = Font.Color();
    const CaptionPlan plan = PlanButtonCaption(textStyle_, pressed_, enabled_, savedFontColor_);
    TFont font;
    font.Assign(Font);
    if (plan.italicOnly) font.SetStyle(fsItalic);
    ScopedSelect select(dc, font.Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    auto draw = [&](const CaptionCopy& copy) {
        RECT rect{copy.dx, copy.dy, width_ + copy.dx, height_ + copy.dy};
        SetTextColor(dc, ColorRef(copy.color));
        DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rect,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    };
    if (plan.hasShadow) draw(plan.shadow);
    draw(plan.text);
    SetBkMode(dc, oldMode);
}

}  // namespace brisbolt
