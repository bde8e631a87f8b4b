#include "runtime/Form.h"

#include <utility>
#include <vector>

#include "runtime/Application.h"
#include "runtime/ScopeGuard.h"
#include "runtime/StdControls.h"

namespace brisbolt {

namespace {

void LoadAll(TComponent& component) {
    for (TComponent* owned : std::vector<TComponent*>(component.Components())) {
        owned->Loaded();
        LoadAll(*owned);
    }
}

struct DisabledWindows {
    HWND keep;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM lp) {
    auto* state = reinterpret_cast<DisabledWindows*>(lp);
    if (hwnd != state->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        state->windows.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    UseDialogDefaults();
}

TForm::~TForm() {
    if (OnDestroy) OnDestroy(this);
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

void TForm::AfterConstruction() {
    LoadAll(*this);
    if (OnCreate) OnCreate(this);
}

DWORD TForm::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN;
    switch (BorderStyle) {
        case TBorderStyle::None: style |= WS_POPUP; break;
        case TBorderStyle::Single: style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
        case TBorderStyle::Dialog: style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME; break;
        case TBorderStyle::Sizeable: style |= WS_OVERLAPPEDWINDOW; break;
    }
    return style;
}

void TForm::CreateWnd() {
    HWND owner = Application ? Application->Handle() : nullptr;
    CreateBoundWindow(this, WS_EX_CONTROLPARENT, FormWindowClass(), caption_.c_str(), WindowStyle(), left_, top_,
                      width_, height_, owner);
}

void TForm::PlaceOnScreen() {
    if (placed_) return;
    placed_ = true;
    if (Position == TPosition::ScreenCenter) {
        const int x = (GetSystemMetrics(SM_CXSCREEN) - width_) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
        SetBounds(x, y, width_, height_);
    }
}

void TForm::SetVisible(bool visible) { ChangeVisibility(visible, SW_SHOW); }

void TForm::ChangeVisibility(bool visible, int showCommand) {
    if (visible == visible_ && HandleAllocated() && (IsWindowVisible(hwnd_) != FALSE) == visible) return;
    visible_ = visible;
    HWND hwnd = Handle();
    if (visible) {
        const bool first = !placed_;
        PlaceOnScreen();
        ShowWindow(hwnd, showCommand);
        UpdateWindow(hwnd);
        if (OnShow) OnShow(this);
        if (first && Application && Application->OnFormShown) Application->OnFormShown(this);
    } else {
        ShowWindow(hwnd, SW_HIDE);
    }
}

void TForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) SetForegroundWindow(hwnd_);
}

void TForm::ShowWithoutActivating() { ChangeVisibility(true, SW_SHOWNA); }

void TForm::Hide() { SetVisible(false); }

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (modal_) {
        ModalResult = mrCancel;
        return;
    }
    TCloseAction action = TCloseAction::Hide;
    DoClose(action);
    if (action == TCloseAction::None) return;
    if (Application && Application->MainForm == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::Minimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

int TForm::ShowModal() {
    int result = mrNone;
    {
        DisabledWindows others{Handle(), {}};
        // The other windows come back however the loop ends, an exception
        // included; before hiding, so the right window becomes active.
        const ScopeGuard enabledAgain([this, &others] {
            for (HWND hwnd : others.windows)
                if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
            modal_ = false;
        });
        EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&others));
        modal_ = true;
        ModalResult = mrNone;
        Show();
        for (;;) {
            if (Application->Terminated()) ModalResult = mrCancel;
            if (ModalResult != mrNone) {
                TCloseAction action = TCloseAction::Hide;
                DoClose(action);
                if (action != TCloseAction::None || Application->Terminated()) break;
                ModalResult = mrNone;
            }
            Application->HandleMessage();
        }
        result = ModalResult;
    }
    Hide();
    return result;
}

TForm* FormOfWindow(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return dynamic_cast<TForm*>(FindTarget(hwnd));
}

bool TForm::DialogMessage(MSG& msg) {
    if (!hwnd_) return false;
    HWND form = hwnd_;
    const HWND before = GetFocus();
    const bool arrow = msg.message == WM_KEYDOWN && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT ||
                                                     msg.wParam == VK_UP || msg.wParam == VK_DOWN);
    if (!IsDialogMessageA(form, &msg)) return false;
    // An arrow moves the focus within a group of radio buttons; the one it
    // comes to is selected, as a click selects it (where the system's button
    // did so already, nothing more happens).
    if (arrow && FormOfWindow(form) == this) {
        HWND focus = GetFocus();
        if (focus != before)
            if (auto* radio = dynamic_cast<TRadioButton*>(FindControl(focus)); radio && !radio->Checked())
                radio->SetChecked(true);
    }
    return true;
}

void TForm::FocusInside() {
    // The form itself has the keyboard: on to the control asked for, else
    // into the ActiveControl, else to the first tab stop.
    HWND target = std::exchange(requestedFocus_, nullptr);
    if (!target || !IsChild(hwnd_, target) || !WindowTakesKeys(target)) target = nullptr;
    if (!target && ActiveControl) target = FirstTabStop(ActiveControl->FocusWindow(), true);
    if (!target) target = FirstTabStop(hwnd_);
    if (target) ::SetFocus(target);
}

void TForm::FocusOn(HWND window) {
    if (hwnd_ && GetActiveWindow() == hwnd_)
        ::SetFocus(window);
    else
        requestedFocus_ = window;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE: Close(); return 0;
        case WM_ACTIVATE: return OnActivate(msg, wp, lp);
        // -1: the caption state changes, and no frame is painted where there is none.
        case WM_NCACTIVATE: return DefaultProc(msg, wp, HasNonClientArea() ? lp : -1);
        case WM_COMMAND: return OnCancelKey(msg, wp, lp);
        default: break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

LRESULT TForm::OnActivate(UINT msg, WPARAM wp, LPARAM lp) {
    // The dialog defaults put the keyboard back where it was; a control
    // asked for meanwhile comes first.
    const LRESULT result = DefaultProc(msg, wp, lp);
    if (LOWORD(wp) != WA_INACTIVE && requestedFocus_) FocusInside();
    return result;
}

LRESULT TForm::OnCancelKey(UINT msg, WPARAM wp, LPARAM lp) {
    // Esc, from the dialog keys: no control sends this one.
    if (LOWORD(wp) != IDCANCEL || HIWORD(wp) != 0 || FindTarget(reinterpret_cast<HWND>(lp)))
        return TWinControl::WndProc(msg, wp, lp);
    if (CancelControl && CancelControl->Showing() && CancelControl->Enabled()) CancelControl->Click();
    return 0;
}

}  // namespace brisbolt
