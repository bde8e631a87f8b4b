#include "runtime/Form.h"

#include <vector>

#include "runtime/Application.h"

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

TForm::TForm(TComponent* owner) : TWinControl(owner) { visible_ = false; }

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
    CreateBoundWindow(this, WS_EX_CONTROLPARENT, BoundWindowClass(), caption_.c_str(), WindowStyle(), left_, top_,
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

void TForm::SetVisible(bool visible) {
    if (visible == visible_ && HandleAllocated() && (IsWindowVisible(hwnd_) != FALSE) == visible) return;
    visible_ = visible;
    HWND hwnd = Handle();
    if (visible) {
        PlaceOnScreen();
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        if (OnShow) OnShow(this);
    } else {
        ShowWindow(hwnd, SW_HIDE);
    }
}

void TForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) SetForegroundWindow(hwnd_);
}

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
        // The other windows come back however the loop ends, an exception
        // included; before hiding, so the right window becomes active.
        struct ModalScope {
            TForm& form;
            DisabledWindows others;
            ~ModalScope() {
                for (HWND hwnd : others.windows)
                    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
                form.modal_ = false;
            }
        } scope{*this, {Handle(), {}}};
        EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&scope.others));
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

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        Close();
        return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace brisbolt
