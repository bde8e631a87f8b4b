// The connection wizard: step 1 picks the connection type (stored at once),
// step 2 the method, which opens the automatic or the full-control window.
// It also saves the original values on the first run, opens the help page,
// hides the program to the tray or quits it.
#pragma once

#include <string>

#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "runtime/Timer.h"
#include "skin/ButtonHighlight.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"
#include "skin/SkinBackground.h"
#include "skin/SkinPanel.h"
#include "skin/SkinRoundButton.h"

namespace brisbolt {

inline constexpr const char* UnexpectedConnectionMessage = "Brisbolt.rbtnDialupClick: Unexpected connection tag";
inline constexpr const char* HideCaption = "HIDE";
inline constexpr const char* HideHint = "Press again to hide the panel.  (It will disappear in a few seconds...)";
inline constexpr const char* ExplainCaption = "?";
inline constexpr const char* ExplainHint = "What speed increase can you expect ?";
// Shown once by the wizard on Vista and later, where it saves and changes nothing.
inline constexpr const char* LaterWindowsNotice =
    "Brisbolt tunes Windows 95, 98, Me, NT 4.0, 2000 and XP. This Windows tunes these network values itself, "
    "so Brisbolt will change nothing here.";

class TfrmBrisboltMain : public TForm {
public:
    explicit TfrmBrisboltMain(TComponent* owner);

    TSkinRoundButton* btnMinimize;
    TSkinRoundButton* btnExit;
    TImage* Image1;
    TBevel* Bevel2;
    TBevel* Bevel1;
    TShapedForm* ShapedForm1;
    TRoundedButton* btnHelp;
    TRoundedButton* RoundedButton1;
    TRoundedButton* btnClose;
    TRoundedButton* btnHide;
    TPanel* pnlConnectionMethod;
    TLabel* Label1;
    TRadioButton* rbtnDialup;
    TRadioButton* rbtnDSL1;
    TRadioButton* rbtnDSL2;
    TRadioButton* rbtnDSL3;
    TRadioButton* rbtnCable;
    TRadioButton* rbtnLAN;
    TPanel* pnlSelectAccelerationMethod;
    TLabel* Label2;
    TRoundedButton* btnPrepareSystem;
    TRoundedButton* btnFullControl;
    TSkinPanel* pnlInitialExplanation;
    TSkinPanel* SkinPanel2;
    TLabel* lblLine1;
    TLabel* lblLine2;
    TLabel* lblLine3;
    TLabel* lblLine4;
    TSkinBackground* SkinBackground1;
    TSkinBackground* SkinBackground2;
    TTimer* tmrPanelOnScreen;

    void EnableMethodButtons(bool enabled);
    // The radio button of a connection type code, or null.
    TRadioButton* RadioOfCode(const std::string& code) const;
    // Checks the radio button of the stored code; false when none is stored.
    bool RestoreConnectionChoice();
    void ShowAutomatic();
    void ShowAdvanced();
    void HighlightButton(TRoundedButton* button);
    void HighlightStep(TControl* area);
    void HighlightRadio(TRadioButton* radio);

    TRoundedButton* HighlightedButton() const { return hover_.Current(); }
    TControl* HighlightedStep() const { return highlightedStep_; }
    TRadioButton* HighlightedRadio() const { return highlightedRadio_; }

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormShow(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void rbtnDialupClick(TComponent* sender);
    void btnPrepareSystemClick(TComponent* sender);
    void btnFullControlClick(TComponent* sender);
    void btnMinimizeClick(TComponent* sender);
    void btnCloseClick(TComponent* sender);
    void btnExitClick(TComponent* sender);
    void btnHelpClick(TComponent* sender);
    void btnHideClick(TComponent* sender);
    void tmrPanelOnScreenTimer(TComponent* sender);
    void ButtonMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void RadiobuttonMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void pnlConnectionMethodMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void pnlSelectAccelerationMethodMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void ShapedForm1MouseMove(TComponent* sender, TShiftState shift, int x, int y);

private:
    TRadioButton* NewRadio(const char* name, int top, const char* caption, const char* hint);
    TRoundedButton* NewSmallButton(const char* name, int left, int top, int width, int height, const char* caption,
                                   const char* hint);
    TRoundedButton* NewMethodButton(const char* name, int top, const char* caption, const char* hint);
    TLabel* NewLine(const char* name, int left, int top, int width, const char* caption);
    // After a method window: 6 and 4 close the wizard, anything else shows it again.
    void MethodWindowClosed(int result);
    void GoToTrayLater();
    // The two step panels, under the explanation panel while it shows.
    void ShowSteps(bool shown);

    ButtonHighlight hover_;
    TControl* highlightedStep_ = nullptr;
    TRadioButton* highlightedRadio_ = nullptr;
    // Vista or later: the wizard has said so and ends as soon as it is shown.
    bool laterWindows_ = false;
};

}  // namespace brisbolt
