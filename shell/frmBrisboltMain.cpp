#include "shell/frmBrisboltMain.h"

#include "resources/ResourceNames.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "shell/ModalOnce.h"
#include "app/Services.h"
#include "skin/WindowParts.h"
#include "tuning/frmAdvanced.h"
#include "tuning/frmAutomatic.h"

namespace brisbolt {

namespace {
constexpr int ClientWidth = 600, ClientHeight = 228;
constexpr int StepTop = 72, StepWidth = 240, StepHeight = 142;
constexpr TColor Lime = HexColor(0x00FF00);
const std::string DialupCode = "M";
constexpr int LineWidth = 480;
// Where Windows parks minimized windows: on no screen.
constexpr int OffScreen = -32000;

// The six radio buttons and the code each stands for.
const char* CodeOfRadio(const std::string& name) {
    for (const ConnectionType& type : ConnectionTypes)
        if (name == type.radioButton) return type.code;
    return nullptr;
}

void SetColorIfOther(TFont& font, TColor color) {
    if (font.Color() != color) font.SetColor(color);
}
}  // namespace

TfrmBrisboltMain::TfrmBrisboltMain(TComponent* owner) : TForm(owner) {
    SetUpWindow(*this, "frmBrisboltMain", "Brisbolt - the full-featured Internet and LAN acceleration tool",
                ClientWidth, ClientHeight, fsBold);

    // Under the skin picture, outside the outline: the window's own "Min"
    // and "Quit" buttons stand in for these two.
    TBitmap glyph;
    auto newGlyphButton = [this, &glyph](const char* name, int left, const char* resource, const char* hint) {
        auto* button = new TSkinRoundButton(this);
        button->Name = name;
        button->SetParent(this);
        button->SetBounds(left, 2, 20, 20);
        if (glyph.LoadFromResource(resource)) button->Glyph.SetBitmap(glyph);
        button->Glyph.SetTransparentColor(clWhite);
        button->Hint = hint;
        return button;
    };
    btnMinimize =
        newGlyphButton("btnMinimize", 585, resources::GlyphHide, "Hide this form. To close, use the tray icon...");
    btnMinimize->OnClick = [this](TComponent* sender) { btnMinimizeClick(sender); };
    btnExit = newGlyphButton("btnExit", 607, resources::GlyphClose, "Click this 'X' to close the program.");
    btnExit->SetShowHint(true);
    btnExit->OnClick = [this](TComponent* sender) { btnExitClick(sender); };
    // Nobody sees them: the keyboard passes them by too.
    btnMinimize->SetTabStop(false);
    btnExit->SetTabStop(false);

    Image1 = new TImage(this);
    Image1->Name = "Image1";
    Image1->SetParent(this);
    Image1->SetBounds(408, 6, 171, 44);
    Image1->Picture.LoadFromResource(resources::Logo);
    Image1->Stretch = true;
    Bevel2 = new TBevel(this);
    Bevel2->Name = "Bevel2";
    Bevel2->SetParent(this);
    Bevel2->SetBounds(403, 3, 183, 99);
    Bevel1 = new TBevel(this);
    Bevel1->Name = "Bevel1";
    Bevel1->SetParent(this);
    Bevel1->SetBounds(407, 5, 175, 46);

    ShapedForm1 = NewSkin(this, resources::SkinWizard, resources::MaskWizard);
    ShapedForm1->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ShapedForm1MouseMove(s, k, x, y); };

    btnHelp = NewSmallButton("btnHelp", 459, 26, 33, 24, "Help", "Review the Help file");
    btnHelp->OnClick = [this](TComponent* sender) { btnHelpClick(sender); };
    RoundedButton1 = NewSmallButton("RoundedButton1", 501, 26, 33, 24, "Min", "Minimize");
    RoundedButton1->OnClick = [this](TComponent* sender) { btnMinimizeClick(sender); };
    btnClose = NewSmallButton("btnClose", 543, 26, 33, 24, "Quit", "Close");
    btnClose->OnClick = [this](TComponent* sender) { btnCloseClick(sender); };
    btnHide = NewSmallButton("btnHide", 559, 131, 34, 25, ExplainCaption, ExplainHint);
    btnHide->OnClick = [this](TComponent* sender) { btnHideClick(sender); };

    auto newStep = [this](const char* name, int left) {
        auto* panel = new TPanel(this);
        panel->Name = name;
        panel->SetParent(this);
        panel->SetBounds(left, StepTop, StepWidth, StepHeight);
        panel->BevelOuter = TPanelBevel::Lowered;
        panel->BevelInner = TPanelBevel::Lowered;
        panel->SetColor(clBlack);
        SetFontOf(panel->Font, clWhite, -11, fsBold);
        return panel;
    };
    auto newStepLabel = [this](TPanel* panel, const char* name, int left, const char* caption) {
        auto* label = new TLabel(this);
        label->Name = name;
        label->SetParent(panel);
        label->SetBounds(left, 8, StepWidth - left - 2, 13);
        label->Font.Assign(panel->Font);
        label->SetCaption(caption);
        return label;
    };

    pnlConnectionMethod = newStep("pnlConnectionMethod", 43);
    pnlConnectionMethod->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) {
        pnlConnectionMethodMouseMove(s, k, x, y);
    };
    // Two pixels left of the design, so the colon still fits where the
    // font runs wider.
    Label1 = newStepLabel(pnlConnectionMethod, "Label1", 12, "Step 1. Select your connection type:");
    rbtnDialup = NewRadio("rbtnDialup", 29, "Dialup Modem", "You use a telephone modem to connect to the Internet.");
    rbtnDSL1 = NewRadio("rbtnDSL1", 46, "DSL (recommended setting 1)", "Most common DSL setting");
    rbtnDSL2 = NewRadio("rbtnDSL2", 63, "DSL (recommended setting 2)",
                        "You use a Digital Subscriber Line to connect, with a Cisco router using Point-to-Point "
                        "Protocol over Ethernet.");
    rbtnDSL3 = NewRadio("rbtnDSL3", 81, "DSL (recommended setting 3)",
                        "You use a Digital Subscriber Line to connect to the Internet, but settings 1 and 2 slowed "
                        "you down.");
    rbtnCable = NewRadio("rbtnCable", 98, "Cable Modem", "You use cable modem to connect to the Internet.");
    rbtnLAN = NewRadio("rbtnLAN", 115, "Local Area Network (LAN)", "You connect through a Local Area Network.");

    pnlSelectAccelerationMethod = newStep("pnlSelectAccelerationMethod", 317);
    pnlSelectAccelerationMethod->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) {
        pnlSelectAccelerationMethodMouseMove(s, k, x, y);
    };
    Label2 = newStepLabel(pnlSelectAccelerationMethod, "Label2", 16, "Step 2. Select acceleration method:");
    btnPrepareSystem =
        NewMethodButton("btnPrepareSystem", 39, "Automatic", "Let the program prepare your system Automatically.");
    btnPrepareSystem->OnClick = [this](TComponent* sender) { btnPrepareSystemClick(sender); };
    btnFullControl = NewMethodButton("btnFullControl", 87, "Advanced",
                                     "Recommended for advanced users only.  Use at your own risk !");
    btnFullControl->OnClick = [this](TComponent* sender) { btnFullControlClick(sender); };

    SkinBackground1 = new TSkinBackground(this);
    SkinBackground1->Name = "SkinBackground1";
    SkinBackground1->Gradient.SetFillStyle(GradientStyle::HorizontalDoppelBar);
    SkinBackground2 = new TSkinBackground(this);
    SkinBackground2->Name = "SkinBackground2";
    SkinBackground2->Gradient.SetBeginColor(clGrayText);
    SkinBackground2->Gradient.SetEndColor(clBlack);

    pnlInitialExplanation = new TSkinPanel(this);
    pnlInitialExplanation->Name = "pnlInitialExplanation";
    pnlInitialExplanation->SetParent(this);
    pnlInitialExplanation->SetBounds(43, StepTop, 514, 142);
    pnlInitialExplanation->Background.Set(SkinBackground1);
    pnlInitialExplanation->FrameInner.SetFrameStyle(TFrameStyle::frameFramedDown);
    pnlInitialExplanation->SetCaption("");
    pnlInitialExplanation->SetVisible(false);
    pnlInitialExplanation->OnClick = [this](TComponent* sender) { btnHideClick(sender); };
    SkinPanel2 = new TSkinPanel(this);
    SkinPanel2->Name = "SkinPanel2";
    SkinPanel2->SetParent(pnlInitialExplanation);
    SkinPanel2->SetBounds(9, 9, 496, 123);
    SkinPanel2->Background.Set(SkinBackground2);
    SkinPanel2->FrameInner.SetFrameStyle(TFrameStyle::framePanelDown);
    SkinPanel2->SetCaption("");
    SkinPanel2->OnClick = [this](TComponent* sender) { btnHideClick(sender); };
    lblLine1 = NewLine("lblLine1", 59, 9, 367, "Customers have measured improvements to an incredible 1700%.");
    lblLine2 = NewLine("lblLine2", 125, 23, 235, "Many users see up to 300% improvement.");
    lblLine3 = NewLine("lblLine3", 46, 47, 394, "A 300% improvement saves 10 minutes on every 15 minute download.");
    lblLine4 = NewLine("lblLine4", 33, 62, 419, "Even a (small) 50% improvement speeds up EVERY upload and download.");

    tmrPanelOnScreen = new TTimer(this);
    tmrPanelOnScreen->Name = "tmrPanelOnScreen";
    tmrPanelOnScreen->SetEnabled(false);
    tmrPanelOnScreen->SetInterval(10000);
    tmrPanelOnScreen->OnTimer = [this](TComponent* sender) { tmrPanelOnScreenTimer(sender); };

    // The keyboard as the window reads: the title buttons, step 1 (its
    // checked connection type), step 2, then "?" at the right. Step 1 has
    // it first; Esc is "Min".
    SetTabOrder({btnHelp, RoundedButton1, btnClose, pnlConnectionMethod, pnlSelectAccelerationMethod, btnHide});
    ActiveControl = pnlConnectionMethod;
    CancelControl = RoundedButton1;

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnShow = [this](TComponent* sender) { FormShow(sender); };
    OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
}

TRoundedButton* TfrmBrisboltMain::NewSmallButton(const char* name, int left, int top, int width, int height,
                                                 const char* caption, const char* hint) {
    TRoundedButton* button = NewButton(this, this, TitleButtonLook, name, left, top, width, height, caption, hint);
    button->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ButtonMouseMove(s, k, x, y); };
    return button;
}

TRoundedButton* TfrmBrisboltMain::NewMethodButton(const char* name, int top, const char* caption, const char* hint) {
    TRoundedButton* button =
        NewButton(this, pnlSelectAccelerationMethod, ActionButtonLook, name, 56, top, 127, 31, caption, hint);
    button->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ButtonMouseMove(s, k, x, y); };
    return button;
}

TRadioButton* TfrmBrisboltMain::NewRadio(const char* name, int top, const char* caption, const char* hint) {
    auto* radio = new TRadioButton(this);
    radio->Name = name;
    radio->SetParent(pnlConnectionMethod);
    radio->SetBounds(13, top, 220, 17);
    radio->Cursor = IDC_HAND;
    radio->SetColor(clBlack);
    SetFontOf(radio->Font, clBtnFace, -11, fsBold);
    radio->SetCaption(caption);
    radio->Hint = hint;
    radio->SetShowHint(true);
    radio->OnClick = [this](TComponent* sender) { rbtnDialupClick(sender); };
    radio->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { RadiobuttonMouseMove(s, k, x, y); };
    return radio;
}

TLabel* TfrmBrisboltMain::NewLine(const char* name, int left, int top, int width, const char* caption) {
    auto* label = new TLabel(this);
    label->Name = name;
    label->SetParent(SkinPanel2);
    // Each line is centred on the same point as designed (about 243), but
    // as wide as the panel allows: a wider font than the designer's would
    // otherwise wrap the line's end out of sight.
    const int centre = left + width / 2;
    label->SetBounds(centre - LineWidth / 2, top, LineWidth, 13);
    label->Alignment = TAlignment::Center;
    label->Transparent = true;
    label->WordWrap = true;
    SetFontOf(label->Font, clLime, -11, fsBold);
    label->SetCaption(caption);
    label->OnClick = [this](TComponent* sender) { btnHideClick(sender); };
    return label;
}

void TfrmBrisboltMain::FormCreate(TComponent*) {
    GetWindowsVersion();
    pnlInitialExplanation->SetBounds(43, 72, pnlInitialExplanation->Width(), pnlInitialExplanation->Height());
    if (IsLaterWindows()) {
        // Nothing is saved where nothing will be changed. The wizard is
        // shown only to end its modal loop: off every screen, so it never
        // flashes up after the notice.
        laterWindows_ = true;
        ShowMessage(LaterWindowsNotice);
        Position = TPosition::Designed;
        SetBounds(OffScreen, OffScreen, Width(), Height());
    } else if (!HasSavedOriginals()) {
        SaveOriginalValues();
        btnHide->SetCaption(ExplainCaption);
        btnHideClick(btnHide);
    }
    if (RestoreConnectionChoice()) EnableMethodButtons(true);
    hover_.Forget();
    highlightedStep_ = nullptr;
    highlightedRadio_ = nullptr;
}

void TfrmBrisboltMain::FormShow(TComponent*) {
    // Back to the tray, as a close of the window goes there: no question to
    // ask, no restart to offer, and the running copy still takes an uninstall.
    if (laterWindows_) {
        ModalResult = mrRetry;
        return;
    }
    if (RestoreConnectionChoice()) EnableMethodButtons(true);
}

void TfrmBrisboltMain::EnableMethodButtons(bool enabled) {
    btnPrepareSystem->SetEnabled(enabled);
    btnFullControl->SetEnabled(enabled);
}

TRadioButton* TfrmBrisboltMain::RadioOfCode(const std::string& code) const {
    for (const ConnectionType& type : ConnectionTypes)
        if (code == type.code)
            for (TRadioButton* radio : {rbtnDialup, rbtnDSL1, rbtnDSL2, rbtnDSL3, rbtnCable, rbtnLAN})
                if (radio->Name == type.radioButton) return radio;
    return nullptr;
}

bool TfrmBrisboltMain::RestoreConnectionChoice() {
    const UpdatingControlsScope updating;
    const std::string stored = GetConnect();
    // "-2" is the old name of the dial-up code.
    CurrentConnection = stored.empty() || stored == "-2" ? DialupCode : stored;
    TRadioButton* radio = RadioOfCode(CurrentConnection);
    if (!radio) radio = rbtnDSL3;
    radio->SetChecked(true);
    Application->ProcessMessages();
    // A click handled just now stored nothing: show what is stored.
    if (!radio->Checked()) radio->SetChecked(true);
    return !stored.empty();
}

void TfrmBrisboltMain::rbtnDialupClick(TComponent* sender) {
    PlayClick();
    if (UpdatingControls) return;
    ChangesPending = true;
    const char* code = sender ? CodeOfRadio(sender->Name) : nullptr;
    CurrentConnection = code ? std::string(code) : DialupCode;
    if (!code) ShowMessage(UnexpectedConnectionMessage);
    EnableMethodButtons(true);
    SetConnect(CurrentConnection);
}

void TfrmBrisboltMain::btnPrepareSystemClick(TComponent*) {
    btnPrepareSystem->Font.SetColor(clBlack);
    Label2->Font.SetColor(clWhite);
    ShowAutomatic();
}

void TfrmBrisboltMain::btnFullControlClick(TComponent*) {
    PlayClick();
    btnFullControl->Font.SetColor(clBlack);
    Label2->Font.SetColor(clWhite);
    ShowAdvanced();
}

void TfrmBrisboltMain::ShowAutomatic() {
    if (frmAutomatic) return;
    Hide();
    MethodWindowClosed(ShowModalOnce<TfrmAutomatic>(
        frmAutomatic, this, [](TfrmAutomatic&) {}, Release::AfterPendingMessages));
}

void TfrmBrisboltMain::ShowAdvanced() {
    if (frmAdvanced) return;
    Hide();
    MethodWindowClosed(ShowModalOnce<TfrmAdvanced>(frmAdvanced, this));
}

void TfrmBrisboltMain::MethodWindowClosed(int result) {
    if (result == mrYes || result == mrRetry) {
        ModalResult = result;
        return;
    }
    Show();
}

void TfrmBrisboltMain::btnMinimizeClick(TComponent*) {
    PlayClick();
    GoToTrayLater();
}

// Back to the tray; a restart that was wanted now is offered there instead.
void TfrmBrisboltMain::GoToTrayLater() {
    if (ChangesPending) {
        ChangesPending = false;
        RestartDeferred = true;
    }
    ModalResult = mrRetry;
}

void TfrmBrisboltMain::FormClose(TComponent*, TCloseAction&) {
    // A close the window offers no button for (Alt+F4, the task list) is
    // "Min": only "Reboot Now" restarts the machine. A program on its way
    // out keeps 2.
    if (!Application->Terminated() && ModalResult == mrCancel) GoToTrayLater();
}

void TfrmBrisboltMain::btnCloseClick(TComponent*) {
    PlayClick();
    QuitWhenConfirmed();
}

void TfrmBrisboltMain::btnExitClick(TComponent* sender) { btnCloseClick(sender); }

void TfrmBrisboltMain::btnHelpClick(TComponent*) { OpenHelpPage(Handle()); }

void TfrmBrisboltMain::btnHideClick(TComponent*) {
    if (btnHide->Caption() == ExplainCaption) {
        btnHide->SetCaption(HideCaption);
        btnHide->Hint = HideHint;
        pnlInitialExplanation->SetVisible(true);
        pnlInitialExplanation->BringToFront();
        // Covered, the steps are out of reach of the keyboard too; it is on
        // "HIDE" meanwhile.
        ShowSteps(false);
        btnHide->SetFocus();
        tmrPanelOnScreen->SetEnabled(true);
        return;
    }
    tmrPanelOnScreen->SetEnabled(false);
    btnHide->SetCaption(ExplainCaption);
    btnHide->Hint = ExplainHint;
    ShowSteps(true);
    pnlInitialExplanation->SetVisible(false);
}

void TfrmBrisboltMain::ShowSteps(bool shown) {
    pnlConnectionMethod->SetVisible(shown);
    pnlSelectAccelerationMethod->SetVisible(shown);
}

void TfrmBrisboltMain::tmrPanelOnScreenTimer(TComponent* sender) {
    tmrPanelOnScreen->SetEnabled(false);
    btnHideClick(sender);
}

void TfrmBrisboltMain::HighlightButton(TRoundedButton* button) { hover_.Highlight(button); }

void TfrmBrisboltMain::HighlightRadio(TRadioButton* radio) {
    if (highlightedRadio_ && highlightedRadio_ == radio) return;
    if (highlightedRadio_) highlightedRadio_->Font.SetColor(clBtnFace);
    highlightedRadio_ = radio;
    if (radio) radio->Font.SetColor(Lime);
}

void TfrmBrisboltMain::HighlightStep(TControl* area) {
    if (highlightedStep_ && highlightedStep_ == area) return;
    highlightedStep_ = area;
    const bool second = area && area->Name == "pnlSelectAccelerationMethod";
    SetColorIfOther(Label1->Font, second ? clWhite : Lime);
    SetColorIfOther(Label2->Font, second ? Lime : clWhite);
}

void TfrmBrisboltMain::ButtonMouseMove(TComponent* sender, TShiftState, int, int) {
    HighlightButton(dynamic_cast<TRoundedButton*>(sender));
}

void TfrmBrisboltMain::RadiobuttonMouseMove(TComponent* sender, TShiftState, int, int) {
    auto* radio = dynamic_cast<TRadioButton*>(sender);
    HighlightRadio(radio);
    // The radio buttons' owner is the wizard itself.
    HighlightStep(radio ? dynamic_cast<TControl*>(radio->Owner()) : nullptr);
}

void TfrmBrisboltMain::pnlConnectionMethodMouseMove(TComponent*, TShiftState, int, int) {
    HighlightStep(pnlConnectionMethod);
}

void TfrmBrisboltMain::pnlSelectAccelerationMethodMouseMove(TComponent*, TShiftState, int, int) {
    HighlightStep(pnlSelectAccelerationMethod);
    hover_.Clear();
}

void TfrmBrisboltMain::ShapedForm1MouseMove(TComponent*, TShiftState, int, int) {
    hover_.Clear();
    if (highlightedStep_) {
        SetColorIfOther(Label1->Font, clWhite);
        SetColorIfOther(Label2->Font, clWhite);
        highlightedStep_ = nullptr;
    }
    if (highlightedRadio_) {
        highlightedRadio_->Font.SetColor(clBtnFace);
        highlightedRadio_->Repaint();
        highlightedRadio_ = nullptr;
    }
    Application->ProcessMessages();
}

}  // namespace brisbolt
