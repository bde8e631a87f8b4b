// Placeholder: the connection wizard, to be completed.
#pragma once

#include "runtime/Form.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"

namespace brisbolt {

class TfrmBrisboltMain : public TForm {
public:
    explicit TfrmBrisboltMain(TComponent* owner);

    TShapedForm* ShapedForm1;
};

}  // namespace brisbolt
