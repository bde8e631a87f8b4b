// Placeholder: the Automatic window, to be completed.
#pragma once

#include "runtime/Form.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"

namespace brisbolt {

class TfrmAutomatic : public TForm {
public:
    explicit TfrmAutomatic(TComponent* owner);

    TShapedForm* ShapedForm1;
    TRoundedButton* btnAccelerateMe;
    TRoundedButton* btnCancel;
};

}  // namespace brisbolt
