#include "shell/frmBrisboltMain.h"

#include "resources/ResourceNames.h"
#include "skin/WindowParts.h"

namespace brisbolt {

TfrmBrisboltMain::TfrmBrisboltMain(TComponent* owner) : TForm(owner) {
    Name = "frmBrisboltMain";
    SetCaption("Brisbolt - the full-featured Internet and LAN acceleration tool");
    BorderStyle = TBorderStyle::None;
    Position = TPosition::ScreenCenter;
    SetBounds(0, 0, 600, 228);
    ShapedForm1 = NewSkin(this, resources::SkinWizard, resources::MaskWizard);
}

}  // namespace brisbolt
