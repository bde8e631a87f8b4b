// Placeholder: the Advanced window, to be completed.
#pragma once

#include "runtime/Form.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"

namespace brisbolt {

class TfrmAdvanced : public TForm {
public:
    explicit TfrmAdvanced(TComponent* owner);

    TShapedForm* ShapedForm1;
    TRoundedButton* btnAccelerateMe;
    TRoundedButton* btnCancel;
};

}  // namespace brisbolt
