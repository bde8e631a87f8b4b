// A panel with an outer and an inner bevel frame, an optional background
// and a 3-D caption.
#pragma once

#include "runtime/StdControls.h"
#include "skin/Font3D.h"
#include "skin/SkinBackground.h"
#include "skin/SkinFrame.h"

namespace brisbolt {

class TSkinPanel : public TPanel {
public:
    explicit TSkinPanel(TComponent* owner);

    TFont3D Font3D;
    TSkinFrame FrameInner;
    TSkinFrame FrameOuter;
    BackgroundLink Background{this};
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool DlgFrame() const { return dlgFrame_; }
    void SetDlgFrame(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int Borderwidth() const { return borderwidth_; }
    // Values of 0 and below are not taken (the panel still repaints).
    void SetBorderwidth(int value);

    // The area left to the controls inside.
    RECT ChildArea() const;

protected:
    void PaintWindow(HDC dc) override;

private:
    TAlignment alignment_ = TAlignment::Center;
    bool dlgFrame_ = false;
    bool autoSize_ = false;
    int borderwidth_ = 0;
};

}  // namespace brisbolt
