// What the dispatcher offers every window: the click, the quarter-second
// wait and the end of the program. Each works without a dispatcher too
// (a window shown on its own): the click and the end are then skipped.
#pragma once

namespace brisbolt {

inline constexpr const char* QuitQuestion = "Nothing has been accelerated at this time. Do you want to quit ?";

// The click sound, then pending messages.
void PlayClick();
// Waits count quarter seconds while messages are processed; a count above
// 20 waits one quarter second.
bool DelayQuarterSeconds(int count);
void QuitProgram();
// The quit buttons: ends the program at once after an apply run, else
// only when the user answers Yes to QuitQuestion.
void QuitWhenConfirmed();

// What only the dispatcher can do for the windows: the click sound and the
// end of the program. The program's own dispatcher registers itself; without
// one the click only processes messages and the end is skipped.
class DispatcherServices {
public:
    virtual void Click() = 0;
    virtual void EndProgram() = 0;

protected:
    ~DispatcherServices() = default;
};
void SetDispatcherServices(DispatcherServices* dispatcher);

}  // namespace brisbolt
