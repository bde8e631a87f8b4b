#include "runtime/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "runtime/Application.h"
#include "runtime/KeyWindow.h"
#include "runtime/SystemFunctions.h"

namespace brisbolt {

TWinControl* FindControl(HWND hwnd) { return dynamic_cast<TWinControl*>(FindTarget(hwnd)); }

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// --- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
    Font.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    Font.OnChange = nullptr;
    if (keyWindow_) keyWindow_->Detach();
    keyWindow_.reset();
    if (Application) Application->ForgetControl(this);
    if (parent_) parent_->Remove(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->Remove(this);
    parent_ = parent;
    if (parent_) parent_->Insert(this);
    UpdateKeyWindow();
    Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (keyWindow_ && keyWindow_->Handle())
        KeepingKeyboard([&] { ShowWindow(keyWindow_->Handle(), visible ? SW_SHOWNA : SW_HIDE); });
    if (parent_ && parent_->hwnd_) {
        const RECT bounds = BoundsRect();
        InvalidateRect(parent_->hwnd_, &bounds, FALSE);
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (keyWindow_ && keyWindow_->Handle()) KeepingKeyboard([&] { EnableWindow(keyWindow_->Handle(), enabled); });
    Invalidate();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate();
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

bool TControl::EffectiveShowHint() const {
    if (ParentShowHint && parent_) return parent_->EffectiveShowHint();
    return ShowHint;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::Left && ClicksByMouse()) clicked_ = true;
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::Left && clicked_) {
        clicked_ = false;
        // A click is a press and a release on the control.
        if (x >= 0 && y >= 0 && x < width_ && y < height_) Click();
    }
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    clicked_ = false;
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Invalidate() {
    if (!parent_ || !parent_->hwnd_ || width_ <= 0 || height_ <= 0) return;
    const RECT bounds = BoundsRect();
    InvalidateRect(parent_->hwnd_, &bounds, FALSE);
}

void TControl::Repaint() {
    Invalidate();
    if (TWinControl* self = AsWinControl()) {
        if (self->HandleAllocated()) UpdateWindow(self->Handle());
    } else if (parent_ && parent_->hwnd_) {
        UpdateWindow(parent_->hwnd_);
    }
}

POINT TControl::ClientToScreen(POINT point) const {
    if (const TWinControl* self = AsWinControl(); self && self->HandleAllocated()) {
        ::ClientToScreen(self->hwnd_, &point);
        return point;
    }
    point.x += left_;
    point.y += top_;
    return parent_ ? parent_->ClientToScreen(point) : point;
}

POINT TControl::ScreenToClient(POINT point) const {
    const POINT origin = ClientToScreen(POINT{0, 0});
    return POINT{point.x - origin.x, point.y - origin.y};
}

bool TControl::ContainsScreenPoint(POINT screen) const {
    const POINT p = ScreenToClient(screen);
    return p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_;
}

bool TControl::Showing() const { return visible_ && (!parent_ || parent_->Showing()); }

// --- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children outlive this part of the object (their owner frees them
    // later); they must not reach back into it.
    for (TControl* child : controls_) child->parent_ = nullptr;
    controls_.clear();
    captureControl_ = hoverControl_ = nullptr;
    DestroyHandle();
}

HWND TWinControl::Handle() {
    if (!hwnd_ && parent_ && !parent_->hwnd_) parent_->Handle();
    if (!hwnd_) {
        CreateWnd();  // binds the window, which sets hwnd_
        if (hwnd_) {
            window_ = UniqueWindow(hwnd_);
            SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
            CreateChildWindows();
        }
    }
    return hwnd_;
}

void TWinControl::CreateChildWindows() {
    // In creation order, which is the tab order unless one is set.
    for (TControl* child : std::vector<TControl*>(controls_)) {
        if (TWinControl* windowed = child->AsWinControl())
            windowed->Handle();
        else
            child->UpdateKeyWindow();
    }
    ArrangeTabOrder();
}

HWND TWinControl::ParentWindow() const { return parent_ ? parent_->Handle() : nullptr; }

DWORD TWinControl::WindowStyle() const {
    // Each control its own group for the arrow keys; radio buttons join
    // the one before (TRadioButton).
    return WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_GROUP | (visible_ ? WS_VISIBLE : 0) |
           (enabled_ ? 0 : WS_DISABLED) | (tabStop_ ? WS_TABSTOP : 0);
}

void TWinControl::CreateWnd() {
    CreateBoundWindow(this, WS_EX_CONTROLPARENT, BoundWindowClass(), caption_.c_str(), WindowStyle(), left_, top_,
                      width_, height_, ParentWindow());
}

void TWinControl::CreateSystemWindow(const char* className, DWORD style, DWORD exStyle) {
    UniqueWindow made(CreateWindowExA(exStyle, className, caption_.c_str(), style | WindowStyle(), left_, top_, width_,
                                      height_, ParentWindow(), nullptr, ProgramInstance(), nullptr));
    if (TakeOverWindow(made.get(), this)) made.release();
}

void TWinControl::DestroyHandle() { window_.reset(); }

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    TControl::SetParent(parent);
    if (hwnd_ && parent_ && parent_->HandleAllocated()) ::SetParent(hwnd_, parent_->Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_) MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void TWinControl::SetVisible(bool visible) {
    visible_ = visible;
    if (hwnd_) KeepingKeyboard([&] { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); });
}

void TWinControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_) KeepingKeyboard([&] { EnableWindow(hwnd_, enabled); });
}

void TWinControl::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextA(hwnd_, caption.c_str());
}

void TWinControl::BringToFront() {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TWinControl::FontChanged() {
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), TRUE);
    Invalidate();
}

void TWinControl::Insert(TControl* control) { controls_.push_back(control); }

void TWinControl::Remove(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (captureControl_ == control) {
        captureControl_ = nullptr;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    if (hoverControl_ == control) hoverControl_ = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT point) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (control->AsWinControl() || !control->visible_ || !control->enabled_) continue;
        const RECT bounds = control->BoundsRect();
        if (PtInRect(&bounds, point)) return control;
    }
    return nullptr;
}

bool TWinControl::DispatchDialogChar(char key) {
    for (TControl* control : std::vector<TControl*>(controls_)) {
        TWinControl* windowed = control->AsWinControl();
        if (windowed ? windowed->DispatchDialogChar(key) : control->DialogChar(key)) return true;
    }
    return DialogChar(key);
}

void TWinControl::SetCursorAtMouse() {
    POINT at;
    GetCursorPos(&at);
    ::ScreenToClient(hwnd_, &at);
    const TControl* control = captureControl_ ? captureControl_ : ControlAtPos(at);
    HCURSOR cursor = LoadCursorA(nullptr, (control ? control : this)->Cursor);
    // Windows 95 and NT 4.0 have no hand cursor.
    SetCursor(cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW));
}

void TWinControl::MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const TShiftState shift = ShiftFromKeys(wp);
    TControl* target = captureControl_ ? captureControl_ : ControlAtPos(point);
    if (!target) target = this;
    const int x = target == this ? point.x : point.x - target->left_;
    const int y = target == this ? point.y : point.y - target->top_;

    if (msg == WM_MOUSEMOVE) {
        if (!trackingLeave_) trackingLeave_ = TrackMouseLeave(hwnd_);
        if (!captureControl_ && target != hoverControl_) {
            TControl* previous = hoverControl_;
            hoverControl_ = target;
            if (previous) previous->MouseLeave();
            target->MouseEnter();
        }
        if (Application) Application->HintMouseMove(target);
        target->MouseMove(shift, x, y);
        return;
    }

    TMouseButton button = TMouseButton::Left;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) button = TMouseButton::Right;
    if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP) button = TMouseButton::Middle;
    const bool down =
        msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
    if (down) {
        if (target != this) {
            captureControl_ = target;
            SetCapture(hwnd_);
        }
        target->MouseDown(button, msg == WM_LBUTTONDBLCLK ? (shift | ssDouble) : shift, x, y);
        return;
    }
    const bool buttonsLeft = (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
    if (captureControl_ && !buttonsLeft) {
        captureControl_ = nullptr;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    target->MouseUp(button, shift, x, y);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCDESTROY: return OnNcDestroy(msg, wp, lp);
        case WM_NCPAINT: return OnNcPaint(msg, wp, lp);
        case WM_ERASEBKGND: return TakenOver() ? DefaultProc(msg, wp, lp) : 1;
        case WM_PAINT: return OnPaint(msg, wp, lp);
        case WM_PRINTCLIENT: return OnPrintClient(msg, wp, lp);
        case WM_PRINT: return OnPrint(msg, wp, lp);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: MouseMessage(msg, wp, lp); break;
        case WM_MOUSELEAVE: MouseGone(); break;
        case WM_CAPTURECHANGED: CaptureGone(reinterpret_cast<HWND>(lp)); break;
        case WM_COMMAND: return OnCommand(msg, wp, lp);
        case WM_SETFOCUS: return OnSetFocus(msg, wp, lp);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: return OnCtlColor(msg, wp, lp);
        case WM_SYSCHAR: return OnSysChar(msg, wp, lp);
        case WM_SETCURSOR: return OnSetCursor(msg, wp, lp);
        default: break;
    }
    return DefaultProc(msg, wp, lp);
}

LRESULT TWinControl::OnNcDestroy(UINT msg, WPARAM wp, LPARAM lp) {
    // The window goes by itself (with its parent): nothing left to destroy.
    trackingLeave_ = false;
    window_.release();
    return DefaultProc(msg, wp, lp);
}

void TWinControl::MouseGone() {
    trackingLeave_ = false;
    if (hoverControl_ && !captureControl_) std::exchange(hoverControl_, nullptr)->MouseLeave();
    if (Application) Application->HintMouseMove(nullptr);
}

void TWinControl::CaptureGone(HWND taker) {
    if (taker != hwnd_) captureControl_ = nullptr;
}

LRESULT TWinControl::OnCommand(UINT msg, WPARAM wp, LPARAM lp) {
    const auto from = reinterpret_cast<HWND>(lp);
    if (TWinControl* child = FindControl(from)) {
        child->Command(HIWORD(wp));
        return 0;
    }
    // Enter on a control without a window, from the dialog keys.
    if (TKeyWindow* keys = FindKeyWindow(from)) {
        keys->Command(HIWORD(wp));
        return 0;
    }
    return DefaultProc(msg, wp, lp);
}

LRESULT TWinControl::OnSetFocus(UINT msg, WPARAM wp, LPARAM lp) {
    if (TakenOver()) return DefaultProc(msg, wp, lp);
    // The window itself got the keyboard (a form activated, or the control
    // that had it went): on to a control.
    FocusInside();
    return 0;
}

LRESULT TWinControl::OnCtlColor(UINT msg, WPARAM wp, LPARAM lp) {
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(lp)))
        return child->ColorMessage(reinterpret_cast<HDC>(wp));
    return DefaultProc(msg, wp, lp);
}

LRESULT TWinControl::OnSysChar(UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* root = this;
    while (root->parent_) root = root->parent_;
    return root->DispatchDialogChar(static_cast<char>(wp)) ? 0 : DefaultProc(msg, wp, lp);
}

LRESULT TWinControl::OnSetCursor(UINT msg, WPARAM wp, LPARAM lp) {
    // A native control within picks its own cursor, unless it was given one.
    if ((TakenOver() && Cursor == IDC_ARROW) || LOWORD(lp) != HTCLIENT || reinterpret_cast<HWND>(wp) != hwnd_)
        return DefaultProc(msg, wp, lp);
    SetCursorAtMouse();
    return TRUE;
}

}  // namespace brisbolt
