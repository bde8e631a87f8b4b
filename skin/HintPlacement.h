// Where a hint bubble opens: beside the cursor in the preferred direction,
// turning to another direction where the screen ends.
#pragma once

namespace brisbolt {

enum class THintDirection { dUpRight, dUpLeft, dDownRight, dDownLeft };

inline bool IsUpDirection(THintDirection d) { return d == THintDirection::dUpRight || d == THintDirection::dUpLeft; }

struct HintPlacement {
    THintDirection direction = THintDirection::dUpRight;
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const HintPlacement&, const HintPlacement&) = default;
};

// measuredWidth and measuredHeight are the hint rectangle the runtime
// measured (text + 6, text + 2). The window is 16 wider and 20 (up) or 29
// (down) taller. When the fall-backs lead back to a direction already tried,
// nothing fits and the hint settles on the direction first requested.
HintPlacement PlaceHint(THintDirection requested, int cursorX, int cursorY, int measuredWidth, int measuredHeight,
                        int screenWidth, int screenHeight);

}  // namespace brisbolt
