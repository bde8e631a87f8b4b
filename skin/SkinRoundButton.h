// A small circular button with a glyph; it presses only inside its circle.
#pragma once

#include "runtime/Control.h"
#include "skin/SkinBackground.h"
#include "skin/SkinGlyph.h"

namespace brisbolt {

enum class TButtonType { btNormal, btInset };

class TSkinRoundButton : public TGraphicControl {
public:
    explicit TSkinRoundButton(TComponent* owner);

    TSkinGlyph Glyph;
    BackgroundLink Background{this};
    TButtonType ButtonType() const { return buttonType_; }
    void SetButtonType(TButtonType value);
    TColor UnUsedColor() const { return unUsedColor_; }
    void SetUnUsedColor(TColor value);
    void SetEnabled(bool enabled) override;

    bool Pressed() const { return pressed_; }
    bool Inside(int x, int y) const;

    // Its own mouse handling: no mouse events are passed on, only OnClick.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override {}
    void MouseLeave() override {}

protected:
    void Paint(TCanvas& canvas) override;
    // Space held on the focused button.
    void ShowKeyPress(bool pressed) override { SetPressed(pressed && enabled_); }

private:
    void DrawBevel(HDC dc);
    void SetPressed(bool pressed);

    TButtonType buttonType_ = TButtonType::btNormal;
    TColor unUsedColor_ = clLime;
    bool pressed_ = false;
    bool tracking_ = false;
    // What lies under the button, and its face: kept, as GDI objects are.
    TBitmap under_, face_;
};

}  // namespace brisbolt
