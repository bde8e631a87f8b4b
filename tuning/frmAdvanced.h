// The Advanced window: one group of radio buttons per tuning value, started
// on the values in force in the system, every choice stored at once in the
// settings record and taken back when the window is left without accepting.
// The receive window follows the MTU and the line.
#pragma once

#include <cstdint>

#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "skin/ButtonHighlight.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"
#include "skin/SkinLabel.h"
#include "tuning/AdvancedChoices.h"
#include "tuning/ReceiveWindow.h"

namespace brisbolt {

inline constexpr const char* BottomLineText = "Brisbolt... Optimizes Your Internet Settings";
inline constexpr const char* ManualMtuRefused =
    "The MTU must be a whole number from 68 to 65535. The MTU setting has not been changed.";
// 6666 is stored to mean "Default Setting", so it cannot stand for itself.
inline constexpr const char* ManualMtuReserved =
    "The MTU 6666 cannot be chosen by hand: it stands for the Default Setting. The MTU setting has not been "
    "changed.";
// The caption colours of groups and radio buttons: normal and under the mouse.
inline constexpr TColor ChoiceSilver = clSilver;
inline constexpr TColor ChoiceLime = clLime;

class TfrmAdvanced : public TForm {
public:
    explicit TfrmAdvanced(TComponent* owner);

    TShapedForm* ShapedForm1;

    TGroupBox* gboxMTU;
    TRadioButton* rbtnMTUDefault;
    TRadioButton* rbtnMTU576;
    TRadioButton* rbtnMTU1400;
    TRadioButton* rbtnMTU1454;
    TRadioButton* rbtnMTU1492;
    TRadioButton* rbtnMTU1500;
    TRadioButton* rbtnMTU4464;
    TRadioButton* rbtnMTU8166;
    TRadioButton* rbtnMTU17914;
    TRadioButton* rbtnMTU65535;
    TRadioButton* rbtnMTUManual;
    TComboBox* comboMTUManual;

    TGroupBox* GroupBox1;
    TRadioButton* rbtnLineGood;
    TRadioButton* rbtnLineBad;

    TGroupBox* gboxAutoDiscovery;
    TRadioButton* rbtnMTUAutoYes;
    TRadioButton* rbtnMTUAutoNo;

    TGroupBox* gboxNDI;
    TRadioButton* rbtnNDIDefault;
    TRadioButton* rbtnNDI16;
    TRadioButton* rbtnNDI32;

    TGroupBox* gboxRWIN;
    TRadioButton* rbtnRWINDefault;
    TRadioButton* rbtnRWIN4;
    TRadioButton* rbtnRWIN6;
    TRadioButton* rbtnRWIN8;
    TRadioButton* rbtnRWIN10;
    TRadioButton* rbtnRWINManual;
    TSpinEdit* spinRWINMultiplier;
    TPanel* Panel2;
    TLabel* lblRWIN;

    TGroupBox* gboxTTL;
    TRadioButton* rbtnTTLDefault;
    TRadioButton* rbtnTTL128;
    TRadioButton* rbtnTTL64;

    TGroupBox* gboxSKA;
    TRadioButton* rbtnSKADefault;
    TRadioButton* rbtnSKA60;
    TRadioButton* rbtnSKA10;
    TRadioButton* rbtnSKAManual;
    TSpinEdit* spinSKA;

    TGroupBox* gboxBlackHole;
    TRadioButton* rbtnBlackHoleYes;
    TRadioButton* rbtnBlackHoleNo;

    TLabel* lblBottomLine;
    TSkinLabel* lblWaitToPress;
    TRoundedButton* btnHelp;
    TRoundedButton* btnMinimize;
    TRoundedButton* btnClose;
    TRoundedButton* btnAccelerateMe;
    TRoundedButton* btnCancel;
    // Opens the window that measures the line (tuning/frmFindMtu.h).
    TRoundedButton* btnFindMtu;

    // Hover state.
    TGroupBox* HighlightedGroup() const { return highlightedGroup_; }
    TRadioButton* HighlightedRadio() const { return highlightedRadio_; }
    TRoundedButton* HighlightedButton() const { return hover_.Current(); }

    void MarkChanged();
    void ShowSystemPMTUDiscovery();
    void ShowSystemBlackHoleDetect();
    void ShowSystemMTU();
    // Shows the receive window of the system or of the settings record;
    // returns the radio button it selected, or null.
    TRadioButton* ShowRwin(bool fromSystem);
    void ShowSystemNdiCacheSize();
    void ShowSystemKeepAlive();
    void ShowSystemTTL();
    void ShowLineCondition();
    void HighlightGroup(TGroupBox* group);
    void HighlightButton(TRoundedButton* button);
    void HighlightRadio(TRadioButton* radio);

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormShow(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void rbtnMTUClick(TComponent* sender);
    void btnFindMtuClick(TComponent* sender);
    // A measured MTU: its choice, or Manual Setting with the number, stored
    // as a click on it stores it.
    void UseFoundMtu(std::int32_t mtu);
    void rbtnLineConditionClick(TComponent* sender);
    void rbtnMTUAutoClick(TComponent* sender);
    void rbtnNDIClick(TComponent* sender);
    void rbtnRWINClick(TComponent* sender);
    void rbtnTTLClick(TComponent* sender);
    void rbtnSKAClick(TComponent* sender);
    void rbtnMTUBlackHoleClick(TComponent* sender);
    void btnAccelerateMeClick(TComponent* sender);
    void btnCancelClick(TComponent* sender);
    void btnCloseClick(TComponent* sender);
    void btnMinimizeClick(TComponent* sender);
    void btnHelpClick(TComponent* sender);
    void gboxMTUMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void rbtnMTUDefaultMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void btnAccelerateMeMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void ShapedForm1MouseMove(TComponent* sender, TShiftState shift, int x, int y);

private:
    TGroupBox* NewGroup(const char* name, const char* caption, int left, int top, int width, int height);
    TRadioButton* NewRadio(TGroupBox* group, const char* name, int left, int top, int width, const char* caption,
                           void (TfrmAdvanced::*handler)(TComponent*), const char* hint = "");
    // The start of every choice handler: false while the window sets its
    // own controls; else the click is heard.
    bool ClickTaken();
    // Selects with UpdatingControls set: nothing is stored.
    static void SelectQuietly(TRadioButton* radio);

    TGroupBox* highlightedGroup_ = nullptr;
    TRadioButton* highlightedRadio_ = nullptr;
    ButtonHighlight hover_;
    // The MTU button selected last, for a refused manual MTU.
    TRadioButton* mtuSelected_ = nullptr;
    // The record's values as the window found them; put back unless the
    // window is left through "Accelerate Me !".
    RecordCopy recordAtOpen_;
};

}  // namespace brisbolt
