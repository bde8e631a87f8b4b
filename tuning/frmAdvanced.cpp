#include "tuning/frmAdvanced.h"

#include "resources/ResourceNames.h"
#include "skin/WindowParts.h"

namespace brisbolt {

TfrmAdvanced::TfrmAdvanced(TComponent* owner) : TForm(owner) {
    Name = "frmAdvanced";
    SetCaption("Brisbolt - Advanced Settings");
    BorderStyle = TBorderStyle::None;
    Position = TPosition::ScreenCenter;
    SetBounds(0, 0, 600, 460);
    ShapedForm1 = NewSkin(this, resources::SkinAdvanced, resources::MaskAdvanced);
    btnAccelerateMe = NewButton(this, this, ActionButtonLook, "btnAccelerateMe", 160, 410, 127, 31, "Accelerate Me !");
    btnAccelerateMe->OnClick = [this](TComponent*) { ModalResult = mrYes; };
    btnCancel = NewButton(this, this, ActionButtonLook, "btnCancel", 313, 410, 127, 31, "CANCEL");
    btnCancel->OnClick = [this](TComponent*) { ModalResult = mrNo; };
}

}  // namespace brisbolt
