#include "tuning/frmMakeRegistryChanges.h"

#include "resources/ResourceNames.h"
#include "runtime/Application.h"
#include "app/Globals.h"
#include "app/Services.h"
#include "skin/WindowParts.h"
#include "tuning/ApplySteps.h"

namespace brisbolt {

namespace {
constexpr int ClientWidth = 331, ClientHeight = 181;
constexpr int BarTop = 81, LeftPieceLeft = 34, SegmentWidth = 25, CapWidth = 36, BarHeight = 7;
constexpr TColor WindowColor = 191;  // RGB 191, 0, 0
constexpr int NowLeft = 33, LaterLeft = 171, ButtonTop = 140, ButtonWidth = 127, ButtonHeight = 31;
constexpr int OkLeft = (ClientWidth - ButtonWidth) / 2;

}  // namespace

TfrmMakeRegistryChanges::TfrmMakeRegistryChanges(TComponent* owner) : TForm(owner) {
    Name = "frmMakeRegistryChanges";
    SetCaption("Brisbolt is accelerating your system...");
    BorderStyle = TBorderStyle::None;
    SetBounds(0, 0, ClientWidth, ClientHeight);
    SetColor(WindowColor);
    SetFontOf(Font, clWindowText, -11, 0);

    ShapedForm1 = new TShapedForm(this);
    ShapedForm1->Name = "ShapedForm1";
    ShapedForm1->SetParent(this);
    ShapedForm1->LoadPictureFromResource(resources::SkinApply);
    ShapedForm1->Mask().ReadData(ResourceBytes(resources::MaskApply));
    ShapedForm1->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ShapedForm1MouseMove(s, k, x, y); };

    lblActionItem2 = new TSkinLabel(this);
    lblActionItem2->Name = "lblActionItem2";
    lblActionItem2->SetParent(this);
    lblActionItem2->SetBounds(13, 104, 303, 17);
    lblActionItem2->Alignment = TAlignment::Center;
    SetFontOf(lblActionItem2->Font, HexColor(0xBFFFFF), -11, fsBold);
    lblActionItem2->Font3D.SetStyle3D(TStyle3D::fontRaised);
    lblActionItem2->Font3D.SetHighlight(clBlue);
    lblActionItem2->Font3D.SetShadow(clNavy);
    lblActionItem2->SetCaption("Brisbolt is accelerating You !");

    TBitmap segment, cap;
    segment.LoadFromResource(resources::BarSegment);
    cap.LoadFromResource(resources::BarCap);
    auto newPiece = [this](const std::string& name, int left, int width, const TBitmap& picture) {
        auto* image = new TImage(this);
        image->Name = name;
        image->SetParent(this);
        image->SetBounds(left, BarTop, width, BarHeight);
        image->Picture.Assign(picture);
        image->SetVisible(false);
        return image;
    };
    imgRedLeft = newPiece("imgRedLeft", LeftPieceLeft, SegmentWidth, segment);
    imgRed[0] = imgRed[1] = nullptr;
    for (int i = 2; i <= 9; ++i)
        imgRed[i] =
            newPiece("imgRed" + std::to_string(i), LeftPieceLeft + SegmentWidth * (i - 1), SegmentWidth, segment);
    imgRedRight = newPiece("imgRedRight", 259, CapWidth, cap);

    lblReboot1 = NewRebootLabel("lblReboot1", 24, 83, 277, RebootLine1);
    // As wide as the line above, on the same centre as designed (85 + 155 / 2):
    // the same picture, and no clipped letters where the font runs wider.
    lblReboot2 = NewRebootLabel("lblReboot2", 24, 99, 277, RebootLine2);
    btnRebootNow = NewButton("btnRebootNow", NowLeft);
    btnRebootNow->OnClick = [this](TComponent* sender) { btnRebootNowClick(sender); };
    btnRebootLater = NewButton("btnRebootLater", LaterLeft);
    btnRebootLater->OnClick = [this](TComponent* sender) { btnRebootLaterClick(sender); };

    tmrRedBar = new TTimer(this);
    tmrRedBar->Name = "tmrRedBar";
    tmrRedBar->SetEnabled(false);
    tmrRedBar->SetInterval(30);
    tmrRedBar->OnTimer = [this](TComponent* sender) { tmrRedBarTimer(sender); };
    tmrStayOnScreen = new TTimer(this);
    tmrStayOnScreen->Name = "tmrStayOnScreen";
    tmrStayOnScreen->SetEnabled(false);
    tmrStayOnScreen->SetInterval(250);
    tmrStayOnScreen->OnTimer = [this](TComponent* sender) { tmrStayOnScreenTimer(sender); };

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnShow = [this](TComponent* sender) { FormShow(sender); };
    OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
}

TLabel* TfrmMakeRegistryChanges::NewRebootLabel(const char* name, int left, int top, int width, const char* caption) {
    auto* label = new TLabel(this);
    label->Name = name;
    label->SetParent(this);
    label->SetBounds(left, top, width, 16);
    label->Alignment = TAlignment::Center;
    label->Transparent = true;
    SetFontOf(label->Font, clRed, -13, fsBold);
    label->SetCaption(caption);
    label->SetVisible(false);
    return label;
}

TRoundedButton* TfrmMakeRegistryChanges::NewButton(const char* name, int left) {
    auto* button = new TRoundedButton(this);
    button->Name = name;
    button->SetParent(this);
    button->SetBounds(left, ButtonTop, ButtonWidth, ButtonHeight);
    button->SetButtonColor(clWhite);
    button->SetFrameColor(clBlack);
    button->SetFrameWidth(15);
    button->SetCornerRadius(10);
    button->SetShape(TFShape::shRectangle);
    SetFontOf(button->Font, clBlack, -13, fsBold);
    button->SetCaption("");
    button->SetVisible(false);
    button->OnMouseMove = [this](TComponent* s, TShiftState k, int x, int y) { ButtonMouseMove(s, k, x, y); };
    return button;
}

void TfrmMakeRegistryChanges::FormCreate(TComponent*) {
    // Towards the lower right of the screen.
    const int left = static_cast<int>((GetSystemMetrics(SM_CXSCREEN) - Width()) * 0.9);
    const int top = static_cast<int>((GetSystemMetrics(SM_CYSCREEN) - Height()) * 0.9);
    SetBounds(left, top, Width(), Height());
    hover_.Forget();
}

void TfrmMakeRegistryChanges::StartRun(int mode) {
    applyMode_ = mode;
    laterWindows_ = WindowsTunesItself();
    PrepareDisplay();
}

void TfrmMakeRegistryChanges::PrepareDisplay() {
    rightCapMoving_ = false;
    firstTick_ = true;
    stepCounter_ = FirstStepCounter;
    imgRedLeft->SetVisible(true);
    for (int i = 2; i <= 9; ++i) imgRed[i]->SetVisible(false);
    imgRedRight->SetLeft(imgRedLeft->Left() + RightCapStart);
    imgRedRight->SetVisible(true);
    lblActionItem2->SetVisible(false);
    Application->ProcessMessages();
}

void TfrmMakeRegistryChanges::FormShow(TComponent*) { tmrRedBar->SetEnabled(true); }

void TfrmMakeRegistryChanges::ShowBar(int segment) {
    if (segment == 1) {
        imgRedRight->SetVisible(true);
        imgRedLeft->SetVisible(true);
        rightCapMoving_ = true;
    } else if (segment >= 2 && segment <= 9) {
        imgRed[segment]->SetVisible(true);
    }
}

void TfrmMakeRegistryChanges::tmrRedBarTimer(TComponent*) {
    tmrRedBar->SetEnabled(false);  // the tick's work never overlaps the next
    if (firstTick_) {
        firstTick_ = false;
        lblActionItem2->SetVisible(true);
    }
    stepCounter_ += StepIncrease;
    if (rightCapMoving_) imgRedRight->SetLeft(imgRedRight->Left() + RightCapStep);
    if (const ProgressStep* step = FindProgressStep(stepCounter_)) {
        ShowBar(step->segment);
        if (step->message) lblActionItem2->SetCaption(laterWindows_ ? LaterWindowsMessage : step->message);
    }
    if (stepCounter_ >= LastStepCounter) {
        if (applyMode_ == 1) {
            outcome_ = ApplySettingsToSystem();
            // Never claim what did not happen.
            if (outcome_.laterWindows)
                lblActionItem2->SetCaption(LaterWindowsMessage);
            else if (outcome_.NothingWritten())
                lblActionItem2->SetCaption(NotWrittenMessage);
        }
        tmrStayOnScreen->SetEnabled(true);
        return;
    }
    Application->ProcessMessages();
    tmrRedBar->SetEnabled(true);
}

void TfrmMakeRegistryChanges::tmrStayOnScreenTimer(TComponent*) {
    tmrStayOnScreen->SetEnabled(false);
    if (applyMode_ != 1) {
        EndDisplay();
        return;
    }
    SystemAccelerated = true;
    imgRedLeft->SetVisible(false);
    for (int i = 2; i <= 9; ++i) imgRed[i]->SetVisible(false);
    imgRedRight->SetVisible(false);
    lblActionItem2->SetVisible(false);
    if (outcome_.NothingWritten())
        ShowNotWritten();
    else
        ShowRestartPrompt();
}

void TfrmMakeRegistryChanges::EndDisplay() {
    SystemAccelerated = true;
    Hide();
    ModalResult = mrYes;
}

// A close the window offers no button for (Alt+F4, the task list). The
// display alone changes nothing and may end at once; the bar of an apply
// run is never cut short; at the question it is "Reboot Later".
void TfrmMakeRegistryChanges::FormClose(TComponent*, TCloseAction& action) {
    if (Application->Terminated() || ModalResult != mrCancel) return;
    if (applyMode_ != 1) {
        tmrRedBar->SetEnabled(false);
        tmrStayOnScreen->SetEnabled(false);
        EndDisplay();
    } else if (btnRebootLater->Visible() && btnRebootLater->Enabled()) {
        RebootLater();
    } else {
        action = TCloseAction::None;
    }
}

void TfrmMakeRegistryChanges::ShowRestartPrompt() {
    lblReboot1->SetVisible(true);
    lblReboot2->SetVisible(true);
    btnRebootNow->SetCaption("Reboot Now");
    btnRebootNow->SetLeft(NowLeft);
    btnRebootNow->SetVisible(true);
    btnRebootLater->SetCaption("Reboot Later");
    btnRebootLater->SetLeft(LaterLeft);
    btnRebootLater->SetEnabled(true);
    btnRebootLater->SetVisible(true);
    // A key pressed as the question comes never restarts the machine; Esc
    // answers nothing here (no CancelControl): the user chooses.
    btnRebootLater->SetFocus();
}

void TfrmMakeRegistryChanges::ShowNotWritten() {
    // The same place and style as the restart question, and one way out.
    lblReboot1->SetCaption(outcome_.laterWindows ? LaterWindowsLine1 : NotWrittenLine1);
    lblReboot2->SetCaption(outcome_.laterWindows ? LaterWindowsLine2 : NotWrittenLine2);
    lblReboot1->SetVisible(true);
    lblReboot2->SetVisible(true);
    btnRebootLater->SetCaption("OK");
    btnRebootLater->SetLeft(OkLeft);
    btnRebootLater->SetEnabled(true);
    btnRebootLater->SetVisible(true);
    btnRebootLater->SetFocus();
}

void TfrmMakeRegistryChanges::btnRebootNowClick(TComponent*) {
    PlayClick();
    if (applyMode_ != 1) return;
    ChangesPending = true;
    RestartDeferred = false;
    ModalResult = mrYes;
}

void TfrmMakeRegistryChanges::btnRebootLaterClick(TComponent*) {
    PlayClick();
    if (applyMode_ != 1) return;
    RebootLater();
}

void TfrmMakeRegistryChanges::RebootLater() {
    ChangesPending = false;
    // Nothing was changed: no restart to offer later either.
    if (!outcome_.NothingWritten()) RestartDeferred = true;
    ModalResult = mrNo;
}

void TfrmMakeRegistryChanges::ButtonMouseMove(TComponent* sender, TShiftState, int, int) {
    hover_.Highlight(dynamic_cast<TRoundedButton*>(sender));
}

void TfrmMakeRegistryChanges::ShapedForm1MouseMove(TComponent*, TShiftState, int, int) {
    hover_.Clear();
    Application->ProcessMessages();
}

}  // namespace brisbolt
