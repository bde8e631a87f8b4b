#include "skin/HintPlacement.h"

namespace brisbolt {

HintPlacement PlaceHint(THintDirection requested, int cursorX, int cursorY, int measuredWidth, int measuredHeight,
                        int screenWidth, int screenHeight) {
    using D = THintDirection;
    const int wd = measuredWidth + 16, hu = measuredHeight + 20, hd = measuredHeight + 29;
    const int x = cursorX, y = cursorY;

    auto fits = [&](D d, D& fallback) {
        bool right = d == D::dUpRight || d == D::dDownRight;
        bool up = IsUpDirection(d);
        bool horizontal = right ? x + wd <= screenWidth : x + 6 - wd >= 0;
        if (!horizontal) {
            fallback = right ? (up ? D::dUpLeft : D::dDownLeft) : (up ? D::dUpRight : D::dDownRight);
            return false;
        }
        bool vertical = up ? y - 5 - hu >= 0 : y + 15 + hd <= screenHeight;
        if (!vertical) {
            fallback = up ? (right ? D::dDownRight : D::dDownLeft) : (right ? D::dUpRight : D::dUpLeft);
            return false;
        }
        return true;
    };

    D d = requested;
    bool tried[4] = {};
    while (true) {
        tried[int(d)] = true;
        D next = d;
        if (fits(d, next)) break;
        if (tried[int(next)]) {
            d = requested;
            break;
        }
        d = next;
    }

    bool right = d == D::dUpRight || d == D::dDownRight;
    bool up = IsUpDirection(d);
    HintPlacement p;
    p.direction = d;
    p.width = wd;
    p.height = up ? hu : hd;
    p.left = right ? x : x + 6 - wd;
    p.top = up ? y - 5 - hu : y + 15;
    return p;
}

}  // namespace brisbolt
