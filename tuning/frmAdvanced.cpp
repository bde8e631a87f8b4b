#include "tuning/frmAdvanced.h"

#include <memory>
#include <string>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "app/Services.h"
#include "tuning/frmFindMtu.h"

namespace brisbolt {

void TfrmAdvanced::SelectQuietly(TRadioButton* radio) {
    if (!radio) return;
    UpdatingControls = true;
    radio->SetChecked(true);
    UpdatingControls = false;
}

TRadioButton* TfrmAdvanced::MtuButton(std::int32_t mtu) const {
    switch (mtu) {
        case 576: return rbtnMTU576;
        case 1400: return rbtnMTU1400;
        case 1454: return rbtnMTU1454;
        case 1492: return rbtnMTU1492;
        case 1500: return rbtnMTU1500;
        case 4464: return rbtnMTU4464;
        case 8166: return rbtnMTU8166;
        case 17914: return rbtnMTU17914;
        case 65535: return rbtnMTU65535;
        default: return nullptr;
    }
}

TRadioButton* TfrmAdvanced::RwinButton(RwinChoice choice) const {
    switch (choice) {
        case RwinChoice::Default: return rbtnRWINDefault;
        case RwinChoice::Times4: return rbtnRWIN4;
        case RwinChoice::Times6: return rbtnRWIN6;
        case RwinChoice::Times8: return rbtnRWIN8;
        case RwinChoice::Times10: return rbtnRWIN10;
        case RwinChoice::Manual: return rbtnRWINManual;
        default: return nullptr;
    }
}

RwinChoice TfrmAdvanced::SelectedRwinChoice() const {
    for (RwinChoice choice : {RwinChoice::Default, RwinChoice::Times4, RwinChoice::Times6, RwinChoice::Times8,
                              RwinChoice::Times10, RwinChoice::Manual})
        if (RwinButton(choice)->Checked()) return choice;
    return RwinChoice::None;
}

// --- Start-up

void TfrmAdvanced::FormCreate(TComponent*) {
    recordAtOpen_ = RecordCopy::Take();
    lblBottomLine->SetCaption(BottomLineText);
    UpdatingControls = true;
    ShowSystemPMTUDiscovery();
    ShowSystemBlackHoleDetect();
    ShowSystemMTU();
    ShowRwin(true);
    ShowSystemNdiCacheSize();
    ShowSystemKeepAlive();
    ShowSystemTTL();
    ShowLineCondition();
    UpdatingControls = false;
    highlightedGroup_ = nullptr;
    highlightedRadio_ = nullptr;
    hover_.Forget();
}

void TfrmAdvanced::FormShow(TComponent*) {}

void TfrmAdvanced::ShowSystemPMTUDiscovery() {
    UpdatingControls = true;
    (SwitchOn(GetSystemPMTUDiscovery()) ? rbtnMTUAutoYes : rbtnMTUAutoNo)->SetChecked(true);
    Application->ProcessMessages();
    UpdatingControls = false;
}

void TfrmAdvanced::ShowSystemBlackHoleDetect() {
    UpdatingControls = true;
    (SwitchOn(GetSystemPMTUBlackHoleDetect()) ? rbtnBlackHoleYes : rbtnBlackHoleNo)->SetChecked(true);
    Application->ProcessMessages();
    UpdatingControls = false;
}

void TfrmAdvanced::ShowSystemMTU() {
    UpdatingControls = true;
    const MtuShown shown = ShowMtuFor(GetSystemMTU());
    CurrentMtu = shown.currentMtu;
    switch (shown.kind) {
        case MtuShown::Kind::Default: rbtnMTUDefault->SetChecked(true); break;
        case MtuShown::Kind::Preset: MtuButton(shown.currentMtu)->SetChecked(true); break;
        case MtuShown::Kind::Manual: rbtnMTUManual->SetChecked(true); break;
    }
    if (shown.comboItem >= 0)
        comboMTUManual->SetItemIndex(shown.comboItem);
    else
        comboMTUManual->SetText(shown.comboText);
    Application->ProcessMessages();
    UpdatingControls = false;
}

TRadioButton* TfrmAdvanced::ShowRwin(bool fromSystem) {
    UpdatingControls = true;
    for (TRadioButton* radio : {rbtnRWINDefault, rbtnRWIN4, rbtnRWIN6, rbtnRWIN8, rbtnRWIN10, rbtnRWINManual})
        radio->SetChecked(false);
    Application->ProcessMessages();
    RwinShowInput input;
    input.found = fromSystem ? GetSystemRcvWindow() : GetRwin();
    input.connection = CurrentConnection;
    input.nineX = Is9xFamily();
    input.goodSelected = rbtnLineGood->Checked();
    input.badSelected = rbtnLineBad->Checked();
    input.lineChanged = LineChanged;
    input.currentMtu = CurrentMtu;
    const RwinShown shown = ShowRwinFor(input);
    CurrentMtu = shown.currentMtu;
    if (shown.defaultSelected) rbtnRWINDefault->SetChecked(true);
    if (shown.choice == RwinChoice::Manual) spinRWINMultiplier->SetValue(shown.spin);
    TRadioButton* selected = RwinButton(shown.choice);
    if (selected) selected->SetChecked(true);
    Application->ProcessMessages();
    lblRWIN->SetCaption(std::to_string(shown.window));
    UpdatingControls = false;
    return selected;
}

void TfrmAdvanced::ShowSystemNdiCacheSize() {
    UpdatingControls = true;
    switch (NdiChoiceFor(GetSystemNdiCacheSize())) {
        case NdiChoice::Default: rbtnNDIDefault->SetChecked(true); break;
        case NdiChoice::Sixteen: rbtnNDI16->SetChecked(true); break;
        case NdiChoice::ThirtyTwo: rbtnNDI32->SetChecked(true); break;
    }
    Application->ProcessMessages();
    UpdatingControls = false;
}

void TfrmAdvanced::ShowSystemKeepAlive() {
    UpdatingControls = true;
    const KeepAliveShown shown = KeepAliveFor(GetSystemKeepAlive());
    switch (shown.choice) {
        case KeepAliveChoice::Default: rbtnSKADefault->SetChecked(true); break;
        case KeepAliveChoice::TenMinutes: rbtnSKA10->SetChecked(true); break;
        case KeepAliveChoice::SixtyMinutes: rbtnSKA60->SetChecked(true); break;
        case KeepAliveChoice::Manual:
            rbtnSKAManual->SetChecked(true);
            spinSKA->SetValue(shown.minutes);
            break;
    }
    Application->ProcessMessages();
    UpdatingControls = false;
}

void TfrmAdvanced::ShowSystemTTL() {
    UpdatingControls = true;
    switch (TtlChoiceFor(GetSystemTTL())) {
        case TtlChoice::SixtyFour: rbtnTTL64->SetChecked(true); break;
        case TtlChoice::OneTwentyEight: rbtnTTL128->SetChecked(true); break;
        case TtlChoice::Default: rbtnTTLDefault->SetChecked(true); break;
    }
    Application->ProcessMessages();
    UpdatingControls = false;
}

void TfrmAdvanced::ShowLineCondition() {
    UpdatingControls = true;
    LineGood = GetLine();
    (LineGood ? rbtnLineGood : rbtnLineBad)->SetChecked(true);
    Application->ProcessMessages();
    UpdatingControls = false;
}

// --- Choices

void TfrmAdvanced::MarkChanged() {
    ChangesPending = true;
    lblWaitToPress->Hide();
    btnAccelerateMe->SetEnabled(true);
    SystemAccelerated = false;
}

void TfrmAdvanced::rbtnMTUClick(TComponent* sender) {
    auto* radio = dynamic_cast<TRadioButton*>(sender);
    TRadioButton* previous = mtuSelected_;
    if (radio) mtuSelected_ = radio;
    if (UpdatingControls) return;
    PlayClick();
    if (!rbtnMTUDefault->Checked()) {
        std::int32_t mtu = CurrentMtu;
        if (rbtnMTUManual->Checked()) {
            // Nothing below 68 or above 65535 is an MTU; a number of 40 or
            // less would leave no segment for the receive window.
            const auto typed = ParseManualMtu(comboMTUManual->Text());
            if (!typed || *typed == MtuDefaultMarker) {
                ShowMessage(typed ? ManualMtuReserved : ManualMtuRefused);
                SelectQuietly(previous);
                return;
            }
            mtu = *typed;
        } else if (radio && radio->Checked()) {
            for (std::int32_t preset : PresetMtus)
                if (MtuButton(preset) == radio) mtu = preset;
        }
        MarkChanged();
        CurrentMtu = mtu;
        SetMtu(false, CurrentMtu);
    } else {
        MarkChanged();
        // The marker leaves every adapter at the system's own MTU.
        SetMtu(false, MtuDefaultMarker);
    }
    rbtnRWINClick(sender);
}

void TfrmAdvanced::btnFindMtuClick(TComponent*) {
    PlayClick();
    std::unique_ptr<TfrmFindMtu> find(new TfrmFindMtu(this));
    find->AfterConstruction();
    if (find->ShowModal() == mrOk) UseFoundMtu(find->FoundMtu());
}

void TfrmAdvanced::UseFoundMtu(std::int32_t mtu) {
    TRadioButton* radio = MtuButton(mtu);
    if (!radio) {
        radio = rbtnMTUManual;
        comboMTUManual->SetText(std::to_string(mtu));
    }
    SelectQuietly(radio);
    rbtnMTUClick(radio);
}

void TfrmAdvanced::rbtnRWINClick(TComponent*) {
    if (UpdatingControls) return;
    PlayClick();
    MarkChanged();
    const RwinStored stored = StoreRwinFor(SelectedRwinChoice(), spinRWINMultiplier->Value(), CurrentMtu, Is9xFamily());
    if (stored.capped) {
        spinRWINMultiplier->SetValue(stored.spin);
        if (TRadioButton* fits = RwinButton(stored.select)) SelectQuietly(fits);
    }
    lblRWIN->SetCaption(std::to_string(stored.rwin));
    SetRwin(stored.rwin);
}

void TfrmAdvanced::rbtnLineConditionClick(TComponent* sender) {
    if (UpdatingControls) return;
    PlayClick();
    const bool good = rbtnLineGood->Checked();
    LineChanged = (LineGood && rbtnLineBad->Checked()) || (!LineGood && good);
    LineGood = good;
    MarkChanged();
    SetLine(LineGood);
    ShowRwin(false);
    rbtnRWINClick(sender);
    LineChanged = false;
}

void TfrmAdvanced::rbtnMTUAutoClick(TComponent* sender) {
    if (UpdatingControls) return;
    PlayClick();
    MarkChanged();
    SetPMTUDiscover(sender == rbtnMTUAutoYes ? 1 : 0);
}

void TfrmAdvanced::rbtnMTUBlackHoleClick(TComponent* sender) {
    if (UpdatingControls) return;
    PlayClick();
    MarkChanged();
    SetPMTUBlackHoleDetect(sender == rbtnBlackHoleYes ? 1 : 0);
}

void TfrmAdvanced::rbtnTTLClick(TComponent* sender) {
    if (UpdatingControls) return;
    PlayClick();
    MarkChanged();
    const TtlChoice choice = sender == rbtnTTLDefault ? TtlChoice::Default
                             : sender == rbtnTTL64    ? TtlChoice::SixtyFour
                                                      : TtlChoice::OneTwentyEight;
    SetTtl(TtlToStore(choice));
}

void TfrmAdvanced::rbtnSKAClick(TComponent* sender) {
    if (UpdatingControls) return;
    PlayClick();
    MarkChanged();
    const KeepAliveChoice choice = sender == rbtnSKADefault ? KeepAliveChoice::Default
                                   : sender == rbtnSKA10    ? KeepAliveChoice::TenMinutes
                                   : sender == rbtnSKA60    ? KeepAliveChoice::SixtyMinutes
                                                            : KeepAliveChoice::Manual;
    SetSka(KeepAliveToStore(choice, spinSKA->Value()));
}

void TfrmAdvanced::rbtnNDIClick(TComponent* sender) {
    if (UpdatingControls) return;
    PlayClick();
    MarkChanged();
    const NdiChoice choice = sender == rbtnNDI16   ? NdiChoice::Sixteen
                             : sender == rbtnNDI32 ? NdiChoice::ThirtyTwo
                                                   : NdiChoice::Default;
    const NdiStore store = NdiStoreFor(rbtnMTUDefault->Checked(), choice);
    SetNdi(store.useDefault, store.text);
}

// --- Buttons

void TfrmAdvanced::btnAccelerateMeClick(TComponent*) {
    PlayClick();
    if (!ChangesPending) {
        ModalResult = mrNo;
        return;
    }
    btnAccelerateMe->SetEnabled(false);
    ChangesPending = true;
    ModalResult = mrYes;
}

void TfrmAdvanced::btnCancelClick(TComponent*) {
    PlayClick();
    ChangesPending = false;
    recordAtOpen_.PutBack();
    ModalResult = mrNo;
}

void TfrmAdvanced::btnCloseClick(TComponent*) {
    PlayClick();
    QuitWhenConfirmed();
}

void TfrmAdvanced::btnMinimizeClick(TComponent*) {
    PlayClick();
    ModalResult = mrRetry;
}

void TfrmAdvanced::btnHelpClick(TComponent*) {
    PlayClick();
    OpenHelpPage(Handle());
}

void TfrmAdvanced::FormClose(TComponent*, TCloseAction&) {
    // Only "Accelerate Me !" keeps the choices for the apply run; every
    // other way out, the program's end included, takes them back. The
    // record's setters are silent, and so is this.
    if (ModalResult != mrYes) recordAtOpen_.PutBack();
    // A program on its way out closes every window with 2.
    if (Application->Terminated()) return;
    // A close the window offers no button for (Alt+F4) is its CANCEL.
    if (ModalResult == mrCancel) ChangesPending = false;
    if (ModalResult != mrYes && ModalResult != mrRetry) ModalResult = mrNo;
}

// --- Hover feedback

void TfrmAdvanced::HighlightGroup(TGroupBox* group) {
    if (!group || group == highlightedGroup_) return;
    if (highlightedGroup_) highlightedGroup_->Font.SetColor(ChoiceSilver);
    group->Font.SetColor(ChoiceLime);
    highlightedGroup_ = group;
    if (highlightedRadio_) {
        highlightedRadio_->Font.SetColor(ChoiceSilver);
        highlightedRadio_ = nullptr;
    }
}

void TfrmAdvanced::HighlightRadio(TRadioButton* radio) {
    if (!radio || radio == highlightedRadio_) return;
    if (highlightedRadio_) highlightedRadio_->Font.SetColor(ChoiceSilver);
    radio->Font.SetColor(ChoiceLime);
    highlightedRadio_ = radio;
}

void TfrmAdvanced::HighlightButton(TRoundedButton* button) { hover_.Highlight(button); }

void TfrmAdvanced::gboxMTUMouseMove(TComponent* sender, TShiftState, int, int) {
    HighlightGroup(dynamic_cast<TGroupBox*>(sender));
}

void TfrmAdvanced::rbtnMTUDefaultMouseMove(TComponent* sender, TShiftState, int, int) {
    auto* radio = dynamic_cast<TRadioButton*>(sender);
    if (!radio) return;
    auto* group = dynamic_cast<TGroupBox*>(radio->Parent());
    if (group && group == highlightedGroup_)
        HighlightRadio(radio);
    else
        HighlightGroup(group);
}

void TfrmAdvanced::btnAccelerateMeMouseMove(TComponent* sender, TShiftState, int, int) {
    HighlightButton(dynamic_cast<TRoundedButton*>(sender));
}

void TfrmAdvanced::ShapedForm1MouseMove(TComponent*, TShiftState, int, int) {
    if (highlightedGroup_) {
        highlightedGroup_->Font.SetColor(ChoiceSilver);
        highlightedGroup_->Repaint();
        highlightedGroup_ = nullptr;
    }
    hover_.Clear();
    if (highlightedRadio_) {
        highlightedRadio_->Font.SetColor(ChoiceSilver);
        highlightedRadio_ = nullptr;
    }
    Application->ProcessMessages();
}

}  // namespace brisbolt
