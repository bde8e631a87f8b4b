// The apply window under real windows: its display tick by tick, the silent
// run that changes nothing, the restart prompt with both answers, the notice
// when nothing could be written, and the hover colours. Pictures of each
// stage go to the snapshots folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WinReboot.h"
#include "runtime/Application.h"
#include "runtime/Timer.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/RegistryDump.h"
#include "settings/SystemSettings.h"
#include "settings/Win32Registry.h"
#include "app/Globals.h"
#include "shell/frmBrisbolt.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"
#include "tests/support/NoMachineWrites.h"
#include "tuning/ApplySteps.h"
#include "tuning/frmMakeRegistryChanges.h"

namespace brisbolt {
namespace {

BOOL WINAPI QuietShell(DWORD, NotifyIconRecord*) { return TRUE; }
// The system as the run is asked to see it; Windows 2000 unless a case says.
std::optional<SystemVersion> answeredVersion;
std::optional<SystemVersion> AnsweredVersion() { return answeredVersion; }

int restarts = 0;
BOOL WINAPI RecordRestart(UINT flags, DWORD) {
    restarts += flags == 2 ? 1 : 100;
    return TRUE;
}

// Everything of the registry an apply run could touch, as text.
std::string RegistryState() {
    auto& registry = ActiveRegistry();
    std::string state;
    for (RootKey root : {RootKey::CurrentUser, RootKey::LocalMachine})
        state += DumpKeyTree(registry, root, "Software\\Corvelle");
    return state + DumpKeyTree(registry, RootKey::LocalMachine, "System\\CurrentControlSet\\Services");
}

class ApplyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->ResetTerminated();
        savedShell_ = ShellNotify;
        ShellNotify = QuietShell;
        savedCalls_ = TWinReboot::Calls;
        TWinReboot::Calls.ExitWindowsEx = RecordRestart;
        restarts = 0;
        ChangesPending = RestartDeferred = SystemAccelerated = false;
        // Not Wine's own answer (Windows 7 unless set): a run classifies
        // the system when nothing has yet.
        savedVersion_ = WindowsVersion;
        savedSource_ = SetVersionSource(AnsweredVersion);
        answeredVersion = SystemVersion{5, 0, 2};
        WindowsVersion = 0;
        dispatcher = CreateForm<TfrmBrisbolt>(nullptr);
        // While a run is open, the test acts through this.
        watcher.SetInterval(20);
        watcher.OnTimer = [this](TComponent*) {
            if (auto* open = dynamic_cast<TfrmMakeRegistryChanges*>(frmMakeRegistryChanges); open && act) act(*open);
        };
    }
    void TearDown() override {
        watcher.SetEnabled(false);
        delete dispatcher;
        SetVersionSource(savedSource_);
        WindowsVersion = savedVersion_;
        TWinReboot::Calls = savedCalls_;
        ShellNotify = savedShell_;
        ChangesPending = RestartDeferred = SystemAccelerated = false;
        Application->ResetTerminated();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    // Acts once the window shows its answer buttons.
    void AnswerWith(const char* button, const std::string& snapshot) {
        answered = false;
        act = [this, button, snapshot](TfrmMakeRegistryChanges& w) {
            if (answered || !w.btnRebootLater->Visible()) return;
            answered = true;
            prompt = {w.lblReboot1->Caption(), w.lblReboot2->Caption(), w.btnRebootNow->Visible(),
                      w.btnRebootLater->Caption()};
            skintest::SnapshotOf(&w, snapshot);
            (std::string(button) == "now" ? w.btnRebootNow : w.btnRebootLater)->Click();
        };
    }

    TfrmBrisbolt* dispatcher = nullptr;
    TTimer watcher{nullptr};
    std::function<void(TfrmMakeRegistryChanges&)> act;
    bool answered = false;
    struct {
        std::string line1, line2;
        bool nowShown;
        std::string laterCaption;
    } prompt;

private:
    ShellNotifyFunction savedShell_ = nullptr;
    RebootCalls savedCalls_{};
    std::uint8_t savedVersion_ = 0;
    VersionSource savedSource_ = nullptr;
};

TEST_F(ApplyWindowTest, TheDisplayTickByTick) {
    std::unique_ptr<TfrmMakeRegistryChanges> w(CreateForm<TfrmMakeRegistryChanges>(nullptr));
    RECT client;
    GetClientRect(w->Handle(), &client);
    EXPECT_EQ(client.right, 331);
    EXPECT_EQ(client.bottom, 181);
    EXPECT_EQ(w->Left(), static_cast<int>((GetSystemMetrics(SM_CXSCREEN) - 331) * 0.9));
    EXPECT_EQ(w->Top(), static_cast<int>((GetSystemMetrics(SM_CYSCREEN) - 181) * 0.9));
    w->StartRun(0);
    EXPECT_TRUE(w->imgRedLeft->Visible());
    EXPECT_TRUE(w->imgRedRight->Visible());
    EXPECT_EQ(w->imgRedRight->Left(), 36);
    EXPECT_FALSE(w->lblActionItem2->Visible());
    skintest::SnapshotOf(w.get(), "apply_prepared");

    const struct {
        int tick;
        int lastSegment;  // highest imgRedN shown; 1: none yet
        const char* message;
        const char* snapshot;
    } stages[] = {{1, 1, MessageToIsp, nullptr},
                  {11, 3, MessageFromIsp, nullptr},
                  {21, 5, MessageDelays, "apply_bar_half"},
                  {40, 9, MessageDistantPages, nullptr},
                  {45, 9, MessageAccelerated, "apply_bar_full"}};
    int tick = 0;
    for (const auto& stage : stages) {
        while (tick < stage.tick) {
            w->tmrRedBarTimer(w->tmrRedBar);
            w->tmrRedBar->SetEnabled(false);  // the test gives the ticks
            ++tick;
        }
        SCOPED_TRACE(tick);
        EXPECT_TRUE(w->lblActionItem2->Visible());
        EXPECT_EQ(w->lblActionItem2->Caption(), stage.message);
        for (int i = 2; i <= 9; ++i) EXPECT_EQ(w->imgRed[i]->Visible(), i <= stage.lastSegment) << i;
        EXPECT_EQ(w->imgRedRight->Left(), RightCapLeft(w->StepCounter(), 34));
        if (stage.snapshot) skintest::SnapshotOf(w.get(), stage.snapshot);
    }
    EXPECT_EQ(w->imgRedRight->Left(), 256);
    EXPECT_FALSE(w->tmrRedBar->Enabled());
    EXPECT_TRUE(w->tmrStayOnScreen->Enabled());
    w->tmrStayOnScreen->SetEnabled(false);
}

TEST_F(ApplyWindowTest, TheSilentRunChangesNothingAndEndsByItself) {
    SetTtl(64);
    const std::string before = RegistryState();
    EXPECT_EQ(dispatcher->RunApplyWindow(0), mrYes);
    EXPECT_EQ(RegistryState(), before);
    EXPECT_TRUE(SystemAccelerated);
    EXPECT_EQ(frmMakeRegistryChanges, nullptr);
}

TEST_F(ApplyWindowTest, RebootLaterLeavesTheRestartInTheTrayMenuAndRebootNowRestarts) {
    SetTtl(77);
    AnswerWith("later", "apply_restart_prompt");
    watcher.SetEnabled(true);
    EXPECT_EQ(dispatcher->RunApplyWindow(1), mrNo);
    EXPECT_EQ(prompt.line1, "Brisbolt must reboot your system");
    EXPECT_EQ(prompt.line2, "to lock in the changes.");
    EXPECT_TRUE(prompt.nowShown);
    EXPECT_EQ(prompt.laterCaption, "Reboot Later");
    EXPECT_EQ(GetSystemTTL(), 77);
    EXPECT_TRUE(RestartDeferred);
    EXPECT_FALSE(ChangesPending);
    dispatcher->GoToTray();
    EXPECT_TRUE(dispatcher->RebootMySystemToLockInTheChanges1->Visible);
    EXPECT_EQ(restarts, 0);

    AnswerWith("now", "apply_restart_prompt");
    dispatcher->ApplyAndRestart();
    EXPECT_EQ(restarts, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(ChangesPending);
    EXPECT_FALSE(RestartDeferred);
}

// Alt+F4 and the like: the bar of an apply run is never cut short, and the
// wizard does not open over it; at the question the close is "Reboot
// Later"; the display alone just ends.
TEST_F(ApplyWindowTest, AKeyboardCloseWaitsForTheWritesAndAtTheQuestionIsRebootLater) {
    SetTtl(99);
    int closesWhileRunning = 0;
    act = [&](TfrmMakeRegistryChanges& w) {
        if (!w.btnRebootLater->Visible()) {
            ++closesWhileRunning;
            dispatcher->mnuChangeSettings->OnClick(dispatcher->mnuChangeSettings);
            dispatcher->TrayIcon1->OnDblClick(dispatcher->TrayIcon1);
            EXPECT_EQ(frmBrisboltMain, nullptr);
        }
        PostMessageA(w.Handle(), WM_CLOSE, 0, 0);
    };
    watcher.SetEnabled(true);
    EXPECT_EQ(dispatcher->RunApplyWindow(1), mrNo);
    EXPECT_GT(closesWhileRunning, 10);
    EXPECT_EQ(GetSystemTTL(), 99);
    EXPECT_TRUE(RestartDeferred);
    EXPECT_FALSE(ChangesPending);
    EXPECT_EQ(restarts, 0);

    SetTtl(55);
    SystemAccelerated = false;
    const std::string before = RegistryState();
    int lastStep = 0;
    act = [&](TfrmMakeRegistryChanges& w) {
        lastStep = w.StepCounter();
        PostMessageA(w.Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dispatcher->RunApplyWindow(0), mrYes);
    EXPECT_LT(lastStep, FirstStepCounter + 10 * StepIncrease);
    EXPECT_TRUE(SystemAccelerated);
    EXPECT_EQ(RegistryState(), before);
    EXPECT_EQ(restarts, 0);
}

TEST_F(ApplyWindowTest, WithoutTheRightToWriteTheSystemTheWindowSaysSoAndOffersNoRestart) {
    SetTtl(88);
    const std::int32_t ttl = GetSystemTTL();
    Win32Registry real;
    NoMachineWrites refusing(real);
    RegistryBackend* previous = SetActiveRegistry(&refusing);
    AnswerWith("later", "apply_not_written");
    watcher.SetEnabled(true);
    const int result = dispatcher->RunApplyWindow(1);
    SetActiveRegistry(previous);
    EXPECT_EQ(result, mrNo);
    EXPECT_EQ(prompt.line1, NotWrittenLine1);
    EXPECT_EQ(prompt.line2, NotWrittenLine2);
    EXPECT_FALSE(prompt.nowShown);
    EXPECT_EQ(prompt.laterCaption, "OK");
    EXPECT_EQ(GetSystemTTL(), ttl);
    EXPECT_FALSE(RestartDeferred);
    EXPECT_FALSE(ChangesPending);
    dispatcher->GoToTray();
    EXPECT_FALSE(dispatcher->RebootMySystemToLockInTheChanges1->Visible);
}

// Vista and later tune these values themselves: either mode shows what is
// true there instead of what it would be doing, writes nothing, and offers
// no restart. Server 2003 is XP: the run and its question as ever.
TEST_F(ApplyWindowTest, OnVistaAndLaterNothingIsClaimedWrittenOrOfferedARestart) {
    const std::vector<std::string> stepMessages{MessageToIsp,        MessageFromIsp,      MessageDelays,
                                                MessageSlowSessions, MessageDistantPages, MessageAccelerated};
    const struct {
        const char* name;
        SystemVersion version;
        int mode;
        bool later;
    } cases[] = {
        {"Vista, apply", {6, 0, 2}, 1, true},        {"7, apply", {6, 1, 2}, 1, true},
        {"10, apply", {10, 0, 2}, 1, true},          {"10, display", {10, 0, 2}, 0, true},
        {"Server 2003, apply", {5, 2, 2}, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answeredVersion = c.version;
        WindowsVersion = 0;
        ChangesPending = RestartDeferred = SystemAccelerated = false;
        SetTtl(73);
        SetRegistryValue(RootKey::LocalMachine, TcpipParametersKey, false, 128, "DefaultTTL", ValueKind::Integer);
        const std::string before = RegistryState();
        std::unique_ptr<TfrmMakeRegistryChanges> w(CreateForm<TfrmMakeRegistryChanges>(nullptr));
        w->StartRun(c.mode);
        std::vector<std::string> shown;
        for (int tick = 0; tick < BarTicks; ++tick) {
            w->tmrRedBarTimer(w->tmrRedBar);
            w->tmrRedBar->SetEnabled(false);  // the test gives the ticks
            if (shown.empty() || shown.back() != w->lblActionItem2->Caption())
                shown.push_back(w->lblActionItem2->Caption());
        }
        EXPECT_EQ(shown, c.later ? std::vector<std::string>{LaterWindowsMessage} : stepMessages);
        if (c.later && c.mode == 0) skintest::SnapshotOf(w.get(), "apply_later_windows_display");
        w->tmrStayOnScreen->SetEnabled(false);
        w->tmrStayOnScreenTimer(w->tmrStayOnScreen);
        EXPECT_EQ(RegistryState() == before, c.later || c.mode == 0);
        EXPECT_EQ(GetSystemTTL(), c.later ? 128 : 73);
        if (c.mode == 0) {
            EXPECT_EQ(w->ModalResult, mrYes);
            continue;
        }
        EXPECT_EQ(w->lblReboot1->Caption(), c.later ? LaterWindowsLine1 : RebootLine1);
        EXPECT_EQ(w->lblReboot2->Caption(), c.later ? LaterWindowsLine2 : RebootLine2);
        EXPECT_EQ(w->btnRebootNow->Visible(), !c.later);
        EXPECT_EQ(w->btnRebootLater->Caption(), c.later ? "OK" : "Reboot Later");
        if (c.later) skintest::SnapshotOf(w.get(), "apply_later_windows");
        w->btnRebootLater->Click();
        EXPECT_EQ(w->ModalResult, mrNo);
        EXPECT_EQ(RestartDeferred, !c.later);
        dispatcher->GoToTray();
        EXPECT_EQ(dispatcher->RebootMySystemToLockInTheChanges1->Visible, !c.later);
        dispatcher->RebootMySystemToLockInTheChanges1->Visible = false;
    }
    EXPECT_EQ(restarts, 0);
}

TEST_F(ApplyWindowTest, TheButtonUnderTheMouseTurnsGreenAndThePictureUndoesIt) {
    std::unique_ptr<TfrmMakeRegistryChanges> w(CreateForm<TfrmMakeRegistryChanges>(nullptr));
    w->StartRun(1);
    for (int tick = 0; tick < BarTicks; ++tick) {
        w->tmrRedBarTimer(w->tmrRedBar);
        w->tmrRedBar->SetEnabled(false);
    }
    w->tmrStayOnScreenTimer(w->tmrStayOnScreen);  // the prompt at once
    ASSERT_TRUE(w->btnRebootNow->Visible());
    HWND hwnd = w->Handle();
    auto move = [&](int x, int y) { SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
    const COLORREF green = RGB(0, 191, 0);
    const struct {
        POINT at;
        TRoundedButton* highlighted;
    } moves[] = {{{60, 150}, w->btnRebootNow},
                 {{70, 155}, w->btnRebootNow},
                 {{200, 150}, w->btnRebootLater},
                 {{150, 40}, nullptr},
                 {{200, 150}, w->btnRebootLater}};
    for (const auto& m : moves) {
        move(m.at.x, m.at.y);
        SCOPED_TRACE(::testing::Message() << m.at.x << "," << m.at.y);
        EXPECT_EQ(w->HighlightedButton(), m.highlighted);
        for (TRoundedButton* b : {w->btnRebootNow, w->btnRebootLater})
            EXPECT_EQ(ColorToRGB(b->Font.Color()), b == m.highlighted ? green : RGB(0, 0, 0)) << b->Name;
    }
}

// No key does anything while the bar runs (there is nothing to press), and
// at the question Esc answers nothing: the keyboard is on "Reboot Later",
// Tab goes between the two, and Enter or Space presses the one it is on.
TEST_F(ApplyWindowTest, TheKeysWaitForTheQuestionWhereTheyAnswerOnlyWhatTheyPress) {
    using namespace keytest;
    const struct {
        const char* name;
        std::vector<WORD> keys;  // pressed at the question, after Esc and a round of Tab
        bool noRights;
        int result;
        bool deferred;
        const char* pressed;
        std::int32_t ttl;
    } cases[] = {
        {"Enter on Reboot Later", {VK_RETURN}, false, mrNo, true, "btnRebootLater", 61},
        {"Tab, then Space on Reboot Now", {VK_TAB, VK_SPACE}, false, mrYes, false, "btnRebootNow", 62},
        {"Enter on OK, nothing written", {VK_RETURN}, true, mrNo, false, "btnRebootLater", 63},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChangesPending = RestartDeferred = false;
        SetTtl(c.ttl);
        Win32Registry real;
        NoMachineWrites refusing(real);
        // The refusing registry lives in this pass only: put back after it.
        RegistryBackend* previous = SetActiveRegistry(c.noRights ? &refusing : &ActiveRegistry());
        int keysWhileRunning = 0, stepPressed = -1;
        bool busy = false, asked = false;
        std::string atQuestion, pressed;
        std::vector<std::string> round;
        int resultAfterEsc = -1;
        act = [&](TfrmMakeRegistryChanges& w) {
            // From its show on (it is made, and prepares, before).
            if (busy || asked || GetActiveWindow() != w.Handle()) return;
            busy = true;
            if (!w.btnRebootLater->Visible()) {
                // Between two steps of the bar (held meanwhile, so the
                // question cannot come in the middle of these keys).
                if (w.StepCounter() < LastStepCounter && w.StepCounter() != stepPressed) {
                    stepPressed = w.StepCounter();  // once a step: the bar goes on between
                    const bool running = w.tmrRedBar->Enabled();
                    w.tmrRedBar->SetEnabled(false);
                    for (const WORD key : {VK_ESCAPE, VK_RETURN, VK_SPACE, VK_TAB}) PressKey(key);
                    EXPECT_EQ(FocusedName(w), "(form)");
                    ++keysWhileRunning;
                    w.tmrRedBar->SetEnabled(running);
                }
            } else {
                asked = true;
                atQuestion = FocusedName(w);
                PressKey(VK_ESCAPE);
                resultAfterEsc = w.ModalResult;
                round = TabRound(w, w.btnRebootNow->Visible() ? 2 : 1);
                for (const WORD key : c.keys) {
                    pressed = FocusedName(w);
                    PressKey(key);
                }
            }
            busy = false;
        };
        // A run the keys cannot end fails here instead of hanging.
        TTimer stuck(nullptr);
        stuck.SetInterval(30000);
        stuck.OnTimer = [](TComponent*) {
            if (frmMakeRegistryChanges) frmMakeRegistryChanges->ModalResult = mrAbort;
        };
        stuck.SetEnabled(true);
        watcher.SetEnabled(true);
        const int result = dispatcher->RunApplyWindow(1);
        watcher.SetEnabled(false);
        stuck.SetEnabled(false);
        SetActiveRegistry(previous);
        EXPECT_GT(keysWhileRunning, 3);
        EXPECT_EQ(atQuestion, "btnRebootLater");
        EXPECT_EQ(resultAfterEsc, mrNone);
        EXPECT_EQ(round, c.noRights ? std::vector<std::string>{"btnRebootLater"}
                                    : (std::vector<std::string>{"btnRebootNow", "btnRebootLater"}));
        EXPECT_EQ(pressed, c.pressed);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(RestartDeferred, c.deferred);
        EXPECT_EQ(ChangesPending, c.result == mrYes);
        // The run wrote the system before any key could answer.
        EXPECT_EQ(GetSystemTTL() == c.ttl, !c.noRights);
        EXPECT_EQ(restarts, 0);
    }
}

}  // namespace
}  // namespace brisbolt
