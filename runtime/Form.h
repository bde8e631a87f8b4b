// Top-level windows: position, show and hide, closing with OnClose, and modal
// showing with its own message loop.
#pragma once

#include <functional>

#include "runtime/Control.h"

namespace brisbolt {

enum class TBorderStyle { None, Single, Dialog, Sizeable };
enum class TPosition { Designed, ScreenCenter };
enum class TCloseAction { None, Hide, Free, Minimize };

// Modal results.
inline constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Runs Loaded on every component the form owns, then OnCreate. Every
    // form is finished this way once its constructor has built it.
    void AfterConstruction();

    TBorderStyle BorderStyle = TBorderStyle::Sizeable;
    TPosition Position = TPosition::Designed;
    int ModalResult = mrNone;
    bool Modal() const { return modal_; }
    // Whether the form has been shown at least once.
    bool EverShown() const { return placed_; }

    void Show();
    // Shows the form without activating it or taking the foreground: for a
    // form nobody sees, such as one off every screen.
    void ShowWithoutActivating();
    void Hide();
    void SetVisible(bool visible) override;
    void Close();
    // Shows the form and runs messages until ModalResult is set (or the
    // program is asked to end: the result is then mrCancel). Other windows
    // of the program are disabled meanwhile.
    int ShowModal();

    // The keyboard, as in a dialog (IsDialogMessage): Tab and Shift+Tab go
    // from tab stop to tab stop, the arrow keys move within a group of
    // radio buttons and select as a click does, Space and Enter press the
    // focused button, Esc clicks CancelControl.
    // Gets the keyboard when the form first gets it (the first tab stop
    // within, for a container); else the form's first tab stop.
    TControl* ActiveControl = nullptr;
    // Esc clicks it while it is shown and enabled; none: Esc does nothing.
    TControl* CancelControl = nullptr;
    // Handles a keyboard message of a window within the form: true when
    // done with (dispatched or acted on).
    bool DialogMessage(MSG& msg);
    void FocusInside() override;
    void FocusOn(HWND window) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnDestroy;
    std::function<void(TComponent* sender, TCloseAction& action)> OnClose;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void CreateWnd() override;
    DWORD WindowStyle() const override;
    virtual void DoClose(TCloseAction& action);

private:
    void PlaceOnScreen();
    // Shows (with the ShowWindow command given) or hides the window.
    void ChangeVisibility(bool visible, int showCommand);
    LRESULT OnActivate(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnCancelKey(UINT msg, WPARAM wp, LPARAM lp);

    bool modal_ = false;
    bool placed_ = false;
    // Where the keyboard is to go when the form is next activated. Where it
    // was when the form was deactivated, the system keeps (DefDlgProc).
    HWND requestedFocus_ = nullptr;
};

// The form a window belongs to (itself or its top window), if it is one of ours.
TForm* FormOfWindow(HWND hwnd);

// Makes a form of class F the way every form is made: constructed, then finished.
template <typename F, typename... Args>
F* CreateForm(TComponent* owner, Args&&... args) {
    F* form = new F(owner, std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
}

}  // namespace brisbolt
