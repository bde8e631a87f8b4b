// The hover feedback every skinned window gives its push buttons: the
// caption under the mouse turns green, the one before goes back to black,
// and the background undoes it.
#pragma once

#include "skin/RoundedButton.h"

namespace brisbolt {

inline constexpr TColor HoverGreen = HexColor(0x00BF00);

class ButtonHighlight {
public:
    TRoundedButton* Current() const { return current_; }

    // Nothing when `button` is the highlighted one already.
    void Highlight(TRoundedButton* button) {
        if (button == current_) return;
        if (current_ && current_->Font.Color() != clBlack) current_->Font.SetColor(clBlack);
        current_ = button;
        if (button) button->Font.SetColor(HoverGreen);
    }

    // The highlighted button back to black and repainted; none afterwards.
    void Clear() {
        if (!current_) return;
        current_->Font.SetColor(clBlack);
        current_->Repaint();
        current_ = nullptr;
    }

    // Forgets the button without touching it (a new window's start).
    void Forget() { current_ = nullptr; }

private:
    TRoundedButton* current_ = nullptr;
};

}  // namespace brisbolt
