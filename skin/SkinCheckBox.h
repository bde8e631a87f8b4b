// A native check box (or toggle button) whose face is a picture painted
// here: a colour or background with 3-D text.
#pragma once

#include "runtime/StdControls.h"
#include "skin/Font3D.h"
#include "skin/SkinBackground.h"

namespace brisbolt {

class TSkinCheckBox : public TCheckBox {
public:
    explicit TSkinCheckBox(TComponent* owner);

    TFont3D Font3D;
    BackgroundLink Background{this};

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // These three re-create the window.
    bool AsButton() const { return asButton_; }
    void SetAsButton(bool value);
    bool ButtonSunk() const { return buttonSunk_; }
    void SetButtonSunk(bool value);
    TAlignment AlignButton() const { return alignButton_; }
    void SetAlignButton(TAlignment value);

    // The face as last painted.
    const TBitmap& Face() const { return face_; }
    // Where the text goes on the face.
    RECT TextRect() const;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateWnd() override;

private:
    void Recreate();
    void PaintFace();

    TAlignment alignment_ = TAlignment::LeftJustify;
    bool wordWrap_ = false;
    bool asButton_ = false;
    bool buttonSunk_ = true;
    TAlignment alignButton_ = TAlignment::LeftJustify;
    TBitmap face_;
    UniqueBitmap handedImage_;  // the copy the native button draws
};

}  // namespace brisbolt
