// The window a control without one takes the keyboard with. Controls that
// their parent paints have no window, yet the system's dialog keys (Tab,
// Enter, Space) work on windows only; so a control of that kind that is a
// tab stop gets an empty child of its parent's window, standing where the
// control stands in the tab order, visible and enabled as the control is.
// The control paints its own focus rectangle and takes the keys it gets.
#pragma once

#include <windows.h>

#include "runtime/Window.h"

namespace brisbolt {

class TControl;

class TKeyWindow final : public MessageTarget {
public:
    TKeyWindow(TControl& control, HWND parent, DWORD style);
    ~TKeyWindow() override;
    TKeyWindow(const TKeyWindow&) = delete;
    TKeyWindow& operator=(const TKeyWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    // The control is going: nothing more reaches it.
    void Detach() { control_ = nullptr; }
    // Enter on the focused window: the dialog keys report it as a click.
    void Command(WORD code);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Hands a key or focus change to the control while there is one; 0.
    template <typename... Arg, typename... Value>
    LRESULT Tell(void (TControl::*member)(Arg...), Value... value) {
        if (control_) (control_->*member)(value...);
        return 0;
    }

    TControl* control_;
    UniqueWindow window_;
};

// The key window a window is, if it is one.
TKeyWindow* FindKeyWindow(HWND hwnd);

}  // namespace brisbolt
