// A picture that makes its form a borderless window cut to a stored
// outline, sized to the picture, and dragged around by the picture.
#pragma once

#include <memory>
#include <stdexcept>

#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "skin/ShapedRegion.h"

namespace brisbolt {

class TShapedForm : public TImage {
public:
    explicit TShapedForm(TComponent* owner);
    ~TShapedForm() override;

    // Only a form can be shaped: anything else raises "Please Drop on a Form"
    // (after the parent has been set).
    void SetParent(TWinControl* parent) override;
    void Loaded() override;

    TShapedRegion& Mask() { return *mask_; }
    // Takes the given mask's outline; in every case applies the outline.
    void SetMask(const TShapedRegion* mask);
    // Gives the form's window the outline (a null one makes it rectangular).
    void ApplyMask();

    // A new picture sizes the form's client area to it.
    void SetPicture(const TBitmap& picture);
    bool LoadPictureFromResource(const char* name);

    bool Moveable = true;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    void PictureChanged();
    TForm* ParentForm() const;

    std::unique_ptr<TShapedRegion> mask_;
    int pressX_ = 0, pressY_ = 0;
};

}  // namespace brisbolt
