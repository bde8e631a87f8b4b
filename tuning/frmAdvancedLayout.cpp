// How the Advanced window is laid out: three columns of groups inside the
// skin's frame, the hint line and the buttons below.
#include "tuning/frmAdvanced.h"

#include <string>

#include "resources/ResourceNames.h"
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
}  // namespace

TfrmAdvanced::TfrmAdvanced(TComponent* owner) : TForm(owner) {
    SetUpWindow(*this, "frmAdvanced", "Brisbolt - Advanced Settings", ClientWidth, ClientHeight);
    SetColor(clBlack);
    ShapedForm1 = NewSkin(this, resources::SkinAdvanced, resources::MaskAdvanced);
    ShapedForm1->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ShapedForm1MouseMove(s, k, x, y); };

    using F = TfrmAdvanced;
    // Column 1: the MTU and the NDI cache.
    int top = GroupsTop;
    gboxMTU = NewGroup("gboxMTU", " MTU Maximum Transfer Unit ", Column1, top, Column1Width, GroupHeight(11));
    const int mtuWidth = Column1Width - RadioLeft - 4;
    auto row = [](int n) { return FirstRow + n * RowHeight; };
    rbtnMTUDefault = NewRadio(gboxMTU, "rbtnMTUDefault", RadioLeft, row(0), 120, "Default Setting", &F::rbtnMTUClick);
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
    // Made after the number box: its key window then comes after the radio
    // buttons, whose arrow keys stay among themselves.
    btnFindMtu = NewButton(this, gboxMTU, TitleButtonLook, "btnFindMtu", Column1Width - 62, row(0) - 3, 54, 21,
                           "Find...", "Measure the largest packet that reaches a host.");
    btnFindMtu->OnClick = [this](TComponent* sender) { btnFindMtuClick(sender); };
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
    Panel2->SetShowHint(true);
    lblRWIN = new TLabel(this);
    lblRWIN->Name = "lblRWIN";
    lblRWIN->SetParent(Panel2);
    lblRWIN->SetBounds(2, 2, Panel2->Width() - 4, Panel2->Height() - 4);
    lblRWIN->Alignment = TAlignment::Center;
    lblRWIN->Hint = RwinHint;
    lblRWIN->SetShowHint(true);
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

    // The keyboard as the window reads: the title buttons, the groups
    // column by column, then the two below. The MTU group has it first;
    // Esc is CANCEL.
    SetTabOrder({btnHelp, btnMinimize, btnClose, gboxMTU, gboxNDI, gboxRWIN, gboxTTL, gboxBlackHole, gboxAutoDiscovery,
                 gboxSKA, GroupBox1, btnAccelerateMe, btnCancel});
    ActiveControl = gboxMTU;
    CancelControl = btnCancel;

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
    radio->SetShowHint(*hint != '\0');
    radio->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
    radio->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { rbtnMTUDefaultMouseMove(s, k, x, y); };
    return radio;
}

}  // namespace brisbolt
