// The owner-drawn push button of the skinned windows: a capsule, oval or
// rounded rectangle with a soft bevel, a pressed face and a caption effect.
#pragma once

#include <vector>

#include "runtime/Control.h"
#include "skin/RoundedButtonMath.h"
#include "skin/SkinDraw.h"

namespace brisbolt {

class TRoundedButton : public TGraphicControl {
public:
    explicit TRoundedButton(TComponent* owner);

    TColor ButtonColor() const { return buttonColor_; }
    TColor FrameColor() const { return frameColor_; }
    int FrameWidth() const { return frameWidth_; }
    int CornerRadius() const { return cornerRadius_; }
    TFShape Shape() const { return shape_; }
    TTextStyle TextStyle() const { return textStyle_; }
    bool Pressed() const { return pressed_; }

    void SetButtonColor(TColor value);
    void SetFrameColor(TColor value);
    // Clamped against the size at the moment of setting.
    void SetFrameWidth(int value);
    void SetCornerRadius(int value);
    void SetShape(TFShape value);
    void SetTextStyle(TTextStyle value);

    void SetEnabled(bool enabled) override;
    void SetCaption(const std::string& caption) override;
    // A button whose caption was never set takes its component name.
    void Loaded() override;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Click() override;
    // Alt plus the letter after "&" clicks an enabled button.
    bool DialogChar(char key) override;

    // Whether the last left or middle press on any of these buttons began on
    // its face.
    static bool PressBeganInside() { return pressBeganInside_; }

protected:
    void Paint(TCanvas& canvas) override;
    // Space held on the focused button.
    void ShowKeyPress(bool pressed) override;

private:
    void DrawCaption(HDC dc);
    // The face and ring regions for the current size and shape, made when
    // they change, not on every paint.
    void PrepareRegions();

    struct Regions {
        TFShape shape = TFShape::shRectangle;
        int width = -1, height = -1, cornerRadius = -1, frameWidth = -1;
        UniqueRegion face, movedFace;
        std::vector<UniqueRegion> rings;
    } regions_;
    BrushCache brushes_;
    TFont captionFont_;

    TColor buttonColor_ = clGray;
    TColor frameColor_ = clBlack;
    int frameWidth_ = 15;
    int cornerRadius_ = 10;
    TFShape shape_ = TFShape::shRectangle;
    TTextStyle textStyle_ = TTextStyle::txNone;
    bool pressed_ = false;
    bool captionSet_ = false;
    TColor savedFontColor_ = clBlack;

    static bool pressBeganInside_;
};

}  // namespace brisbolt
