#include "tuning/ApplySteps.h"

#include <algorithm>
#include <iterator>

namespace brisbolt {

namespace {
constexpr ProgressStep Steps[] = {
    {28, 1, MessageToIsp},         {48, 2, nullptr},
    {78, 3, MessageFromIsp},       {98, 4, nullptr},
    {128, 5, MessageDelays},       {148, 6, nullptr},
    {178, 7, MessageSlowSessions}, {198, 8, nullptr},
    {223, 9, MessageDistantPages}, {LastStepCounter, 0, MessageAccelerated},
};
constexpr int FirstMovingStep = 28;
}  // namespace

const ProgressStep* FindProgressStep(int counter) {
    const auto found = std::find_if(std::begin(Steps), std::end(Steps),
                                    [counter](const ProgressStep& step) { return step.counter == counter; });
    return found == std::end(Steps) ? nullptr : found;
}

int RightCapLeft(int counter, int leftPieceLeft) {
    // The end starts moving with the tick after the one that reached the first step.
    const int moves = counter > FirstMovingStep ? (counter - FirstMovingStep) / StepIncrease : 0;
    return leftPieceLeft + RightCapStart + RightCapStep * moves;
}

}  // namespace brisbolt
