// The red bar's steps as numbers: what each counter value shows and where
// the right end stands, worked out by hand from the window's design: the
// counter goes 23, 28, ... 248; the left piece is at 34, the end starts
// 2 pixels right of it and moves 5 pixels a tick once the bar is up.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "tuning/ApplySteps.h"

namespace brisbolt {
namespace {

TEST(ApplySteps, TheCounterRunsFrom23To248InFortyFiveTicksOfFive) {
    EXPECT_EQ(FirstStepCounter, 23);
    EXPECT_EQ(StepIncrease, 5);
    EXPECT_EQ(LastStepCounter, 248);
    EXPECT_EQ(BarTicks, 45);
}

TEST(ApplySteps, EachStepShowsItsPieceAndItsMessageAndNoOtherValueDoesAnything) {
    const struct {
        int counter;
        int segment;  // 1: the left piece and the end; 2 to 9: imgRed2 to imgRed9; 0: none
        const char* message;
    } steps[] = {
        {28, 1, "Optimizing communication speed to your ISP"},
        {48, 2, nullptr},
        {78, 3, "Optimizing communication speed from your ISP"},
        {98, 4, nullptr},
        {128, 5, "Optimizing handling of Internet delays"},
        {148, 6, nullptr},
        {178, 7, "Avoiding slow sessions"},
        {198, 8, nullptr},
        {223, 9, "Improving access to distant pages"},
        {248, 0, "Your Internet connection is now accelerated !"},
    };
    std::set<int> stepCounters;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.counter);
        stepCounters.insert(s.counter);
        const ProgressStep* step = FindProgressStep(s.counter);
        ASSERT_NE(step, nullptr);
        EXPECT_EQ(step->counter, s.counter);
        EXPECT_EQ(step->segment, s.segment);
        if (s.message)
            EXPECT_STREQ(step->message, s.message);
        else
            EXPECT_EQ(step->message, nullptr);
    }
    // Every other value the counter takes, and those it never takes, only
    // move the end.
    for (int counter = 0; counter <= 260; ++counter)
        if (!stepCounters.count(counter)) EXPECT_EQ(FindProgressStep(counter), nullptr) << counter;
}

TEST(ApplySteps, TheRightEndStartsTwoPastTheLeftPieceAndMovesFiveATickAfterTheFirstStep) {
    const struct {
        int counter, leftPieceLeft, capLeft;
        const char* when;
    } cases[] = {
        {23, 34, 36, "prepared: 34 + 2"},
        {28, 34, 36, "tick 1 reaches the first step, the end stays"},
        {33, 34, 41, "tick 2: the first move"},
        {48, 34, 56, "tick 5: four moves"},
        {128, 34, 136, "tick 21: twenty moves"},
        {243, 34, 251, "tick 44"},
        {248, 34, 256, "tick 45: 44 moves of 5, just past imgRed9's right end (234 + 25)"},
        {248, 0, 222, "the same distances from another left piece"},
        {33, 100, 107, "the same distances from another left piece"},
    };
    for (const auto& c : cases) EXPECT_EQ(RightCapLeft(c.counter, c.leftPieceLeft), c.capLeft) << c.when;
}

}  // namespace
}  // namespace brisbolt
