// Hint bubble placement and its fall-backs at the screen's edges.
#include <gtest/gtest.h>

#include "skin/HintPlacement.h"

namespace brisbolt {
namespace {

using D = THintDirection;

TEST(HintPlacement, FallsBackAtTheScreenEdges) {
    // Measured 100 x 20: window 116 x 40 up, 116 x 49 down. Screen 800 x 600.
    struct Case {
        const char* what;
        D requested;
        int x, y;
        HintPlacement expected;
    } cases[] = {
        {"room everywhere", D::dUpRight, 400, 300, {D::dUpRight, 400, 255, 116, 40}},
        {"right edge", D::dUpRight, 700, 300, {D::dUpLeft, 590, 255, 116, 40}},
        {"top edge", D::dUpRight, 400, 30, {D::dDownRight, 400, 45, 116, 49}},
        {"top right corner", D::dUpRight, 700, 30, {D::dDownLeft, 590, 45, 116, 49}},
        {"left edge", D::dUpLeft, 50, 300, {D::dUpRight, 50, 255, 116, 40}},
        {"bottom edge", D::dDownRight, 400, 560, {D::dUpRight, 400, 515, 116, 40}},
        {"bottom left", D::dDownLeft, 50, 560, {D::dUpRight, 50, 515, 116, 40}},
        {"exact right fit", D::dUpRight, 684, 300, {D::dUpRight, 684, 255, 116, 40}},
        {"exact top fit", D::dUpRight, 400, 45, {D::dUpRight, 400, 0, 116, 40}},
        {"exact bottom fit", D::dDownLeft, 400, 536, {D::dDownLeft, 290, 551, 116, 49}},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceHint(c.requested, c.x, c.y, 100, 20, 800, 600), c.expected) << c.what;
}

TEST(HintPlacement, TooLargeForTheScreenSettlesOnTheRequestedDirection) {
    for (D d : {D::dUpRight, D::dUpLeft, D::dDownRight, D::dDownLeft}) {
        HintPlacement wide = PlaceHint(d, 400, 300, 900, 20, 800, 600);
        EXPECT_EQ(wide.direction, d);
        HintPlacement tall = PlaceHint(d, 400, 300, 100, 700, 800, 600);
        EXPECT_EQ(tall.direction, d);
        EXPECT_EQ(tall.height, IsUpDirection(d) ? 720 : 729);
    }
}

}  // namespace
}  // namespace brisbolt
