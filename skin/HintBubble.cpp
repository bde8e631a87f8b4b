#include "skin/HintBubble.h"

namespace brisbolt {

HintBubbleShape PlanHintBubble(THintDirection direction, int width, int height, bool speechbubble, bool shadow) {
    const int W = width, H = height;
    const bool up = IsUpDirection(direction);
    const int e = up ? 0 : 15;
    HintBubbleShape s;
    s.rounded = speechbubble;
    s.shadow = shadow;
    if (up) {
        s.shadowBox = {10, 8, W, H - 9};
        s.shadowStrips[0] = {W - 14, 8, W, H - 14};
        s.shadowStrips[1] = {10, H - 14, W, H - 9};
    } else {
        s.shadowBox = {10, 23, W, H - 2};
        s.shadowStrips[0] = {W - 14, 23, W, H - 8};
        s.shadowStrips[1] = {10, H - 8, W, H - 2};
    }
    const int outerBottom = up ? H - 14 : H - 8;
    s.boxes[0] = {{1, e, W - 6, outerBottom}, BubblePen::Black};
    s.boxes[1] = {{0, e, W - 7, outerBottom - 1}, BubblePen::White};
    s.boxes[2] = {{1, e + 1, W - 7, outerBottom - 1}, BubblePen::Key};
    if (speechbubble) {
        using D = THintDirection;
        switch (direction) {
            case D::dUpRight:
                s.tail = {{{7, H - 15}, {22, H - 15}, {7, H}}};
                if (shadow) s.shadowTail = {{{10, H - 15}, {25, H - 15}, {10, H}}};
                break;
            case D::dUpLeft:
                s.tail = {{{W - 28, H - 15}, {W - 13, H - 15}, {W - 13, H}}};
                if (shadow) s.shadowTail = {{{W - 23, H - 15}, {W - 10, H - 15}, {W - 10, H}}};
                break;
            case D::dDownRight: s.tail = {{{7, 15}, {22, 15}, {2, 0}}}; break;
            case D::dDownLeft: s.tail = {{{W - 28, 15}, {W - 13, 15}, {W - 6, 2}}}; break;
        }
    }
    s.textLeft = 8;
    s.textTop = 3 + e;
    return s;
}

bool HintShadowDot(const HintBubbleShape& shape, int x, int y) {
    if (!shape.shadow || (x + y) % 2 != 0) return false;
    auto in = [x, y](const BubbleRect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    return in(shape.shadowBox) && (in(shape.shadowStrips[0]) || in(shape.shadowStrips[1]));
}

}  // namespace brisbolt
