// The About box: the product's name and its maker on the skinned picture,
// closed with "OK".
#pragma once

#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"

namespace brisbolt {

class TfrmAbout : public TForm {
public:
    explicit TfrmAbout(TComponent* owner);

    TShapedForm* ShapedForm1;
    TRoundedButton* btnOK;
    TMemo* Memo1;

    // Handlers.
    void btnOKClick(TComponent* sender);
    void btnOKMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void ShapedForm1MouseMove(TComponent* sender, TShiftState shift, int x, int y);
};

}  // namespace brisbolt
