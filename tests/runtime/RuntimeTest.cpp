// The class library under real windows: modal loops and termination, nested
// message processing, non-windowed controls and the mouse, radio buttons.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "runtime/Timer.h"
#include "runtime/Win32Handles.h"

namespace brisbolt {
namespace {

// A control that fills itself with one colour and counts its clicks.
class Swatch final : public TGraphicControl {
public:
    Swatch(TComponent* owner, TColor fill) : TGraphicControl(owner), fill_(fill) {
        OnClick = [this](TComponent*) { ++clicks; };
    }
    int clicks = 0;

protected:
    void Paint(TCanvas& canvas) override {
        canvas.Brush.Color = fill_;
        canvas.FillRect(ClientRect());
    }

private:
    TColor fill_;
};

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override { Application->ResetTerminated(); }
    void TearDown() override {
        Application->ResetTerminated();
        // A quit message left behind would end the next loop at once.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }

    TForm* NewForm() {
        auto* form = CreateForm<TForm>(nullptr);
        form->BorderStyle = TBorderStyle::None;
        form->SetBounds(100, 100, 200, 120);
        return form;
    }

    static void Press(TForm* form, UINT down, UINT up, POINT at, POINT release) {
        SendMessageA(form->Handle(), down, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(release.x, release.y));
        SendMessageA(form->Handle(), up, 0, MAKELPARAM(release.x, release.y));
    }
};

TEST_F(RuntimeTest, EveryModalLoopEndsWithCancelWhenTheProgramIsToEnd) {
    TForm* outer = NewForm();
    TForm* inner = NewForm();
    TTimer timer(nullptr);
    timer.SetInterval(20);
    int innerResult = -1;
    int ticks = 0;
    timer.OnTimer = [&](TComponent*) {
        if (++ticks == 1) {
            innerResult = inner->ShowModal();  // nested in the outer loop
        } else {
            Application->Terminate();
        }
    };
    int closes = 0;
    outer->OnClose = [&](TComponent*, TCloseAction& action) {
        ++closes;
        action = TCloseAction::None;  // refusing does not keep an ending program alive
    };
    EXPECT_EQ(outer->ShowModal(), mrCancel);
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(IsWindowVisible(outer->Handle()));
    delete inner;
    delete outer;
}

TEST_F(RuntimeTest, OnCloseMayChangeTheModalResultOrRefuse) {
    TForm* form = NewForm();
    TTimer timer(form);
    timer.SetInterval(10);
    int attempts = 0;
    timer.OnTimer = [&](TComponent*) { form->ModalResult = mrOk; };
    form->OnClose = [&](TComponent*, TCloseAction& action) {
        if (++attempts < 3)
            action = TCloseAction::None;
        else
            form->ModalResult = mrYes;
    };
    EXPECT_EQ(form->ShowModal(), mrYes);
    EXPECT_EQ(attempts, 3);
    delete form;
}

TEST_F(RuntimeTest, AnExceptionOutOfAModalLoopGivesTheOtherWindowsBack) {
    TForm* other = NewForm();
    other->Show();
    TForm* modal = NewForm();
    modal->OnClose = [](TComponent*, TCloseAction&) { throw std::runtime_error("refused"); };
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TComponent*) {
        timer.SetEnabled(false);
        modal->ModalResult = mrOk;
    };
    EXPECT_THROW(modal->ShowModal(), std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(modal->Modal());
    delete modal;
    delete other;
}

TEST_F(RuntimeTest, ProcessMessagesRunsTimersAndPostedMessagesInsideAHandler) {
    struct Counter final : MessageTarget {
        int posted = 0;
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_APP) return ++posted;
            return DefaultProc(msg, wp, lp);
        }
    } counter;
    UniqueWindow window(CreateMessageWindow(&counter));
    TTimer timer(nullptr);
    timer.SetInterval(15);
    int ticks = 0;
    timer.OnTimer = [&](TComponent*) { ++ticks; };
    PostMessageA(window.get(), WM_APP, 0, 0);
    PostMessageA(window.get(), WM_APP, 0, 0);
    const DWORD start = GetTickCount();
    while (ticks < 3 && GetTickCount() - start < 2000) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_EQ(counter.posted, 2);
    EXPECT_GE(ticks, 3);
    // A child of the application's hidden window, as the timer's is: a
    // top-level window each would cost the start milliseconds under Wine.
    EXPECT_EQ(GetAncestor(window.get(), GA_PARENT), Application->Handle());
    timer.SetEnabled(false);
    const int stopped = ticks;
    for (int i = 0; i < 10; ++i) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_EQ(ticks, stopped);
}

// A window of another thread cannot have the application's window as its
// parent: the message window is top-level there.
DWORD WINAPI MessageWindowParent(LPVOID parent) {
    struct Quiet final : MessageTarget {
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override { return DefaultProc(msg, wp, lp); }
    } target;
    UniqueWindow window(CreateMessageWindow(&target));
    *static_cast<HWND*>(parent) = window ? GetAncestor(window.get(), GA_PARENT) : nullptr;
    return 0;
}

TEST_F(RuntimeTest, AMessageWindowOfAnotherThreadIsTopLevel) {
    HWND parent = nullptr;
    UniqueKernelHandle thread(CreateThread(nullptr, 0, MessageWindowParent, &parent, 0, nullptr));
    ASSERT_TRUE(thread);
    ASSERT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(parent, GetDesktopWindow());
}

TEST_F(RuntimeTest, AFormShownWithoutActivatingLeavesTheActiveWindowAsItWas) {
    std::unique_ptr<TForm> front(NewForm()), unseen(NewForm());
    front->Show();
    int shows = 0;
    unseen->OnShow = [&](TComponent*) { ++shows; };
    unseen->ShowWithoutActivating();
    EXPECT_TRUE(IsWindowVisible(unseen->Handle()));
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(GetActiveWindow(), front->Handle());
    // Shown the usual way afterwards, it is activated.
    unseen->Hide();
    unseen->Show();
    EXPECT_EQ(GetActiveWindow(), unseen->Handle());
}

TEST_F(RuntimeTest, ControlsWithoutWindowsArePaintedInOrderAndGetTheMouseTopmostFirst) {
    TForm* form = NewForm();
    auto* below = new Swatch(form, clRed);
    below->SetParent(form);
    below->SetBounds(10, 10, 100, 60);
    auto* above = new Swatch(form, clBlue);
    above->SetParent(form);
    above->SetBounds(60, 30, 100, 60);
    form->Show();
    UpdateWindow(form->Handle());
    {
        ClientDC dc(form->Handle());
        EXPECT_EQ(GetPixel(dc.get(), 20, 20), static_cast<COLORREF>(clRed));
        EXPECT_EQ(GetPixel(dc.get(), 80, 50), static_cast<COLORREF>(clBlue));  // the later one lies on top
    }

    Press(form, WM_LBUTTONDOWN, WM_LBUTTONUP, {80, 50}, {80, 50});
    EXPECT_EQ(above->clicks, 1);
    EXPECT_EQ(below->clicks, 0);
    // Pressed on one, released on the other: the pressed one has the
    // mouse until the release, which is outside it: no click at all.
    Press(form, WM_LBUTTONDOWN, WM_LBUTTONUP, {80, 50}, {20, 20});
    Press(form, WM_LBUTTONDOWN, WM_LBUTTONUP, {190, 110}, {80, 50});
    EXPECT_EQ(above->clicks, 1);
    EXPECT_EQ(below->clicks, 0);
    // A disabled control lets the one beneath have the mouse.
    above->SetEnabled(false);
    Press(form, WM_LBUTTONDOWN, WM_LBUTTONUP, {80, 50}, {82, 52});
    EXPECT_EQ(below->clicks, 1);
    EXPECT_EQ(above->clicks, 1);
    delete form;
}

TEST_F(RuntimeTest, CheckingARadioButtonFromCodeClicksItOnce) {
    TForm* form = NewForm();
    auto* first = new TRadioButton(form);
    auto* second = new TRadioButton(form);
    first->SetParent(form);
    second->SetParent(form);
    first->SetBounds(5, 5, 120, 20);
    second->SetBounds(5, 30, 120, 20);
    std::vector<std::string> clicked;
    for (auto* radio : {first, second}) {
        radio->OnClick = [&](TComponent* sender) { clicked.push_back(sender->Name); };
    }
    first->Name = "rbtnFirst";
    second->Name = "rbtnSecond";
    form->Show();
    second->SetChecked(true);
    second->SetChecked(true);
    EXPECT_EQ(clicked, std::vector<std::string>{"rbtnSecond"});
    first->SetChecked(true);
    EXPECT_TRUE(first->Checked());
    EXPECT_FALSE(second->Checked());
    EXPECT_EQ(SendMessageA(second->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // A click of the user goes the same way.
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(second->Handle()));
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(second->Handle()));
    EXPECT_EQ(clicked, (std::vector<std::string>{"rbtnSecond", "rbtnFirst", "rbtnSecond"}));
    delete form;
}

TEST_F(RuntimeTest, ComponentsGoWithTheirOwnerAndAreLoadedBeforeOnCreate) {
    struct Probe final : TComponent {
        Probe(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), log_(log) {}
        ~Probe() override { log_.push_back("freed " + Name); }
        void Loaded() override { log_.push_back("loaded " + Name); }
        std::vector<std::string>& log_;
    };
    struct ProbeForm final : TForm {
        ProbeForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner) {
            (new Probe(this, log))->Name = "a";
            (new Probe(this, log))->Name = "b";
            OnCreate = [&log](TComponent*) { log.push_back("create"); };
        }
    };
    std::vector<std::string> log;
    delete CreateForm<ProbeForm>(nullptr, log);
    EXPECT_EQ(log, (std::vector<std::string>{"loaded a", "loaded b", "create", "freed b", "freed a"}));
}

}  // namespace
}  // namespace brisbolt
