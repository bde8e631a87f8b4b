// The application object: the hidden window that owns every form, the main
// message loop, the nested loops' view of a terminate request, and hints.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "runtime/Window.h"

namespace brisbolt {

class TControl;
class TForm;
class THintWindow;

class TApplication final : public MessageTarget {
public:
    TApplication();
    ~TApplication() override;

    // The hidden top-level window that owns all forms.
    HWND Handle() const { return hwnd_; }

    TForm* MainForm = nullptr;
    std::string Title = "Brisbolt";

    // Runs the message loop until a terminate request (or until the main
    // form closes).
    void Run();
    // Handles every message waiting now, then returns.
    void ProcessMessages();
    // Waits for one message and handles it (the body of every loop).
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Forgets an earlier terminate request (tests run many loops in one process).
    void ResetTerminated() { terminated_ = false; }
    // Raised once per form, when it is first shown (after its OnShow).
    std::function<void(TForm* form)> OnFormShown;

    // Hints: the pause before one shows, and how long it stays.
    int HintPause = 500;
    int HintHidePause = 2500;
    bool ShowHint = true;
    // Makes the window that shows hints; replaceable by a skinned one.
    std::function<std::unique_ptr<THintWindow>()> HintWindowClass;
    // Controls report the mouse so the application can time hints.
    void HintMouseMove(TControl* control);
    void CancelHint();
    // A control going away must not stay the one the hint is for.
    void ForgetControl(TControl* control) {
        if (control == hintControl_) CancelHint();
    }
    THintWindow* ActiveHintWindow() const { return hintWindow_.get(); }
    // Drops the hint window, so the next hint makes one of HintWindowClass.
    void ResetHintWindow();

    // The command line's arguments; 0 is the program itself.
    static std::string ParamStr(int index);
    static int ParamCount();
    static std::string ExeName();
    // Whether an argument is the switch given (in capitals), whatever the
    // case of its letters.
    static bool IsSwitch(const std::string& argument, const char* name);

private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool ProcessMessage();
    void ShowHintNow();

    UniqueWindow window_{CreateTopLevelMessageWindow(this)};
    bool terminated_ = false;
    TControl* hintControl_ = nullptr;
    std::unique_ptr<THintWindow> hintWindow_;
};

// The one application object of the program.
extern TApplication* Application;

}  // namespace brisbolt
