#include "skin/RoundedButton.h"

#include <algorithm>
#include <cctype>

#include "skin/SkinDraw.h"

namespace brisbolt {

bool TRoundedButton::pressBeganInside_ = false;

TRoundedButton::TRoundedButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 78;
    height_ = 46;
    Cursor = IDC_HAND;
    tabStop_ = true;
}

void TRoundedButton::ShowKeyPress(bool pressed) {
    pressed_ = pressed;
    Repaint();
}

void TRoundedButton::SetButtonColor(TColor value) {
    if (value == buttonColor_) return;
    buttonColor_ = value;
    brushes_.Clear();
    Invalidate();
}

void TRoundedButton::SetFrameColor(TColor value) {
    if (value == frameColor_) return;
    frameColor_ = value;
    brushes_.Clear();
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
    captionSet_ = true;
    TGraphicControl::SetCaption(caption);
    Invalidate();
}

void TRoundedButton::Loaded() {
    TGraphicControl::Loaded();
    if (!captionSet_) SetCaption(Name);
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
    const char accelerator = CaptionAccelerator(caption_);
    if (accelerator == 0 || !enabled_) return false;
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    if (lower(accelerator) != lower(key)) return false;
    Click();
    return true;
}

void TRoundedButton::PrepareRegions() {
    Regions& r = regions_;
    if (r.shape == shape_ && r.width == width_ && r.height == height_ && r.cornerRadius == cornerRadius_ &&
        r.frameWidth == frameWidth_)
        return;
    r.shape = shape_;
    r.width = width_;
    r.height = height_;
    r.cornerRadius = cornerRadius_;
    r.frameWidth = frameWidth_;
    r.face = CreateShapeRegion(ButtonShapeRegion(shape_, width_, height_, cornerRadius_));
    r.movedFace = CreateShapeRegion(ButtonShapeRegion(shape_, width_, height_, cornerRadius_));
    if (r.movedFace) OffsetRgn(r.movedFace.get(), 1, 1);
    r.rings.clear();
    for (int i = 0; i < frameWidth_; ++i)
        r.rings.push_back(CreateShapeRegion(ButtonRingRegion(shape_, width_, height_, cornerRadius_, i)));
}

void TRoundedButton::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    const int w = width_, h = height_;
    PrepareRegions();
    if (regions_.face) {
        FillRgn(dc, regions_.face.get(), brushes_.Get(buttonColor_));
        const FaceOutline outline = ButtonFaceOutline(pressed_);
        OutlineRegion(dc, regions_.face.get(), brushes_.Get(outline.inner));
        OutlineRegion(dc, regions_.movedFace.get(), brushes_.Get(outline.moved));
    }
    const auto& system = CurrentSystemColors();
    const auto colors = ButtonRingColors(ResolveColor(ColorToRGB(frameColor_), system),
                                         ResolveColor(ColorToRGB(buttonColor_), system), frameWidth_);
    const int rings = std::min(static_cast<int>(colors.size()), static_cast<int>(regions_.rings.size()));
    for (int i = 0; i < rings; ++i) OutlineRegion(dc, regions_.rings[i].get(), brushes_.Get(ColorRef(colors[i])));
    DrawCaption(dc);
    if (ShowsFocus()) {
        const ShapeRegion box = ButtonFocusRect(shape_, w, h, cornerRadius_);
        DrawFocusBox(dc, RECT{box.left, box.top, box.right, box.bottom});
    }
    // A painted button is never larger than 145 x 145.
    if (w > MaxButtonExtent || h > MaxButtonExtent) SetBounds(left_, top_, LimitButtonExtent(w), LimitButtonExtent(h));
}

void TRoundedButton::DrawCaption(HDC dc) {
    savedFontColor_ = Font.Color();
    const CaptionPlan plan = PlanButtonCaption(textStyle_, pressed_, enabled_, savedFontColor_);
    TFont wanted;  // no handle of its own: only compared
    wanted.Assign(Font);
    if (plan.italicOnly) wanted.SetStyle(fsItalic);
    captionFont_.Assign(wanted);  // keeps its handle while nothing changes
    ScopedSelect select(dc, captionFont_.Handle());
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
