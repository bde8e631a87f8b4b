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

    void Show();
    void Hide();
    void SetVisible(bool visible) override;
    void Close();
    // Shows the form and runs messages until ModalResult is set (or the
    // program is asked to end: the result is then mrCancel). Other windows
    // of the program are disabled meanwhile.
    int ShowModal();

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

    bool modal_ = false;
    bool placed_ = false;
};

// Makes a form of class F the way every form is made: constructed, then finished.
template <typename F, typename... Args>
F* CreateForm(TComponent* owner, Args&&... args) {
    F* form = new F(owner, std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
}

}  // namespace brisbolt
