// The apply window's progress display as numbers: what each tick of the red
// bar shows, and where the bar's right end stands.
#pragma once

namespace brisbolt {

inline constexpr int FirstStepCounter = 23;
inline constexpr int StepIncrease = 5;
inline constexpr int LastStepCounter = 248;
// Pixels the right end moves at every tick after the first step.
inline constexpr int RightCapStep = 5;
// The right end starts this far right of the bar's left piece.
inline constexpr int RightCapStart = 2;
inline constexpr int BarTicks = (LastStepCounter - FirstStepCounter) / StepIncrease;  // 45

inline constexpr const char* MessageToIsp = "Optimizing communication speed to your ISP";
inline constexpr const char* MessageFromIsp = "Optimizing communication speed from your ISP";
inline constexpr const char* MessageDelays = "Optimizing handling of Internet delays";
inline constexpr const char* MessageSlowSessions = "Avoiding slow sessions";
inline constexpr const char* MessageDistantPages = "Improving access to distant pages";
inline constexpr const char* MessageAccelerated = "Your Internet connection is now accelerated !";

// What one step changes: the piece of bar it shows (1: the left piece and
// the right end, 2 to 9: imgRed2 to imgRed9; 0: none) and the message it
// puts up (null: none).
struct ProgressStep {
    int counter;
    int segment;
    const char* message;
};

// The step reached at this StepCounter value; null for a value that changes
// nothing but the right end's place.
const ProgressStep* FindProgressStep(int counter);

// The right end's left edge after the tick that raised StepCounter to
// `counter`, for a left piece at `leftPieceLeft`.
int RightCapLeft(int counter, int leftPieceLeft);

}  // namespace brisbolt
