// The parts the skinned windows are built from, made the same way in every
// window: the skin itself, the small silver title-bar buttons and the large
// white action buttons.
#pragma once

#include <string>

#include "runtime/Form.h"
#include "skin/RoundedButton.h"
#include "skin/ShapedForm.h"

namespace brisbolt {

void SetFontOf(TFont& font, TColor color, int height, unsigned style, const char* name = "MS Sans Serif");

// A borderless window, centred on the screen when shown, with the client
// size given and the program's font ("MS Sans Serif", 8 point).
void SetUpWindow(TForm& form, const char* name, const char* caption, int width, int height, unsigned fontStyle = 0);

// The window's outline and background picture, draggable.
TShapedForm* NewSkin(TForm* form, const char* picture, const char* mask);

// A push button owned by `owner` (the window) on `parent`: sized first (the frame width and radius are
// clamped against the size), hand cursor, its hint shown when one is given.
struct ButtonLook {
    TColor color;
    int frameWidth;
    int cornerRadius;
    int fontHeight;
    unsigned fontStyle;
};
// "Help", "Min", "Quit" and the like.
inline constexpr ButtonLook TitleButtonLook{clSilver, 10, 14, -11, 0};
// "Accelerate Me !", "CANCEL", "Automatic", "Advanced".
inline constexpr ButtonLook ActionButtonLook{clWhite, 15, 10, -13, fsBold};

TRoundedButton* NewButton(TComponent* owner, TWinControl* parent, const ButtonLook& look, const char* name, int left,
                          int top, int width, int height, const std::string& caption, const std::string& hint = {});

}  // namespace brisbolt
