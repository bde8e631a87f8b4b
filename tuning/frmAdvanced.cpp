#include "tuning/frmAdvanced.h"

#include <string>

#include "resources/ResourceNames.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"
#include "shell/Globals.h"
#include "shell/HelpPage.h"
#include "shell/Services.h"
#include "skin/WindowParts.h"

namespace brisbolt {

namespace {
constexpr int ClientWidth = 600, ClientHeight = 460;
// Three columns of groups inside the skin's frame.
constexpr int Column1 = 16, Column1Width = 206;
constexpr int Column2 = 228, Column2Width = 170;
constexpr int Column3 = 404, Column3Width = 180;
constexpr int GroupsTop = 58;
// Radio buttons: the first row below the caption, one row after another.
constexpr int FirstRow = 19, RowHeight = 18, RadioHeight = 17, RadioLeft = 8;
constexpr int GroupGap = 8;
constexpr int GroupFontHeight = -11;

constexpr int GroupHeight(int rows) { return FirstRow + rows * RowHeight + 6; }

constexpr const char* RwinHint = "The maximum is determined by the Operating System.";
constexpr const char* ExperimentHint = "Experiment to see how this works for you.";

// Sets UpdatingControls for a selection made by code.
void SelectQuietly(TRadioButton* radio) {
    UpdatingControls = true;
    radio->SetChecked(true);
    UpdatingControls = false;
}
}  // namespace

TfrmAdvanced::TfrmAdvanced(TComponent* owner) : TForm(owner) {
    Name = "frmAdvanced";
    SetCaption("Brisbolt - Advanced Settings");
    BorderStyle = TBorderStyle::None;
    Position = TPosition::ScreenCenter;
    SetBounds(0, 0, ClientWidth, ClientHeight);
    SetColor(clBlack);
    SetFontOf(Font, clWindowText, -11, 0);
    ShapedForm1 = NewSkin(this, resources::SkinAdvanced, resources::MaskAdvanced);
    ShapedForm1->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ShapedForm1MouseMove(s, k, x, y); };

    using F = TfrmAdvanced;
    // Column 1: the MTU and the NDI cache.
    int top = GroupsTop;
    gboxMTU = NewGroup("gboxMTU", " MTU Maximum Transfer Unit ", Column1, top, Column1Width, GroupHeight(11));
    const int mtuWidth = Column1Width - RadioLeft - 4;
    auto row = [](int n) { return FirstRow + n * RowHeight; };
    rbtnMTUDefault =
        NewRadio(gboxMTU, "rbtnMTUDefault", RadioLeft, row(0), mtuWidth, "Default Setting", &F::rbtnMTUClick);
    rbtnMTU576 = NewRadio(gboxMTU, "rbtnMTU576", RadioLeft, row(1), mtuWidth, "576 (most modems)", &F::rbtnMTUClick,
                          "Some modems prefer a higher setting.");
    rbtnMTU1400 = NewRadio(gboxMTU, "rbtnMTU1400", RadioLeft, row(2), mtuWidth, "1400 Some Dell Systems",
                           &F::rbtnMTUClick, "Some Dell systems require this special setup.");
    rbtnMTU1454 =
        NewRadio(gboxMTU, "rbtnMTU1454", RadioLeft, row(3), mtuWidth, "1454 Cisco PPPOE with ICS", &F::rbtnMTUClick,
                 "In some situations, even this is too large for PPPOE with ICS (Internet Connection Sharing)");
    rbtnMTU1492 = NewRadio(gboxMTU, "rbtnMTU1492", RadioLeft, row(4), mtuWidth, "1492 Cisco PPPOE", &F::rbtnMTUClick,
                           "Point-to-Point Protocol over Ethernet.  IEEE 802.2, 802.3");
    rbtnMTU1500 = NewRadio(gboxMTU, "rbtnMTU1500", RadioLeft, row(5), mtuWidth, "1500 (Most LANs)", &F::rbtnMTUClick,
                           "Local Area Network standard setting.");
    rbtnMTU4464 =
        NewRadio(gboxMTU, "rbtnMTU4464", RadioLeft, row(6), mtuWidth, "4464 (IEEE 802.5 LAN)", &F::rbtnMTUClick,
                 "This is also useful for FDDI (Fiber Distributed Data Interface) networks.");
    rbtnMTU8166 =
        NewRadio(gboxMTU, "rbtnMTU8166", RadioLeft, row(7), mtuWidth, "8166 Token Bus IEEE 802.4", &F::rbtnMTUClick);
    rbtnMTU17914 =
        NewRadio(gboxMTU, "rbtnMTU17914", RadioLeft, row(8), mtuWidth, "17914 (16 MHz token ring)", &F::rbtnMTUClick);
    rbtnMTU65535 =
        NewRadio(gboxMTU, "rbtnMTU65535", RadioLeft, row(9), mtuWidth, "65535 Hyperchannel", &F::rbtnMTUClick);
    rbtnMTUManual =
        NewRadio(gboxMTU, "rbtnMTUManual", RadioLeft, row(10), 112, "Manual Setting", &F::rbtnMTUClick, ExperimentHint);
    comboMTUManual = new TComboBox(this);
    comboMTUManual->Name = "comboMTUManual";
    comboMTUManual->SetParent(gboxMTU);
    comboMTUManual->Style = TComboBoxStyle::DropDown;
    comboMTUManual->SetBounds(RadioLeft + 114, row(10) - 3, Column1Width - RadioLeft - 124, 21);
    SetFontOf(comboMTUManual->Font, clWindowText, GroupFontHeight, 0);
    comboMTUManual->SetItems({ManualMtuItems.begin(), ManualMtuItems.end()});
    comboMTUManual->SetText("576");
    top += gboxMTU->Height() + GroupGap;

    gboxNDI = NewGroup("gboxNDI", " NDI Cache Size ", Column1, top, Column1Width, GroupHeight(3));
    rbtnNDIDefault =
        NewRadio(gboxNDI, "rbtnNDIDefault", RadioLeft, row(0), mtuWidth, "Default Setting", &F::rbtnNDIClick);
    rbtnNDI16 =
        NewRadio(gboxNDI, "rbtnNDI16", RadioLeft, row(1), mtuWidth, "16 (if MTU is 576 or below)", &F::rbtnNDIClick);
    rbtnNDI32 = NewRadio(gboxNDI, "rbtnNDI32", RadioLeft, row(2), mtuWidth, "32 (higher than 576)", &F::rbtnNDIClick);

    // Column 2: the receive window, TTL and black-hole detection.
    const int width2 = Column2Width - RadioLeft - 4;
    top = GroupsTop;
    gboxRWIN = NewGroup("gboxRWIN", " RWIN - relates to MTU ", Column2, top, Column2Width, GroupHeight(6));
    rbtnRWINDefault =
        NewRadio(gboxRWIN, "rbtnRWINDefault", RadioLeft, row(0), width2, "Default Setting", &F::rbtnRWINClick);
    rbtnRWIN4 = NewRadio(gboxRWIN, "rbtnRWIN4", RadioLeft, row(1), 80, "4 x MSS", &F::rbtnRWINClick);
    rbtnRWIN6 = NewRadio(gboxRWIN, "rbtnRWIN6", RadioLeft, row(2), 80, "6 x MSS", &F::rbtnRWINClick);
    rbtnRWIN8 = NewRadio(gboxRWIN, "rbtnRWIN8", RadioLeft, row(3), 80, "8 x MSS", &F::rbtnRWINClick);
    rbtnRWIN10 = NewRadio(gboxRWIN, "rbtnRWIN10", RadioLeft, row(4), 80, "10 x MSS", &F::rbtnRWINClick);
    rbtnRWINManual = NewRadio(gboxRWIN, "rbtnRWINManual", RadioLeft, row(5), 112, "Manual Setting", &F::rbtnRWINClick);
    spinRWINMultiplier = new TSpinEdit(this);
    spinRWINMultiplier->Name = "spinRWINMultiplier";
    spinRWINMultiplier->SetParent(gboxRWIN);
    spinRWINMultiplier->MinValue = MinRwinMultiplier;
    spinRWINMultiplier->MaxValue = MaxRwinMultiplier;
    spinRWINMultiplier->SetValue(60);
    spinRWINMultiplier->SetColor(clWindow);
    SetFontOf(spinRWINMultiplier->Font, clWindowText, GroupFontHeight, 0);
    spinRWINMultiplier->SetBounds(RadioLeft + 114, row(5) - 2, Column2Width - RadioLeft - 124, 20);
    // The window in bytes, beside the "x MSS" buttons.
    Panel2 = new TPanel(this);
    Panel2->Name = "Panel2";
    Panel2->SetParent(gboxRWIN);
    Panel2->SetBounds(96, row(2) - 2, Column2Width - 104, 40);
    Panel2->BevelOuter = TPanelBevel::Lowered;
    Panel2->SetColor(clBlack);
    Panel2->Hint = RwinHint;
    Panel2->ShowHint = true;
    lblRWIN = new TLabel(this);
    lblRWIN->Name = "lblRWIN";
    lblRWIN->SetParent(Panel2);
    lblRWIN->SetBounds(2, 2, Panel2->Width() - 4, Panel2->Height() - 4);
    lblRWIN->Alignment = TAlignment::Center;
    lblRWIN->Hint = RwinHint;
    lblRWIN->ShowHint = true;
    SetFontOf(lblRWIN->Font, clLime, -13, fsBold);
    lblRWIN->SetCaption("?");
    top += gboxRWIN->Height() + GroupGap;

    gboxTTL = NewGroup("gboxTTL", " Time To Live (TTL) ", Column2, top, Column2Width, GroupHeight(3));
    rbtnTTLDefault =
        NewRadio(gboxTTL, "rbtnTTLDefault", RadioLeft, row(0), width2, "Default Setting (32)", &F::rbtnTTLClick,
                 "Normally enough.  You may see a few failures to reach your target sites.");
    rbtnTTL128 = NewRadio(gboxTTL, "rbtnTTL128", RadioLeft, row(1), width2, "128 (plenty)", &F::rbtnTTLClick,
                          "This should be MORE than enough.");
    rbtnTTL64 = NewRadio(gboxTTL, "rbtnTTL64", RadioLeft, row(2), width2, "64 (better)", &F::rbtnTTLClick);
    top += gboxTTL->Height() + GroupGap;

    gboxBlackHole = NewGroup("gboxBlackHole", " Black Hole Detect  ", Column2, top, Column2Width, GroupHeight(2));
    rbtnBlackHoleYes =
        NewRadio(gboxBlackHole, "rbtnBlackHoleYes", RadioLeft, row(0), width2, "YES ", &F::rbtnMTUBlackHoleClick);
    rbtnBlackHoleNo = NewRadio(gboxBlackHole, "rbtnBlackHoleNo", RadioLeft, row(1), width2, "NO (recommended)",
                               &F::rbtnMTUBlackHoleClick,
                               "Many vendors sell routers that discard IP datagrams.  Use only if required.");

    // Column 3: path-MTU discovery, keep-alive and the line.
    const int width3 = Column3Width - RadioLeft - 4;
    top = GroupsTop;
    gboxAutoDiscovery =
        NewGroup("gboxAutoDiscovery", " PMTU Auto Discovery ", Column3, top, Column3Width, GroupHeight(2));
    rbtnMTUAutoYes =
        NewRadio(gboxAutoDiscovery, "rbtnMTUAutoYes", RadioLeft, row(0), width3, "YES (recommended)",
                 &F::rbtnMTUAutoClick, "Internet nodes NORMALLY cooperate to determine the best setting here.");
    rbtnMTUAutoNo = NewRadio(gboxAutoDiscovery, "rbtnMTUAutoNo", RadioLeft, row(1), width3, "NO", &F::rbtnMTUAutoClick,
                             "Useful when you suspect a distant node fails to handle the Auto Discover procedure.");
    top += gboxAutoDiscovery->Height() + GroupGap;

    gboxSKA = NewGroup("gboxSKA", " Session Keep Alive ", Column3, top, Column3Width, GroupHeight(4));
    rbtnSKADefault =
        NewRadio(gboxSKA, "rbtnSKADefault", RadioLeft, row(0), width3, "Default Setting", &F::rbtnSKAClick);
    rbtnSKA60 = NewRadio(gboxSKA, "rbtnSKA60", RadioLeft, row(1), width3, "60 minutes", &F::rbtnSKAClick,
                         "Some modems prefer a higher setting.");
    rbtnSKA10 = NewRadio(gboxSKA, "rbtnSKA10", RadioLeft, row(2), width3, "10 mins (recommended)", &F::rbtnSKAClick);
    rbtnSKAManual =
        NewRadio(gboxSKA, "rbtnSKAManual", RadioLeft, row(3), 112, "Manual Setting", &F::rbtnSKAClick, ExperimentHint);
    spinSKA = new TSpinEdit(this);
    spinSKA->Name = "spinSKA";
    spinSKA->SetParent(gboxSKA);
    spinSKA->MinValue = MinKeepAliveMinutes;
    spinSKA->MaxValue = MaxKeepAliveMinutes;
    spinSKA->Increment = 5;
    spinSKA->SetValue(60);
    spinSKA->SetColor(clWindow);
    SetFontOf(spinSKA->Font, clWindowText, GroupFontHeight, 0);
    spinSKA->SetBounds(RadioLeft + 114, row(3) - 2, Column3Width - RadioLeft - 124, 20);
    top += gboxSKA->Height() + GroupGap;

    GroupBox1 = NewGroup("GroupBox1", " Condition of the Line ", Column3, top, Column3Width, GroupHeight(1));
    rbtnLineGood = NewRadio(GroupBox1, "rbtnLineGood", RadioLeft, row(0), 70, "Good", &F::rbtnLineConditionClick);
    rbtnLineBad = NewRadio(GroupBox1, "rbtnLineBad", 90, row(0), 70, "Bad", &F::rbtnLineConditionClick);

    // The layout's selections, before start-up shows the values in force.
    for (TRadioButton* radio : {rbtnMTUDefault, rbtnNDIDefault, rbtnRWINDefault, rbtnTTLDefault, rbtnSKADefault})
        SelectQuietly(radio);

    lblWaitToPress = new TSkinLabel(this);
    lblWaitToPress->Name = "lblWaitToPress";
    lblWaitToPress->SetParent(this);
    lblWaitToPress->SetBounds(Column1, 384, Column3 + Column3Width - Column1, 16);
    lblWaitToPress->Alignment = TAlignment::Center;
    SetFontOf(lblWaitToPress->Font, HexColor(0xBFFFFF), -11, fsBold);
    lblWaitToPress->Font3D.SetThreeDimensional(false);
    lblWaitToPress->SetCaption("When you change a setting, you may then press the \"Accelerate Me\" button.");

    // Maroon on the dark skin needs a lit edge to be read.
    auto* bottomLine = new TSkinLabel(this);
    bottomLine->Font3D.SetStyle3D(TStyle3D::fontOnlyHighlight);
    bottomLine->Font3D.SetHighlight(HexColor(0x787878));
    lblBottomLine = bottomLine;
    lblBottomLine->Name = "lblBottomLine";
    lblBottomLine->SetParent(this);
    lblBottomLine->SetBounds(Column1, 414, 292, 18);
    SetFontOf(lblBottomLine->Font, clMaroon, -11, fsBold | fsItalic);

    auto onMove = [this](TComponent* s, TShiftState k, int x, int y) { btnAccelerateMeMouseMove(s, k, x, y); };
    auto button = [&](TRoundedButton* made, void (F::*handler)(TComponent*)) {
        made->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
        made->OnMouseMove = onMove;
        return made;
    };
    btnHelp =
        button(NewButton(this, this, TitleButtonLook, "btnHelp", 459, 26, 33, 24, "Help", "Review the Help file."),
               &F::btnHelpClick);
    btnMinimize = button(NewButton(this, this, TitleButtonLook, "btnMinimize", 501, 26, 33, 24, "Min", "Minimize"),
                         &F::btnMinimizeClick);
    btnClose =
        button(NewButton(this, this, TitleButtonLook, "btnClose", 543, 26, 33, 24, "Quit", "Close"), &F::btnCloseClick);
    btnAccelerateMe =
        button(NewButton(this, this, ActionButtonLook, "btnAccelerateMe", 318, 406, 127, 31, "Accelerate Me !"),
               &F::btnAccelerateMeClick);
    btnAccelerateMe->SetEnabled(false);
    btnCancel =
        button(NewButton(this, this, ActionButtonLook, "btnCancel", 453, 406, 127, 31, "CANCEL"), &F::btnCancelClick);

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnShow = [this](TComponent* sender) { FormShow(sender); };
    OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
}

TGroupBox* TfrmAdvanced::NewGroup(const char* name, const char* caption, int left, int top, int width, int height) {
    auto* group = new TGroupBox(this);
    group->Name = name;
    group->SetParent(this);
    group->SetBounds(left, top, width, height);
    group->SetColor(clBlack);
    SetFontOf(group->Font, ChoiceSilver, GroupFontHeight, fsBold);
    group->SetCaption(caption);
    group->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { gboxMTUMouseMove(s, k, x, y); };
    return group;
}

TRadioButton* TfrmAdvanced::NewRadio(TGroupBox* group, const char* name, int left, int top, int width,
                                     const char* caption, void (TfrmAdvanced::*handler)(TComponent*),
                                     const char* hint) {
    auto* radio = new TRadioButton(this);
    radio->Name = name;
    radio->SetParent(group);
    radio->SetBounds(left, top, width, RadioHeight);
    radio->SetColor(clBlack);
    SetFontOf(radio->Font, ChoiceSilver, GroupFontHeight, fsBold);
    radio->SetCaption(caption);
    radio->Cursor = IDC_HAND;
    radio->Hint = hint;
    radio->ShowHint = *hint != '\0';
    radio->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
    radio->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { rbtnMTUDefaultMouseMove(s, k, x, y); };
    return radio;
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

void TfrmAdvanced::ReselectMtu(TRadioButton* radio) {
    if (radio) SelectQuietly(radio);
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
            if (!typed) {
                ShowMessage(ManualMtuRefused);
                ReselectMtu(previous);
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
    // A program on its way out closes every window with 2.
    if (Application->Terminated()) return;
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
