// The apply window: a red bar fills up under changing messages; in apply
// mode the settings record is then written into the system and the user is
// asked when to restart.
#pragma once

#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "runtime/Timer.h"
#include "skin/ButtonHighlight.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"
#include "skin/SkinLabel.h"
#include "tuning/ApplySettings.h"

namespace brisbolt {

inline constexpr const char* RebootLine1 = "Brisbolt must reboot your system";
inline constexpr const char* RebootLine2 = "to lock in the changes.";
// When not one system value could be written (typically: no right to change
// the system keys on NT, 2000 or XP).
inline constexpr const char* NotWrittenMessage = "Your settings could not be written.";
inline constexpr const char* NotWrittenLine1 = "The settings were not written:";
inline constexpr const char* NotWrittenLine2 = "administrator rights are needed.";
// Vista and later tune these values themselves: the display says that
// instead of what it would be doing, and nothing is written.
inline constexpr const char* LaterWindowsMessage = "Windows tunes this connection itself.";
inline constexpr const char* LaterWindowsLine1 = "Nothing was changed: this Windows";
inline constexpr const char* LaterWindowsLine2 = "tunes these values itself.";

class TfrmMakeRegistryChanges : public TForm {
public:
    explicit TfrmMakeRegistryChanges(TComponent* owner);

    TShapedForm* ShapedForm1;
    TSkinLabel* lblActionItem2;
    TImage* imgRedLeft;
    TImage* imgRed[10];  // imgRed[2] to imgRed[9]
    TImage* imgRedRight;
    TLabel* lblReboot1;
    TLabel* lblReboot2;
    TRoundedButton* btnRebootNow;
    TRoundedButton* btnRebootLater;
    TTimer* tmrRedBar;
    TTimer* tmrStayOnScreen;

    // 0: the display alone; 1: apply, then offer the restart.
    void StartRun(int mode);
    int ApplyMode() const { return applyMode_; }
    int StepCounter() const { return stepCounter_; }
    TRoundedButton* HighlightedButton() const { return hover_.Current(); }
    const ApplyOutcome& Outcome() const { return outcome_; }

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormShow(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void tmrRedBarTimer(TComponent* sender);
    void tmrStayOnScreenTimer(TComponent* sender);
    void btnRebootNowClick(TComponent* sender);
    void btnRebootLaterClick(TComponent* sender);
    void ButtonMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void ShapedForm1MouseMove(TComponent* sender, TShiftState shift, int x, int y);

private:
    void PrepareDisplay();
    void ShowBar(int segment);
    void ShowRestartPrompt();
    void ShowNotWritten();
    void EndDisplay();
    void RebootLater();
    TRoundedButton* NewButton(const char* name, int left);
    TLabel* NewRebootLabel(const char* name, int left, int top, int width, const char* caption);

    int applyMode_ = 0;
    int stepCounter_ = 0;
    bool rightCapMoving_ = false;
    bool firstTick_ = true;
    bool laterWindows_ = false;
    ButtonHighlight hover_;
    ApplyOutcome outcome_;
};

}  // namespace brisbolt
