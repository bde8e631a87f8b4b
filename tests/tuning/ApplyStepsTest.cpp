// The red bar's steps as numbers: what each tick shows and where the right
// end stands, from the first tick to the last.
#include <gtest/gtest.h>

#include <string>

#include "tuning/ApplySteps.h"

namespace brisbolt {
namespace {

TEST(ApplySteps, EveryTickShowsItsPieceItsMessageAndMovesTheEnd) {
    // Replays the 45 ticks as the window does and checks chosen ones.
    const struct {
        int tick;
        int segments;  // pieces 2.. shown so far (the left piece from tick 1)
        const char* message;
        int capLeft;
    } checks[] = {
        {1, 0, MessageToIsp, 36},          {2, 0, MessageToIsp, 41},          {5, 1, MessageToIsp, 56},
        {11, 2, MessageFromIsp, 86},       {21, 4, MessageDelays, 136},       {31, 6, MessageSlowSessions, 186},
        {40, 8, MessageDistantPages, 231}, {44, 8, MessageDistantPages, 251}, {45, 8, MessageAccelerated, 256},
    };
    int counter = FirstStepCounter, shown = 0;
    const char* message = nullptr;
    int check = 0;
    for (int tick = 1; tick <= BarTicks; ++tick) {
        counter += StepIncrease;
        if (const ProgressStep* step = FindProgressStep(counter)) {
            if (step->segment >= 2) ++shown;
            if (step->message) message = step->message;
        }
        if (check < static_cast<int>(std::size(checks)) && checks[check].tick == tick) {
            SCOPED_TRACE(tick);
            EXPECT_EQ(shown, checks[check].segments);
            EXPECT_STREQ(message, checks[check].message);
            EXPECT_EQ(RightCapLeft(counter, 34), checks[check].capLeft);
            ++check;
        }
    }
    EXPECT_EQ(check, static_cast<int>(std::size(checks)));
    EXPECT_EQ(counter, LastStepCounter);
    EXPECT_EQ(shown, 8);
    // The end ends just over the right end of the last piece (34 + 9 * 25).
    EXPECT_EQ(RightCapLeft(LastStepCounter, 34), 256);
    EXPECT_EQ(RightCapLeft(FirstStepCounter, 34), 36);
    // Values between the steps change nothing but the end's place.
    for (int counter : {23, 33, 53, 243, 253}) EXPECT_EQ(FindProgressStep(counter), nullptr) << counter;
}

}  // namespace
}  // namespace brisbolt
