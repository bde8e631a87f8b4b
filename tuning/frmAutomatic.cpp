#include "tuning/frmAutomatic.h"

#include <initializer_list>
#include <utility>

#include "resources/ResourceNames.h"
#include "runtime/Application.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "app/Services.h"
#include "tuning/AutomaticPresets.h"

namespace brisbolt {

namespace {
constexpr int ClientWidth = 600, ClientHeight = 460;
constexpr TColor PanelGrey = HexColor(0xA8A8A8);

// The six rows inside Panel1: a marker, then the item. Every row has room
// for two lines, which the longer captions need once they turn bold.
constexpr int PanelLeft = 20, PanelTop = 80, PanelWidth = 560;
constexpr int RowTop = 10, RowPitch = 42, RowHeight = 39;
constexpr int MarkerLeft = 11, ItemLeft = 38, ItemWidth = PanelWidth - ItemLeft - 10;
// Below the rows, behind a line: the state of the preparation.
constexpr int RuleTop = RowTop + 6 * RowPitch + 1;
constexpr int StatusTop = RuleTop + 8, StatusHeight = 30;
constexpr int PanelHeight = StatusTop + StatusHeight + 8;

constexpr int ActionTop = PanelTop + PanelHeight + 16, ActionWidth = 127, ActionHeight = 31;
constexpr int AccelerateLeft = 24, CancelLeft = AccelerateLeft + ActionWidth + 16;
constexpr int TitleTop = 26, TitleWidth = 33, TitleHeight = 24;

constexpr const char* BottomLine = "Brisbolt... Optimizes Your Internet Settings";

// True when the caption, bold as it is once ticked, is wider than its face.
bool NeedsTwoLines(const TSkinCheckBox& item) {
    TFont bold;
    bold.Assign(item.Font);
    bold.SetStyle(fsBold);
    ClientDC screen(nullptr);
    ScopedSelect select(screen.get(), bold.Handle());
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), item.Caption().c_str(), static_cast<int>(item.Caption().size()), &size);
    const RECT text = item.TextRect();
    // One pixel more for the highlight copy of the letters.
    return size.cx + 1 > text.right - text.left;
}

}  // namespace

TfrmAutomatic::TfrmAutomatic(TComponent* owner) : TForm(owner) {
    SetUpWindow(*this, "frmAutomatic", "Brisbolt - Automatic", ClientWidth, ClientHeight);

    // The labels on the picture are made first but placed on it once the
    // picture is there, so that they are painted over it.
    lblItemsToBePrepared = new TLabel(this);
    lblItemsToBePrepared->Name = "lblItemsToBePrepared";
    lblItemsToBePrepared->SetBounds(PanelLeft + 4, PanelTop - 24, PanelWidth - 8, 18);
    SetFontOf(lblItemsToBePrepared->Font, clWhite, -13, fsBold);
    lblItemsToBePrepared->SetCaption("Preparing the following items for acceleration...");

    lblReadyToGo = NewStatusLabel(
        "lblReadyToGo", "Your system is now ready to be accelerated ! Please press the \"Accelerate Me\" button.");

    lblBottomLine = new TLabel(this);
    lblBottomLine->Name = "lblBottomLine";
    lblBottomLine->SetBounds(CancelLeft + ActionWidth + 12, ActionTop + 8,
                             PanelLeft + PanelWidth - 4 - (CancelLeft + ActionWidth + 12), 16);
    lblBottomLine->Alignment = TAlignment::RightJustify;
    SetFontOf(lblBottomLine->Font, clSilver, -11, fsBold);

    tmrDelayCheckboxes = NewTimer("tmrDelayCheckboxes", 500, &TfrmAutomatic::tmrDelayCheckboxesTimer);

    ShapedForm1 = NewSkin(this, resources::SkinAutomatic, resources::MaskAutomatic);
    ShapedForm1->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ShapedForm1MouseMove(s, k, x, y); };
    lblItemsToBePrepared->SetParent(this);
    lblBottomLine->SetParent(this);

    // The small title buttons, where every window of the program has them.
    btnHelp = NewPushButton(TitleButtonLook, "btnHelp", 459, TitleTop, TitleWidth, TitleHeight, "Help",
                            "Review the Help file.");
    btnHelp->OnClick = [this](TComponent* sender) { btnHelpClick(sender); };
    btnMinimize =
        NewPushButton(TitleButtonLook, "btnMinimize", 501, TitleTop, TitleWidth, TitleHeight, "Min", "Minimize");
    btnMinimize->OnClick = [this](TComponent* sender) { btnMinimizeClick(sender); };
    btnMinimize->SetVisible(false);
    btnClose = NewPushButton(TitleButtonLook, "btnClose", 543, TitleTop, TitleWidth, TitleHeight, "Quit", "Close");
    btnClose->OnClick = [this](TComponent* sender) { btnCloseClick(sender); };

    // The markers' circles.
    SkinBackground1 = new TSkinBackground(this);
    SkinBackground1->Name = "SkinBackground1";
    SkinBackground1->Gradient.SetFillStyle(GradientStyle::Circle);
    SkinBackground1->Gradient.SetBeginColor(HexColor(0x006000));
    SkinBackground1->Gradient.SetEndColor(HexColor(0x80FF80));

    btnAccelerateMe = NewPushButton(ActionButtonLook, "btnAccelerateMe", AccelerateLeft, ActionTop, ActionWidth,
                                    ActionHeight, "Accelerate Me !");
    btnAccelerateMe->OnClick = [this](TComponent* sender) { btnAccelerateMeClick(sender); };
    // Not before the preset is stored.
    btnAccelerateMe->SetEnabled(false);
    btnCancel =
        NewPushButton(ActionButtonLook, "btnCancel", CancelLeft, ActionTop, ActionWidth, ActionHeight, "CANCEL");
    btnCancel->OnClick = [this](TComponent* sender) { btnCancelClick(sender); };

    Panel1 = new TPanel(this);
    Panel1->Name = "Panel1";
    Panel1->SetParent(this);
    Panel1->SetBounds(PanelLeft, PanelTop, PanelWidth, PanelHeight);
    Panel1->SetColor(PanelGrey);
    Panel1->SetCaption("");
    // The status lines are navy: they want the light panel under them, the
    // picture is too dark for them.
    lblReadyToGo->SetParent(Panel1);

    btnMaxMTU = NewMarker("btnMaxMTU", 0);
    btnRWin = NewMarker("btnRWin", 1);
    btnNDICache = NewMarker("btnNDICache", 2);
    btnPMTU = NewMarker("btnPMTU", 3);
    btnTTL = NewMarker("btnTTL", 4);
    btnKeepalive = NewMarker("btnKeepalive", 5);

    cbxMaxMTU = NewItem("cbxMaxMTU", 0, "Optimize Internet communication speed to your ISP",
                        "This improves your UPLOAD connection.");
    cbxRWin = NewItem("cbxRWin", 1, "Optimize Internet communication speed from your ISP",
                      "This important selection tunes your download speeds.");
    cbxNDICache = NewItem("cbxNDICache", 2, "Optimize handling of Internet delays",
                          "This tunes your system's knowledge of TCP/IP routing.");
    cbxPMTU = NewItem("cbxPMTU", 3, "Avoid slow sessions caused by nonstandard Internet hosts",
                      "Your overall speed increases when you treat the nonstandard ones as special cases.");
    cbxTTL =
        NewItem("cbxTTL", 4,
                "Increase resistance to hitting \"There is a problem with the page you are trying to reach\" error.",
                "This increases your system's patience with a slow Internet site.");
    cbxKeepalive = NewItem("cbxKeepalive", 5, "Increase resistance to timing out during a long download session.",
                           "This will work some of the time (it will depend on many factors.)");

    tmrDelayClose = NewTimer("tmrDelayClose", 600, &TfrmAutomatic::tmrDelayCloseTimer);

    lblWaitToPress = NewStatusLabel("lblWaitToPress", "Please wait while we prepare your system...");
    lblWaitToPress->SetParent(Panel1);

    // The line between the items and the state of the preparation.
    auto* rule = new TBevel(this);
    rule->Name = "bvlStatusRule";
    rule->SetParent(Panel1);
    rule->Shape = TBevelShape::TopLine;
    rule->SetBounds(MarkerLeft, RuleTop, PanelWidth - 2 * MarkerLeft, 2);

    // The panel and the labels lie on the picture: the mouse over them is
    // over the background, as far as the push buttons are concerned.
    for (TControl* part :
         std::initializer_list<TControl*>{lblItemsToBePrepared, lblBottomLine, Panel1, lblReadyToGo, lblWaitToPress,
                                          rule, cbxMaxMTU, cbxRWin, cbxNDICache, cbxPMTU, cbxTTL, cbxKeepalive})
        part->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ShapedForm1MouseMove(s, k, x, y); };

    // While it prepares, CANCEL is all there is to press: it has the
    // keyboard, and Esc is CANCEL.
    ActiveControl = btnCancel;
    CancelControl = btnCancel;

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnShow = [this](TComponent* sender) { FormShow(sender); };
    OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
}

TRoundedButton* TfrmAutomatic::NewPushButton(const ButtonLook& look, const char* name, int left, int top, int width,
                                             int height, const char* caption, const char* hint) {
    TRoundedButton* button = NewButton(this, this, look, name, left, top, width, height, caption, hint);
    button->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ButtonMouseMove(s, k, x, y); };
    return button;
}

TSkinRoundButton* TfrmAutomatic::NewMarker(const char* name, int row) {
    auto* marker = new TSkinRoundButton(this);
    marker->Name = name;
    marker->SetParent(Panel1);
    const int size = row == 5 ? 19 : 18;
    marker->SetBounds(MarkerLeft, RowTop + row * RowPitch + (RowHeight - size) / 2, 19, size);
    marker->Glyph.SetTransparentColor(clWhite);
    marker->Background.Set(SkinBackground1);
    marker->SetEnabled(false);
    marker->SetVisible(false);
    marker->SetTabStop(false);  // shows, takes nothing
    return marker;
}

TSkinCheckBox* TfrmAutomatic::NewItem(const char* name, int row, const char* caption, const char* hint) {
    auto* item = new TSkinCheckBox(this);
    item->Name = name;
    item->SetParent(Panel1);
    item->SetBounds(ItemLeft, RowTop + row * RowPitch, ItemWidth, RowHeight);
    item->SetAsButton(true);
    item->SetButtonSunk(false);
    item->SetColor(PanelGrey);
    SetFontOf(item->Font, clNavy, -11, 0);
    item->Font3D.SetHighlight(clWhite);
    item->Font3D.SetShadow(clBlack);
    item->SetCaption(caption);
    item->SetWordWrap(NeedsTwoLines(*item));
    item->Hint = hint;
    item->SetShowHint(true);
    item->SetVisible(false);
    item->SetTabStop(false);  // display only
    return item;
}

TSkinLabel* TfrmAutomatic::NewStatusLabel(const char* name, const char* caption) {
    auto* label = new TSkinLabel(this);
    label->Name = name;
    label->SetBounds(4, StatusTop, PanelWidth - 8, StatusHeight);
    label->Transparent = true;
    label->Alignment = TAlignment::Center;
    label->WordWrap = true;
    SetFontOf(label->Font, clNavy, -11, fsBold);
    label->SetCaption(caption);
    label->SetVisible(false);
    return label;
}

TTimer* TfrmAutomatic::NewTimer(const char* name, unsigned interval, void (TfrmAutomatic::*handler)(TComponent*)) {
    auto* timer = new TTimer(this);
    timer->Name = name;
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->OnTimer = [this, handler](TComponent* sender) { (this->*handler)(sender); };
    return timer;
}

void TfrmAutomatic::StoreAutomaticSettings() {
    CurrentConnection = StoreAutomaticPreset();
    SystemAccelerated = false;
}

// A window asked to close (CANCEL, Quit, the keyboard) or a program on its
// way out (the tray's Close) prepares no further and stores nothing.
bool TfrmAutomatic::PreparationGoesOn() const {
    return !PreparationStopped && ModalResult == mrNone && !Application->Terminated();
}

bool TfrmAutomatic::PrepareItem(TSkinCheckBox* checkBox, TSkinRoundButton* marker, bool checked) {
    // It closes as soon as the item in progress is done.
    if (!PreparationGoesOn()) return false;
    checkBox->SetVisible(true);
    checkBox->Repaint();
    DelayQuarterSeconds(6);
    checkBox->SetChecked(checked);
    checkBox->Font.SetStyle(fsBold);
    marker->SetVisible(true);
    PlayClick();
    DelayQuarterSeconds(2);
    return true;
}

void TfrmAutomatic::ClearItem(TSkinCheckBox* checkBox, TSkinRoundButton* marker) {
    checkBox->SetChecked(false);
    checkBox->Font.SetStyle(0);
    checkBox->SetVisible(false);
    marker->SetVisible(false);
}

void TfrmAutomatic::ClearItems() {
    ClearItem(cbxMaxMTU, btnMaxMTU);
    ClearItem(cbxRWin, btnRWin);
    ClearItem(cbxNDICache, btnNDICache);
    ClearItem(cbxPMTU, btnPMTU);
    ClearItem(cbxTTL, btnTTL);
    ClearItem(cbxKeepalive, btnKeepalive);
    lblReadyToGo->SetVisible(false);
}

void TfrmAutomatic::HighlightButton(TRoundedButton* button) { hover_.Highlight(button); }

void TfrmAutomatic::FormCreate(TComponent*) {
    hover_.Forget();
    lblBottomLine->SetCaption(BottomLine);
}

void TfrmAutomatic::FormShow(TComponent*) {
    lblWaitToPress->SetVisible(true);
    PlayClick();
    tmrDelayCheckboxes->SetEnabled(true);
    btnAccelerateMe->SetEnabled(false);
    PreparationStopped = false;
}

void TfrmAutomatic::FormClose(TComponent*, TCloseAction&) {
    PreparationStopped = true;
    // A program on its way out closes every window with 2.
    if (Application->Terminated()) return;
    // A close the window offers no button for (Alt+F4) is its CANCEL.
    if (ModalResult == mrCancel) {
        tmrDelayCheckboxes->SetEnabled(false);
        ChangesPending = false;
    }
    if (ModalResult != mrYes && ModalResult != mrRetry) ModalResult = mrNo;
}

void TfrmAutomatic::tmrDelayCheckboxesTimer(TComponent*) {
    tmrDelayCheckboxes->SetEnabled(false);
    ClearItems();
    const std::pair<TSkinCheckBox*, TSkinRoundButton*> rows[] = {
        {cbxMaxMTU, btnMaxMTU}, {cbxRWin, btnRWin}, {cbxNDICache, btnNDICache},
        {cbxPMTU, btnPMTU},     {cbxTTL, btnTTL},   {cbxKeepalive, btnKeepalive}};
    for (const auto& [checkBox, marker] : rows)
        if (!PrepareItem(checkBox, marker, true)) return;
    // The last item waits half a second too: a stop in it counts.
    if (!PreparationGoesOn()) return;
    lblWaitToPress->SetVisible(false);
    lblReadyToGo->SetVisible(true);
    btnAccelerateMe->SetEnabled(true);
    // "Please press the Accelerate Me button": the keyboard goes there
    // from CANCEL, where the window put it (not from where the user did).
    if (btnCancel->Focused()) btnAccelerateMe->SetFocus();
    StoreAutomaticSettings();
}

void TfrmAutomatic::tmrDelayCloseTimer(TComponent*) {
    tmrDelayClose->SetEnabled(false);
    ModalResult = mrNo;
}

void TfrmAutomatic::btnAccelerateMeClick(TComponent*) {
    ChangesPending = true;
    PlayClick();
    ModalResult = mrYes;
}

void TfrmAutomatic::btnCancelClick(TComponent*) {
    tmrDelayCheckboxes->SetEnabled(false);
    PlayClick();
    PreparationStopped = true;
    ChangesPending = false;
    Application->ProcessMessages();
    tmrDelayClose->SetEnabled(true);
}

void TfrmAutomatic::btnCloseClick(TComponent*) {
    PreparationStopped = true;
    PlayClick();
    QuitWhenConfirmed();
}

void TfrmAutomatic::btnMinimizeClick(TComponent*) {
    PlayClick();
    ModalResult = mrRetry;
}

void TfrmAutomatic::btnHelpClick(TComponent*) {
    PlayClick();
    OpenHelpPage(Handle());
}

void TfrmAutomatic::ButtonMouseMove(TComponent* sender, TShiftState, int, int) {
    HighlightButton(dynamic_cast<TRoundedButton*>(sender));
}

void TfrmAutomatic::ShapedForm1MouseMove(TComponent*, TShiftState, int, int) {
    hover_.Clear();
    Application->ProcessMessages();
}

}  // namespace brisbolt
