// The keyboard side of controls: tab stops, focus, the key windows of
// controls without a window, the tab order of a container's windows.
#include "runtime/Control.h"

#include <utility>

#include "runtime/KeyWindow.h"

namespace brisbolt {

bool WindowTakesKeys(HWND hwnd) {
    if (!hwnd) return false;
    // Up to its top window, which may not be shown yet.
    for (HWND h = hwnd; h && (GetWindowLongA(h, GWL_STYLE) & WS_CHILD); h = GetParent(h)) {
        const LONG style = GetWindowLongA(h, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) return false;
    }
    return true;
}

HWND FirstTabStop(HWND parent, bool itself) {
    if (!WindowTakesKeys(parent)) return nullptr;
    if (itself && (GetWindowLongA(parent, GWL_STYLE) & WS_TABSTOP)) return parent;
    // The dialog manager's own search: the z-order, looking into containers
    // of controls (WS_EX_CONTROLPARENT) on the way.
    return GetNextDlgTabItem(parent, nullptr, FALSE);
}

void TControl::UpdateKeyWindow() {
    if (AsWinControl()) return;
    HWND parent = parent_ ? parent_->hwnd_ : nullptr;
    if (!tabStop_ || !parent) {
        keyWindow_.reset();
        return;
    }
    if (keyWindow_ && keyWindow_->Handle() && GetParent(keyWindow_->Handle()) == parent) return;
    const DWORD style = WS_CHILD | WS_TABSTOP | WS_GROUP | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    keyWindow_ = std::make_unique<TKeyWindow>(*this, parent, style);
}

void TControl::SetTabStop(bool value) {
    if (value == tabStop_) return;
    tabStop_ = value;
    if (const TWinControl* self = AsWinControl(); self && self->hwnd_) {
        const LONG style = GetWindowLongA(self->hwnd_, GWL_STYLE);
        SetWindowLongA(self->hwnd_, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    UpdateKeyWindow();
}

HWND TControl::FocusWindow() const {
    if (const TWinControl* self = AsWinControl()) return self->hwnd_;
    return keyWindow_ ? keyWindow_->Handle() : nullptr;
}

bool TControl::Focused() const {
    HWND window = FocusWindow();
    HWND focus = GetFocus();
    return window && focus && (focus == window || IsChild(window, focus));
}

bool TControl::ShowsFocus() const {
    // Windows before 2000 know no such message and answer 0: cues shown.
    return Focused() && !(SendMessageA(FocusWindow(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

bool TControl::CanFocus() const { return WindowTakesKeys(FocusWindow()); }

void TControl::SetFocus() {
    TWinControl* root = parent_;
    while (root && root->parent_) root = root->parent_;
    if (TWinControl* self = AsWinControl(); !root && self) root = self;
    if (!root) return;
    // Its window, or key window, comes with the form's.
    if (!FocusWindow()) root->Handle();
    if (CanFocus()) root->FocusOn(FocusWindow());
}

void TControl::KeyDown(WORD key) {
    if (key != VK_SPACE || spacePressed_ || !enabled_) return;
    spacePressed_ = true;
    ShowKeyPress(true);
}

void TControl::KeyUp(WORD key) {
    if (key != VK_SPACE || !spacePressed_) return;
    spacePressed_ = false;
    ShowKeyPress(false);
    if (enabled_ && Showing()) Click();
}

void TControl::FocusChanged(bool focused) {
    // The keyboard gone mid-press: no click, as with a native button.
    if (!focused && spacePressed_) {
        spacePressed_ = false;
        ShowKeyPress(false);
    }
    Invalidate();
}

void TControl::PassKeyboardOn() {
    // Hidden or disabled, it cannot keep the keyboard; the system leaves it
    // there, nowhere or with the parent, whose form then hands it on.
    HWND focus = GetFocus();
    HWND window = FocusWindow();
    if (focus && focus != window && !IsChild(window, focus)) return;
    if (HWND parent = parent_ ? parent_->hwnd_ : nullptr) ::SetFocus(parent);
}

void TWinControl::SetTabOrder(std::vector<TControl*> order) {
    tabOrder_ = std::move(order);
    ArrangeTabOrder();
}

void TWinControl::ArrangeTabOrder() {
    if (!hwnd_) return;
    HWND after = HWND_TOP;
    for (TControl* control : tabOrder_) {
        if (control->parent_ != this) continue;
        HWND window = control->FocusWindow();
        if (!window) continue;
        SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = window;
    }
}

void TWinControl::FocusInside() {
    TWinControl* root = this;
    while (root->parent_) root = root->parent_;
    if (root != this) {
        root->FocusInside();
    } else if (HWND first = FirstTabStop(hwnd_)) {
        ::SetFocus(first);
    }
}

void TWinControl::FocusOn(HWND window) { ::SetFocus(window); }

}  // namespace brisbolt
