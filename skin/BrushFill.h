// A hatch pattern or solid brush for a skin background.
#pragma once

#include <functional>

#include "runtime/Colors.h"

namespace brisbolt {

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrushFill {
public:
    TBrushFill() = default;
    // A copy would carry the other owner's OnChange; Assign takes the settings alone.
    TBrushFill(const TBrushFill&) = delete;
    TBrushFill& operator=(const TBrushFill&) = delete;

    TBrushStyle BrushStyle() const { return brushStyle_; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushStyle(TBrushStyle value) {
        brushStyle_ = value;
        Changed();
    }
    void SetBrushColor(TColor value) {
        brushColor_ = value;
        Changed();
    }
    void Assign(const TBrushFill& other) {
        brushStyle_ = other.brushStyle_;
        brushColor_ = other.brushColor_;
        Changed();
    }

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
    TColor brushColor_ = clBtnFace;
};

}  // namespace brisbolt
