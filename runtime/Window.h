// Binds a Win32 window to a C++ object: one static window procedure finds
// the object through GWLP_USERDATA (set at WM_NCCREATE) and forwards.
#pragma once

#include <windows.h>

namespace brisbolt {

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // Every message of the bound window; never lets an exception out.
    virtual LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) = 0;
};

// Registers (once) a window class whose procedure forwards to the
// MessageTarget passed as the creation parameter.
// No CS_DBLCLKS: a quick second click on a button is a click, not a double click.
const char* BoundWindowClass(UINT style = 0, const char* name = "BrisboltWindow");

// Creates a window bound to target; the target must outlive the window or
// destroy it first.
HWND CreateBoundWindow(MessageTarget* target, DWORD exStyle, const char* className, const char* title, DWORD style,
                       int x, int y, int width, int height, HWND parent);

// Stops forwarding: later messages go to the default procedure.
void UnbindWindow(HWND hwnd);

HINSTANCE ProgramInstance();

// A hidden window that only receives messages.
class MessageWindow {
public:
    explicit MessageWindow(MessageTarget* target);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace brisbolt
