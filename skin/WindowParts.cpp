#include "skin/WindowParts.h"

namespace brisbolt {

void SetFontOf(TFont& font, TColor color, int height, unsigned style, const char* name) {
    font.SetName(name);
    font.SetColor(color);
    font.SetHeight(height);
    font.SetStyle(style);
}

void SetUpWindow(TForm& form, const char* name, const char* caption, int width, int height, unsigned fontStyle) {
    form.Name = name;
    form.SetCaption(caption);
    form.BorderStyle = TBorderStyle::None;
    form.Position = TPosition::ScreenCenter;
    form.SetBounds(0, 0, width, height);
    SetFontOf(form.Font, clWindowText, -11, fontStyle);
}

TShapedForm* NewSkin(TForm* form, const char* picture, const char* mask) {
    auto* skin = new TShapedForm(form);
    skin->Name = "ShapedForm1";
    skin->SetParent(form);
    skin->LoadPictureFromResource(picture);
    skin->Mask().ReadData(ResourceBytes(mask));
    skin->Moveable = true;
    return skin;
}

TRoundedButton* NewButton(TComponent* owner, TWinControl* parent, const ButtonLook& look, const char* name, int left,
                          int top, int width, int height, const std::string& caption, const std::string& hint) {
    auto* button = new TRoundedButton(owner);
    button->Name = name;
    button->SetParent(parent);
    button->SetBounds(left, top, width, height);
    button->Cursor = IDC_HAND;
    button->SetButtonColor(look.color);
    button->SetFrameColor(clBlack);
    button->SetFrameWidth(look.frameWidth);
    button->SetCornerRadius(look.cornerRadius);
    button->SetShape(TFShape::shRectangle);
    button->SetTextStyle(TTextStyle::txNone);
    SetFontOf(button->Font, clBlack, look.fontHeight, look.fontStyle);
    button->SetCaption(caption);
    button->Hint = hint;
    button->SetShowHint(!hint.empty());
    return button;
}

}  // namespace brisbolt
