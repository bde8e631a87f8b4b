// Ties Win32 windows to C++ objects. Every window of the program, its own and
// the native controls it takes over, finds its object through one window
// property, and one entry procedure hands every message to the object's
// WndProc. An exception that escapes a handler is reported and never crosses
// the system's code.
#pragma once

#include <windows.h>

namespace brisbolt {

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // The window bound to this object; null when none is.
    HWND BoundWindow() const { return hwnd_; }

protected:
    // Every message of the bound window.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) = 0;
    // What the window's own procedure answers: the system class's for a
    // native control taken over, DefDlgProc for a window of the dialog
    // class, else DefWindowProc.
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
    // The window is of FormWindowClass: the system's dialog procedure
    // answers what the object leaves.
    void UseDialogDefaults() { dialogDefaults_ = true; }
    // True for a native control whose procedure was replaced.
    bool TakenOver() const { return systemProc_ != nullptr; }

    HWND hwnd_ = nullptr;

private:
    friend struct WindowBinding;
    WNDPROC systemProc_ = nullptr;
    bool dialogDefaults_ = false;
};

// Registers (once) a window class whose windows bind to the MessageTarget
// passed as their creation parameter.
// No CS_DBLCLKS: a quick second click on a button is a click, not a double click.
const char* BoundWindowClass(UINT style = 0, const char* name = "BrisboltWindow", int extraBytes = 0);
// The class of the program's top-level windows: a custom dialog class
// (DLGWINDOWEXTRA, DefDlgProc behind the object), so the system keeps each
// window's keyboard place across deactivation, as it does for a dialog.
const char* FormWindowClass();

// Creates a window bound to target from its first message on.
HWND CreateBoundWindow(MessageTarget* target, DWORD exStyle, const char* className, const char* title, DWORD style,
                       int x, int y, int width, int height, HWND parent);
// A hidden window that only receives messages (timers, answers). It is a
// child of the message parent when one is set on this thread: under Wine
// every hidden top-level window costs the start milliseconds, and Windows 95
// and 98 have no message-only windows (HWND_MESSAGE).
HWND CreateMessageWindow(MessageTarget* target);
// The same, always top-level: only top-level windows hear the system's
// broadcasts.
HWND CreateTopLevelMessageWindow(MessageTarget* target);
// The window of this thread that later message windows go under; nullptr
// for none. Its message windows go when it goes.
void SetMessageWindowParent(HWND parent);
// Binds a window of a system class (a native control) to target: its
// procedure is replaced, and the system's is kept for DefaultProc.
bool TakeOverWindow(HWND hwnd, MessageTarget* target);
// The object a window is bound to, if any.
MessageTarget* FindTarget(HWND hwnd);
// Stops forwarding: the property goes, a taken-over window gets its own
// procedure back, and the object forgets the window. Happens by itself when
// the window is destroyed.
void UnbindWindow(HWND hwnd);

// How a handler's escaped exception is told to the user; one at a time.
void ReportHandlerError(const char* what);

HINSTANCE ProgramInstance();

// Owns a window: unbinds it, then destroys it.
class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND hwnd) : hwnd_(hwnd) {}
    ~UniqueWindow() { reset(); }
    UniqueWindow(UniqueWindow&& other) noexcept : hwnd_(other.release()) {}
    UniqueWindow& operator=(UniqueWindow&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;

    HWND get() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    HWND release() {
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        return hwnd;
    }
    void reset(HWND hwnd = nullptr);

private:
    HWND hwnd_ = nullptr;
};

}  // namespace brisbolt
