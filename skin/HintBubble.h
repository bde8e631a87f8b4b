// The hint bubble's picture as shapes: the dotted shadow's area, the three
// boxes that make its white and black edge, the speech-bubble tail and where
// the text starts. Right and bottom are exclusive, as GDI draws them.
#pragma once

#include "skin/HintPlacement.h"

#include <optional>
#include <vector>

namespace brisbolt {

struct BubbleRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const BubbleRect&, const BubbleRect&) = default;
};

struct BubblePoint {
    int x = 0, y = 0;
    friend bool operator==(const BubblePoint&, const BubblePoint&) = default;
};

enum class BubblePen { Black, White, Key };

struct BubbleBox {
    BubbleRect rect;
    BubblePen pen = BubblePen::Black;
    friend bool operator==(const BubbleBox&, const BubbleBox&) = default;
};

struct HintBubbleShape {
    bool rounded = false;  // boxes with a 9 x 9 corner, shadow with 8 x 8
    // Shadow dots (x + y even) go where the shadow box meets either strip.
    bool shadow = false;
    BubbleRect shadowBox;
    BubbleRect shadowStrips[2];
    std::optional<std::vector<BubblePoint>> shadowTail;
    BubbleBox boxes[3];                            // black, white, then the key-coloured interior
    std::optional<std::vector<BubblePoint>> tail;  // p1, p2, p3
    int textLeft = 0, textTop = 0;                 // before the 3-D offset is taken off
};

HintBubbleShape PlanHintBubble(THintDirection direction, int width, int height, bool speechbubble, bool shadow);

// Whether a shadow dot falls on (x, y) of the rectangular shadow.
bool HintShadowDot(const HintBubbleShape& shape, int x, int y);

}  // namespace brisbolt
