// The "Find..." window of the Advanced window: measures the largest packet
// that reaches a host unfragmented and offers it as the MTU. The search
// runs on a worker; CANCEL, Esc and Alt+F4 stop it and close the window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/MtuProbe.h"
#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"

namespace brisbolt {

class TfrmFindMtu : public TForm {
public:
    // `host` fills the host box; empty: the nearby host the registry names.
    explicit TfrmFindMtu(TComponent* owner, const std::string& host = {});

    TShapedForm* ShapedForm1;
    TLabel* lblHost;
    TComboBox* comboHost;
    TRoundedButton* btnStart;
    TMemo* memoProgress;
    TRoundedButton* btnUseMtu;
    TRoundedButton* btnCancel;
    TMtuProbe* MtuProbe1;

    // The MTU the last search found; 0 when none. "Use this MTU" ends the
    // window with mrOk.
    std::int32_t FoundMtu() const { return foundMtu_; }
    // What the progress display shows, a line a line.
    std::string ProgressText() const;

    // Handlers.
    void btnStartClick(TComponent* sender);
    void btnUseMtuClick(TComponent* sender);
    void btnCancelClick(TComponent* sender);
    void MtuProbe1Progress(TComponent* sender, const MtuProgress& progress);
    void MtuProbe1Result(TComponent* sender, const MtuResult& result);

private:
    void ShowLines(const std::string& text);
    std::string searchedHost_;
    std::int32_t foundMtu_ = 0;
};

}  // namespace brisbolt
