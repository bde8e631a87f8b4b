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

namespace {

// A radio button of the window and the value it stands for.
template <typename Value>
struct Choice {
    TRadioButton* TfrmAdvanced::*radio;
    Value value;
};
using F = TfrmAdvanced;

constexpr Choice<std::int32_t> MtuPresets[] = {
    {&F::rbtnMTU576, 576},   {&F::rbtnMTU1400, 1400},   {&F::rbtnMTU1454, 1454},
    {&F::rbtnMTU1492, 1492}, {&F::rbtnMTU1500, 1500},   {&F::rbtnMTU4464, 4464},
    {&F::rbtnMTU8166, 8166}, {&F::rbtnMTU17914, 17914}, {&F::rbtnMTU65535, 65535},
};
constexpr Choice<RwinChoice> RwinChoices[] = {
    {&F::rbtnRWINDefault, RwinChoice::Default}, {&F::rbtnRWIN4, RwinChoice::Times4},
    {&F::rbtnRWIN6, RwinChoice::Times6},        {&F::rbtnRWIN8, RwinChoice::Times8},
    {&F::rbtnRWIN10, RwinChoice::Times10},      {&F::rbtnRWINManual, RwinChoice::Manual},
};
constexpr Choice<NdiChoice> NdiChoices[] = {{&F::rbtnNDIDefault, NdiChoice::Default},
                                            {&F::rbtnNDI16, NdiChoice::Sixteen},
                                            {&F::rbtnNDI32, NdiChoice::ThirtyTwo}};
constexpr Choice<KeepAliveChoice> KeepAliveChoices[] = {
    {&F::rbtnSKADefault, KeepAliveChoice::Default},
    {&F::rbtnSKA10, KeepAliveChoice::TenMinutes},
    {&F::rbtnSKA60, KeepAliveChoice::SixtyMinutes},
    {&F::rbtnSKAManual, KeepAliveChoice::Manual},
};
constexpr Choice<TtlChoice> TtlChoices[] = {{&F::rbtnTTLDefault, TtlChoice::Default},
                                            {&F::rbtnTTL64, TtlChoice::SixtyFour},
                                            {&F::rbtnTTL128, TtlChoice::OneTwentyEight}};
constexpr Choice<std::int32_t> AutoDiscovery[] = {{&F::rbtnMTUAutoYes, 1}, {&F::rbtnMTUAutoNo, 0}};
constexpr Choice<std::int32_t> BlackHoleDetect[] = {{&F::rbtnBlackHoleYes, 1}, {&F::rbtnBlackHoleNo, 0}};

template <typename Value, std::size_t N>
TRadioButton* RadioOf(const TfrmAdvanced& form, const Choice<Value> (&table)[N], Value value) {
    for (const Choice<Value>& choice : table)
        if (choice.value == value) return form.*choice.radio;
    return nullptr;
}

template <typename Value, std::size_t N>
Value ValueOf(const TfrmAdvanced& form, const Choice<Value> (&table)[N], const TComponent* radio, Value otherwise) {
    for (const Choice<Value>& choice : table)
        if (form.*choice.radio == radio) return choice.value;
    return otherwise;
}

template <typename Value, std::size_t N>
Value CheckedValue(const TfrmAdvanced& form, const Choice<Value> (&table)[N], Value otherwise) {
    for (const Choice<Value>& choice : table)
        if ((form.*choice.radio)->Checked()) return choice.value;
    return otherwise;
}

void Check(TRadioButton* radio) {
    if (radio) radio->SetChecked(true);
}

}  // namespace

void TfrmAdvanced::SelectQuietly(TRadioButton* radio) {
    const UpdatingControlsScope updating;
    Check(radio);
}

// --- Start-up

void TfrmAdvanced::FormCreate(TComponent*) {
    recordAtOpen_ = RecordCopy::Take();
    lblBottomLine->SetCaption(BottomLineText);
    {
        const UpdatingControlsScope updating;
        ShowSystemPMTUDiscovery();
        ShowSystemBlackHoleDetect();
        ShowSystemMTU();
        ShowRwin(true);
        ShowSystemNdiCacheSize();
        ShowSystemKeepAlive();
        ShowSystemTTL();
        ShowLineCondition();
    }
    highlightedGroup_ = nullptr;
    highlightedRadio_ = nullptr;
    hover_.Forget();
}

void TfrmAdvanced::FormShow(TComponent*) {}

void TfrmAdvanced::ShowSystemPMTUDiscovery() {
    const UpdatingControlsScope updating;
    Check(RadioOf(*this, AutoDiscovery, SwitchOn(GetSystemPMTUDiscovery()) ? 1 : 0));
    Application->ProcessMessages();
}

void TfrmAdvanced::ShowSystemBlackHoleDetect() {
    const UpdatingControlsScope updating;
    Check(RadioOf(*this, BlackHoleDetect, SwitchOn(GetSystemPMTUBlackHoleDetect()) ? 1 : 0));
    Application->ProcessMessages();
}

void TfrmAdvanced::ShowSystemMTU() {
    const UpdatingControlsScope updating;
    const MtuShown shown = ShowMtuFor(GetSystemMTU());
    CurrentMtu = shown.currentMtu;
    switch (shown.kind) {
        case MtuShown::Kind::Default: Check(rbtnMTUDefault); break;
        case MtuShown::Kind::Preset: Check(RadioOf(*this, MtuPresets, shown.currentMtu)); break;
        case MtuShown::Kind::Manual: Check(rbtnMTUManual); break;
    }
    if (shown.comboItem >= 0)
        comboMTUManual->SetItemIndex(shown.comboItem);
    else
        comboMTUManual->SetText(shown.comboText);
    Application->ProcessMessages();
}

TRadioButton* TfrmAdvanced::ShowRwin(bool fromSystem) {
    const UpdatingControlsScope updating;
    for (const Choice<RwinChoice>& choice : RwinChoices) (this->*choice.radio)->SetChecked(false);
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
    if (shown.defaultSelected) Check(rbtnRWINDefault);
    if (shown.choice == RwinChoice::Manual) spinRWINMultiplier->SetValue(shown.spin);
    TRadioButton* selected = RadioOf(*this, RwinChoices, shown.choice);
    Check(selected);
    Application->ProcessMessages();
    lblRWIN->SetCaption(std::to_string(shown.window));
    return selected;
}

void TfrmAdvanced::ShowSystemNdiCacheSize() {
    const UpdatingControlsScope updating;
    Check(RadioOf(*this, NdiChoices, NdiChoiceFor(GetSystemNdiCacheSize())));
    Application->ProcessMessages();
}

void TfrmAdvanced::ShowSystemKeepAlive() {
    const UpdatingControlsScope updating;
    const KeepAliveShown shown = KeepAliveFor(GetSystemKeepAlive());
    Check(RadioOf(*this, KeepAliveChoices, shown.choice));
    if (shown.choice == KeepAliveChoice::Manual) spinSKA->SetValue(shown.minutes);
    Application->ProcessMessages();
}

void TfrmAdvanced::ShowSystemTTL() {
    const UpdatingControlsScope updating;
    Check(RadioOf(*this, TtlChoices, TtlChoiceFor(GetSystemTTL())));
    Application->ProcessMessages();
}

void TfrmAdvanced::ShowLineCondition() {
    const UpdatingControlsScope updating;
    LineGood = GetLine();
    Check(LineGood ? rbtnLineGood : rbtnLineBad);
    Application->ProcessMessages();
}

// --- Choices

bool TfrmAdvanced::ClickTaken() {
    // A window setting its own controls stores nothing.
    if (UpdatingControls) return false;
    PlayClick();
    return true;
}

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
    if (!ClickTaken()) return;
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
            mtu = ValueOf(*this, MtuPresets, radio, mtu);
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
    const ListedWindow listed(find.get());
    find->AfterConstruction();
    if (find->ShowModal() == mrOk) UseFoundMtu(find->FoundMtu());
}

void TfrmAdvanced::UseFoundMtu(std::int32_t mtu) {
    TRadioButton* radio = RadioOf(*this, MtuPresets, mtu);
    if (!radio) {
        radio = rbtnMTUManual;
        comboMTUManual->SetText(std::to_string(mtu));
    }
    SelectQuietly(radio);
    rbtnMTUClick(radio);
}

void TfrmAdvanced::rbtnRWINClick(TComponent*) {
    if (!ClickTaken()) return;
    MarkChanged();
    const RwinStored stored = StoreRwinFor(CheckedValue(*this, RwinChoices, RwinChoice::None),
                                           spinRWINMultiplier->Value(), CurrentMtu, Is9xFamily());
    if (stored.capped) {
        spinRWINMultiplier->SetValue(stored.spin);
        SelectQuietly(RadioOf(*this, RwinChoices, stored.select));
    }
    lblRWIN->SetCaption(std::to_string(stored.rwin));
    SetRwin(stored.rwin);
}

void TfrmAdvanced::rbtnLineConditionClick(TComponent* sender) {
    if (!ClickTaken()) return;
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
    if (!ClickTaken()) return;
    MarkChanged();
    SetPMTUDiscover(ValueOf(*this, AutoDiscovery, sender, 0));
}

void TfrmAdvanced::rbtnMTUBlackHoleClick(TComponent* sender) {
    if (!ClickTaken()) return;
    MarkChanged();
    SetPMTUBlackHoleDetect(ValueOf(*this, BlackHoleDetect, sender, 0));
}

void TfrmAdvanced::rbtnTTLClick(TComponent* sender) {
    if (!ClickTaken()) return;
    MarkChanged();
    SetTtl(TtlToStore(ValueOf(*this, TtlChoices, sender, TtlChoice::OneTwentyEight)));
}

void TfrmAdvanced::rbtnSKAClick(TComponent* sender) {
    if (!ClickTaken()) return;
    MarkChanged();
    SetSka(KeepAliveToStore(ValueOf(*this, KeepAliveChoices, sender, KeepAliveChoice::Manual), spinSKA->Value()));
}

void TfrmAdvanced::rbtnNDIClick(TComponent* sender) {
    if (!ClickTaken()) return;
    MarkChanged();
    const NdiStore store =
        NdiStoreFor(rbtnMTUDefault->Checked(), ValueOf(*this, NdiChoices, sender, NdiChoice::Default));
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
