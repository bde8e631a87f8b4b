// Keys for the window tests: pressed on whatever window has the keyboard
// and handled by the program's own message loop (the dialog keys with it),
// and the name of the control that has the keyboard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/Services.h"
#include "runtime/Application.h"
#include "runtime/Form.h"

namespace brisbolt::keytest {

// Down, then up on the window that has the keyboard by then, as the system
// posts them; Shift held for both when asked. A key that opens a modal
// window returns once that window has closed.
inline void PressKey(WORD key, bool shift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE shiftBefore = state[VK_SHIFT];
    if (shift) {
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    const UINT scan = MapVirtualKeyA(key, 0);
    auto target = [] { return GetFocus() ? GetFocus() : GetActiveWindow(); };
    PostMessageA(target(), WM_KEYDOWN, key, MAKELPARAM(1, scan));
    Application->ProcessMessages();
    PostMessageA(target(), WM_KEYUP, key, MAKELPARAM(1, scan | KF_REPEAT | KF_UP));
    Application->ProcessMessages();
    if (shift) {
        GetKeyboardState(state);
        state[VK_SHIFT] = shiftBefore;
        SetKeyboardState(state);
    }
}

inline void PressKeys(WORD key, int times, bool shift = false) {
    for (int i = 0; i < times; ++i) PressKey(key, shift);
}

// The control of the form whose window has the keyboard ("(form)" for the
// form itself, "(none)" when no window has it); a combo box's edit field
// counts as the combo box.
inline std::string FocusedName(const TForm& form) {
    HWND focus = GetFocus();
    if (!focus) return "(none)";
    if (focus == form.BoundWindow()) return "(form)";
    std::vector<const TControl*> controls;
    std::vector<const TComponent*> pending{&form};
    while (!pending.empty()) {
        const TComponent* component = pending.back();
        pending.pop_back();
        for (const TComponent* owned : component->Components()) {
            pending.push_back(owned);
            if (const auto* control = dynamic_cast<const TControl*>(owned)) controls.push_back(control);
        }
    }
    for (const TControl* control : controls)
        if (control->FocusWindow() == focus) return control->Name;
    for (const TControl* control : controls) {
        const TWinControl* windowed = control->AsWinControl();
        if (windowed && windowed->Controls().empty() && IsChild(control->FocusWindow(), focus)) return control->Name;
    }
    return "(elsewhere)";
}

// Tab (or Shift+Tab) as often as there are names, each time the next name.
inline std::vector<std::string> TabRound(const TForm& form, std::size_t steps, bool back = false) {
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < steps; ++i) {
        PressKey(VK_TAB, back);
        visited.push_back(FocusedName(form));
    }
    return visited;
}

// Counts the click sound the windows' handlers play, standing in for the
// dispatcher while it lives; `then` takes over again afterwards.
class ClickCounter final : public DispatcherServices {
public:
    explicit ClickCounter(DispatcherServices* then = nullptr) : then_(then) { SetDispatcherServices(this); }
    ~ClickCounter() { SetDispatcherServices(then_); }
    ClickCounter(const ClickCounter&) = delete;
    ClickCounter& operator=(const ClickCounter&) = delete;
    void Click() override {
        ++clicks;
        Application->ProcessMessages();
    }
    void EndProgram() override { ++ends; }
    int clicks = 0;
    int ends = 0;

private:
    DispatcherServices* then_;
};

}  // namespace brisbolt::keytest
