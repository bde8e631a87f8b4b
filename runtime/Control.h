// Controls: the base with bounds, caption, font, colour, hint and mouse
// events; non-windowed controls that their parent paints and feeds with the
// mouse; windowed controls over native windows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Component.h"
#include "runtime/Graphics.h"
#include "runtime/Window.h"

namespace brisbolt {

class TWinControl;
class TKeyWindow;

enum class TMouseButton { Left, Right, Middle };
enum ShiftState : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = unsigned;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);

    TFont Font;
    std::string Hint;
    bool ShowHint = false;
    bool ParentShowHint = true;
    // ShowHint as it applies: taken from the parent while ParentShowHint holds.
    bool EffectiveShowHint() const;
    // The control's own choice, no longer the parent's.
    void SetShowHint(bool value) {
        ShowHint = value;
        ParentShowHint = false;
    }
    LPCSTR Cursor = IDC_ARROW;

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    virtual void Click();
    // Whether a press and release of the left button make a click here.
    // Native controls report their clicks themselves.
    virtual bool ClicksByMouse() const { return !AsWinControl(); }
    // Called by the parent (or the window) with control coordinates.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Alt plus a letter, offered to every control of the window; true when taken.
    virtual bool DialogChar(char) { return false; }

    // Whether Tab stops here. A control with a window reads it when the
    // window is made; one without gets a key window (runtime/KeyWindow.h)
    // while it is a tab stop on a parent that has a window.
    bool TabStop() const { return tabStop_; }
    virtual void SetTabStop(bool value);
    // The window that holds the keyboard when this control has it: its own,
    // or its key window; null when there is none yet.
    HWND FocusWindow() const;
    // The keyboard is here (or, for a container, within).
    bool Focused() const;
    // Focused, and the window's system shows focus cues now (Windows 2000
    // and later hide them until the keyboard is used; 95 to NT 4.0 always
    // show them).
    bool ShowsFocus() const;
    // It has a window for the keyboard, shown and enabled as are the
    // windows above it (its form may not be shown yet).
    bool CanFocus() const;
    // Gives it the keyboard, or, while its window is not the active one,
    // the keyboard it gets when it is activated.
    void SetFocus();
    // The keys a focused control without a window gets: Space presses it as
    // it presses a native button, and its release clicks.
    virtual void KeyDown(WORD key);
    virtual void KeyUp(WORD key);
    virtual void FocusChanged(bool focused);

    virtual void Invalidate();
    // Repaints at once.
    void Repaint();
    // The windowed control this is, or null for a control without a window.
    virtual TWinControl* AsWinControl() { return nullptr; }
    const TWinControl* AsWinControl() const { return const_cast<TControl*>(this)->AsWinControl(); }

    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;
    bool ContainsScreenPoint(POINT screen) const;
    // True when the control and all its parents are visible.
    bool Showing() const;

protected:
    // Non-windowed controls draw here, in their own coordinates.
    virtual void Paint(TCanvas&) {}
    virtual void FontChanged() { Invalidate(); }
    // The pressed look while Space is held on a focused control.
    virtual void ShowKeyPress(bool) {}
    // A control without a window: makes, remakes or drops its key window to
    // match TabStop and the parent's window.
    void UpdateKeyWindow();
    // Hides, shows, disables or enables its window or key window through
    // `change`. A control that had the keyboard and can no longer take it
    // passes it on: the system leaves it nowhere, or with the parent.
    template <typename Change>
    void KeepingKeyboard(Change&& change) {
        const bool had = Focused();
        change();
        if (had && !CanFocus()) PassKeyboardOn();
    }
    void PassKeyboardOn();

    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    TColor color_ = clBtnFace;
    bool clicked_ = false;
    bool tabStop_ = false;
    bool spacePressed_ = false;
    std::unique_ptr<TKeyWindow> keyWindow_;
};

// A control without a window: its parent paints it and hands it the mouse.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
};

// A control with a window of its own. Containers (forms, panels, group
// boxes) paint their non-windowed children in creation order and give them
// the mouse topmost-first.
class TWinControl : public TControl, public MessageTarget {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    TWinControl* AsWinControl() override { return this; }

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetCaption(const std::string& caption) override;
    void Invalidate() override;
    // Above its sibling windows.
    void BringToFront();

    const std::vector<TControl*>& Controls() const { return controls_; }
    // The topmost visible, enabled non-windowed child at a client point.
    TControl* ControlAtPos(POINT point) const;
    // Offers an Alt+letter to the controls within, windowed ones included.
    bool DispatchDialogChar(char key);
    // The order Tab visits these children in (their windows, or key
    // windows), before the others, which keep their creation order. Tab
    // follows the windows' z-order, so the named ones go above the others:
    // a window that must lie over one of them is brought to the front after.
    void SetTabOrder(std::vector<TControl*> order);
    // The keyboard came to this window itself: on to the control that
    // should have it (a form decides; a container asks its form).
    virtual void FocusInside();
    // Gives a window within the keyboard (a form that is not active keeps
    // it for its activation).
    virtual void FocusOn(HWND window);

    // Paints the client area (the window, then the controls without a window)
    // off-screen and copies the given part of it into dc.
    void PaintBuffered(HDC dc, const RECT& area);
    void PaintBuffered(HDC dc);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Makes the window; the default is a plain child of the program's class.
    virtual void CreateWnd();
    // Native controls: the system class, subclassed so that it reports here.
    void CreateSystemWindow(const char* className, DWORD style, DWORD exStyle = 0);
    void DestroyHandle();
    virtual DWORD WindowStyle() const;
    HWND ParentWindow() const;

    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc, const RECT& area);
    // Whether the window has a frame, caption or scroll bar around its
    // client area.
    bool HasNonClientArea() const;
    // WM_CTLCOLOR* sent to the parent for this control.
    virtual LRESULT ColorMessage(HDC dc);
    // WM_COMMAND notifications sent to the parent for this control.
    virtual void Command(WORD) {}
    void FontChanged() override;

    UniqueWindow window_;

private:
    friend class TControl;
    void Insert(TControl* control);
    void Remove(TControl* control);
    void CreateChildWindows();
    void ArrangeTabOrder();
    void MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
    void MouseGone();
    void CaptureGone(HWND taker);
    // The messages of substance; each answers as the window's default would
    // where it does nothing itself.
    LRESULT OnNcDestroy(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNcPaint(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnPaint(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnPrintClient(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnPrint(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnCommand(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnSetFocus(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnCtlColor(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnSysChar(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnSetCursor(UINT msg, WPARAM wp, LPARAM lp);
    // The cursor of the control under the mouse, the one without a window included.
    void SetCursorAtMouse();
    // WM_PRINT: this window and, when asked, the windows within it.
    void Print(HDC dc, LPARAM flags);
    void PrintChildren(HDC dc, LPARAM flags);

    // Made once per colour, not on every WM_CTLCOLOR* message.
    UniqueBrush backgroundBrush_;
    TColor backgroundBrushColor_ = clNone;

    std::vector<TControl*> controls_;
    std::vector<TControl*> tabOrder_;
    TControl* captureControl_ = nullptr;
    TControl* hoverControl_ = nullptr;
    bool trackingLeave_ = false;
};

TShiftState ShiftFromKeys(WPARAM keys);
// The control a window belongs to, if it is one of ours.
TWinControl* FindControl(HWND hwnd);
// The first window within `parent` that Tab stops at (shown, enabled, a
// tab stop), looking into containers of controls; `parent` itself first
// when asked. Null when there is none.
HWND FirstTabStop(HWND parent, bool itself = false);
// Whether the window and every window above it, up to its top window, are
// shown and enabled: it takes the keyboard while its top window is active.
bool WindowTakesKeys(HWND hwnd);

}  // namespace brisbolt
