// The gradient settings of a skin background and the shapes that paint it.
// The plan is portable; the window code fills the bitmap with `background`
// and then draws the strokes in order, later ones over earlier ones.
#pragma once

#include "skin/SystemColorTable.h"

#include <functional>
#include <string>
#include <vector>

namespace brisbolt {

enum class GradientStyle {
    Circle,
    Horizontal,
    Vertical,
    LeftBottom,
    RoundMiddle,
    SquareMiddle,
    Spectral,
    DoppelFlash,
    Singleflash,
    MiddleHBar,
    MiddleVBar,
    VerticalDoppelBar,
    HorizontalDoppelBar
};

class TGradientFill {
public:
    TGradientFill() = default;
    // A copy would carry the other owner's OnChange; Assign takes the settings alone.
    TGradientFill(const TGradientFill&) = delete;
    TGradientFill& operator=(const TGradientFill&) = delete;

    Color BeginColor() const { return beginColor_; }
    Color EndColor() const { return endColor_; }
    GradientStyle FillStyle() const { return fillStyle_; }
    int ColorCount() const { return colorCount_; }
    const std::vector<std::string>& ColorsInBetween() const { return colorsInBetween_; }

    void SetBeginColor(Color value);
    void SetEndColor(Color value);
    void SetFillStyle(GradientStyle value);
    // Only 2 to 255 steps are taken; anything else is ignored but still signalled.
    void SetColorCount(int value);
    void SetColorsInBetween(std::vector<std::string> value);
    // Every setting of the other, signalled once; OnChange stays this object's own.
    void Assign(const TGradientFill& other);

    // Fired after every setter.
    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }

    Color beginColor_ = clBtnShadow;
    Color endColor_ = clBtnHighlight;
    GradientStyle fillStyle_ = GradientStyle::Horizontal;
    int colorCount_ = 32;
    std::vector<std::string> colorsInBetween_;
};

// One shape of one step. Band: full-width rows top..bottom; Column: full-height
// columns left..right; Box: a brush-only rectangle; Ellipse: outlined and
// filled in the same colour; Line: from (left, top) to (right, bottom),
// excluding the end point. Right and bottom are exclusive.
struct GradientStroke {
    enum class Kind { Band, Column, Box, Ellipse, Line };
    Kind kind = Kind::Band;
    int left = 0, top = 0, right = 0, bottom = 0;
    Rgb color;
    friend bool operator==(const GradientStroke&, const GradientStroke&) = default;
};

struct GradientPlan {
    Rgb background;  // the whole bitmap first
    std::vector<GradientStroke> strokes;
};

// The colour list runs BeginColor, the colours in between, EndColor (reversed
// when forward is false). Entries of ColorsInBetween that are no colour are
// left out rather than stopping the painting.
std::vector<Rgb> GradientColorList(const TGradientFill& fill, bool forward,
                                   const SystemColors& system = SystemColors::Classic());

GradientPlan PlanGradient(const TGradientFill& fill, int width, int height, bool forward,
                          const SystemColors& system = SystemColors::Classic());

}  // namespace brisbolt
