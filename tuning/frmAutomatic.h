// The automatic window: six improvement items appear and tick one after
// another, then the preset of the stored connection type is written into
// the settings record and "Accelerate Me !" may be pressed.
#pragma once

#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "runtime/Timer.h"
#include "skin/ButtonHighlight.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"
#include "skin/SkinBackground.h"
#include "skin/SkinCheckBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinRoundButton.h"
#include "skin/WindowParts.h"

namespace brisbolt {

class TfrmAutomatic : public TForm {
public:
    explicit TfrmAutomatic(TComponent* owner);

    TLabel* lblItemsToBePrepared = nullptr;
    TSkinLabel* lblReadyToGo = nullptr;
    TLabel* lblBottomLine = nullptr;
    TTimer* tmrDelayCheckboxes = nullptr;
    TShapedForm* ShapedForm1 = nullptr;
    TRoundedButton* btnHelp = nullptr;
    TRoundedButton* btnMinimize = nullptr;
    TRoundedButton* btnClose = nullptr;
    TSkinBackground* SkinBackground1 = nullptr;
    TRoundedButton* btnAccelerateMe = nullptr;
    TRoundedButton* btnCancel = nullptr;
    TPanel* Panel1 = nullptr;
    TSkinRoundButton* btnMaxMTU = nullptr;
    TSkinRoundButton* btnRWin = nullptr;
    TSkinRoundButton* btnNDICache = nullptr;
    TSkinRoundButton* btnPMTU = nullptr;
    TSkinRoundButton* btnTTL = nullptr;
    TSkinRoundButton* btnKeepalive = nullptr;
    TSkinCheckBox* cbxMaxMTU = nullptr;
    TSkinCheckBox* cbxRWin = nullptr;
    TSkinCheckBox* cbxNDICache = nullptr;
    TSkinCheckBox* cbxPMTU = nullptr;
    TSkinCheckBox* cbxTTL = nullptr;
    TSkinCheckBox* cbxKeepalive = nullptr;
    TTimer* tmrDelayClose = nullptr;
    TSkinLabel* lblWaitToPress = nullptr;

    // The preset of the stored code into the settings record; the code
    // becomes the one in use, and nothing stored is applied yet.
    void StoreAutomaticSettings();
    // Shows one item, waits, ticks it and shows its marker; false when the
    // preparation has been stopped or the window is closing.
    bool PrepareItem(TSkinCheckBox* checkBox, TSkinRoundButton* marker, bool checked);
    bool PreparationGoesOn() const;
    void ClearItems();
    void ClearItem(TSkinCheckBox* checkBox, TSkinRoundButton* marker);
    void HighlightButton(TRoundedButton* button);
    TRoundedButton* HighlightedButton() const { return hover_.Current(); }

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormShow(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void tmrDelayCheckboxesTimer(TComponent* sender);
    void tmrDelayCloseTimer(TComponent* sender);
    void btnAccelerateMeClick(TComponent* sender);
    void btnCancelClick(TComponent* sender);
    void btnCloseClick(TComponent* sender);
    void btnMinimizeClick(TComponent* sender);
    void btnHelpClick(TComponent* sender);
    void ButtonMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void ShapedForm1MouseMove(TComponent* sender, TShiftState shift, int x, int y);

private:
    TRoundedButton* NewPushButton(const ButtonLook& look, const char* name, int left, int top, int width, int height,
                                  const char* caption, const char* hint = "");
    TSkinRoundButton* NewMarker(const char* name, int row);
    TSkinCheckBox* NewItem(const char* name, int row, const char* caption, const char* hint);
    TSkinLabel* NewStatusLabel(const char* name, const char* caption);
    TTimer* NewTimer(const char* name, unsigned interval, void (TfrmAutomatic::*handler)(TComponent*));

    ButtonHighlight hover_;
};

}  // namespace brisbolt
