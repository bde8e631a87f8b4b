// The hint bubble: placed beside the cursor, drawn over a capture of the
// screen beneath it, so only the bubble and its dotted shadow stand out.
#pragma once

#include "runtime/Hint.h"
#include "skin/HintPlacement.h"

namespace brisbolt {

class TSkinHint;
class TControl;

class TSkinHintWindow : public THintWindow {
public:
    TSkinHintWindow();

    RECT CalcHintRect(int maxWidth, const std::string& text) override;
    void ActivateHint(const RECT& rect, const std::string& text) override;
    void ReleaseHandle() override;

    // Where the last hint went and how it looks.
    THintDirection Direction() const { return direction_; }
    const TBitmap& Picture() const { return picture_; }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT OnPaint() override;

private:
    void DestroyHintWindow();
    void PaintBubble(const TSkinHint& hint);

    THintDirection direction_ = THintDirection::dUpRight;
    TBitmap captured_;
    TBitmap picture_;
};

}  // namespace brisbolt
