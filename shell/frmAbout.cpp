#include "shell/frmAbout.h"

#include "resources/ResourceNames.h"
#include "skin/WindowParts.h"

namespace brisbolt {

namespace {
constexpr int ClientWidth = 331, ClientHeight = 182;
}  // namespace

TfrmAbout::TfrmAbout(TComponent* owner) : TForm(owner) {
    SetUpWindow(*this, "frmAbout", "About", ClientWidth, ClientHeight);

    ShapedForm1 = new TShapedForm(this);
    ShapedForm1->Name = "ShapedForm1";
    ShapedForm1->SetParent(this);
    ShapedForm1->LoadPictureFromResource(resources::SkinAbout);
    ShapedForm1->Mask().ReadData(ResourceBytes(resources::MaskAbout));
    ShapedForm1->Moveable = true;
    ShapedForm1->OnMouseMove = [this](TComponent* sender, TShiftState shift, int x, int y) {
        ShapedForm1MouseMove(sender, shift, x, y);
    };

    btnOK = new TRoundedButton(this);
    btnOK->Name = "btnOK";
    btnOK->SetParent(this);
    // Sized first: the frame width and radius are clamped against the size.
    btnOK->SetBounds(102, 140, 127, 31);
    btnOK->Cursor = IDC_HAND;
    btnOK->SetCaption("OK");
    btnOK->SetButtonColor(clSilver);
    btnOK->SetFrameColor(clBlack);
    btnOK->SetFrameWidth(15);
    btnOK->SetCornerRadius(10);
    btnOK->SetShape(TFShape::shRectangle);
    btnOK->SetTextStyle(TTextStyle::txRaised);
    btnOK->Font.SetName("MS Sans Serif");
    btnOK->Font.SetHeight(-13);
    btnOK->Font.SetStyle(fsBold);
    btnOK->Font.SetColor(clWindowText);
    btnOK->OnClick = [this](TComponent* sender) { btnOKClick(sender); };
    btnOK->OnMouseMove = [this](TComponent* sender, TShiftState shift, int x, int y) {
        btnOKMouseMove(sender, shift, x, y);
    };

    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetParent(this);
    Memo1->SetBounds(16, 72, 298, 51);
    Memo1->Alignment = TAlignment::Center;
    Memo1->ReadOnly = true;
    Memo1->SetTabStop(false);
    Memo1->Ctl3D = false;
    Memo1->SetColor(clBlack);
    Memo1->Font.SetName("Arial");
    Memo1->Font.SetHeight(-11);
    Memo1->Font.SetColor(clLime);
    Memo1->SetLines({"Brisbolt ", "Made by Corvelle", "Copyright (c) Corvelle. All rights reserved."});

    // The one button: it has the keyboard, and Esc presses it too.
    ActiveControl = btnOK;
    CancelControl = btnOK;
}

void TfrmAbout::btnOKClick(TComponent*) { ModalResult = mrYes; }

void TfrmAbout::btnOKMouseMove(TComponent*, TShiftState, int, int) {
    if (btnOK->Font.Color() != clLime) btnOK->Font.SetColor(clLime);
}

void TfrmAbout::ShapedForm1MouseMove(TComponent*, TShiftState, int, int) {
    if (btnOK->Font.Color() == clLime) btnOK->Font.SetColor(clWindowText);
}

}  // namespace brisbolt
