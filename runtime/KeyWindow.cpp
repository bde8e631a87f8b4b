#include "runtime/KeyWindow.h"

#include "runtime/Control.h"

namespace brisbolt {

TKeyWindow::TKeyWindow(TControl& control, HWND parent, DWORD style) : control_(&control) {
    // No size: it covers nothing of what the parent paints and takes no mouse.
    CreateBoundWindow(this, 0, BoundWindowClass(0, "BrisboltKeys"), "", style, control.Left(), control.Top(), 0, 0,
                      parent);
    window_ = UniqueWindow(hwnd_);
}

TKeyWindow::~TKeyWindow() { control_ = nullptr; }

TKeyWindow* FindKeyWindow(HWND hwnd) { return dynamic_cast<TKeyWindow*>(FindTarget(hwnd)); }

void TKeyWindow::Command(WORD code) {
    if (code == BN_CLICKED && control_ && control_->Enabled() && control_->Showing()) control_->Click();
}

LRESULT TKeyWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        // A push button: Enter presses the focused one.
        case WM_GETDLGCODE: return DLGC_BUTTON | (GetFocus() == hwnd_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case WM_SETFOCUS: return Tell(&TControl::FocusChanged, true);
        case WM_KILLFOCUS: return Tell(&TControl::FocusChanged, false);
        case WM_KEYDOWN: return Tell(&TControl::KeyDown, static_cast<WORD>(wp));
        case WM_KEYUP: return Tell(&TControl::KeyUp, static_cast<WORD>(wp));
        case WM_CHAR: return 0;
        // The system shows or hides focus cues from now on.
        case WM_UPDATEUISTATE: Tell(&TControl::Invalidate); break;
        case WM_NCDESTROY: window_.release(); break;
        default: break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace brisbolt
