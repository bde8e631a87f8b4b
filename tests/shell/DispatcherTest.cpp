// The dispatcher in one process: its menu, going to the tray, the shared
// wait, quitting, the second-copy answer, uninstalling, the IP address.
#include <gtest/gtest.h>

#include <winsock.h>
#include <shellapi.h>
#include <mmsystem.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/WaveSound.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "runtime/Timer.h"
#include "app/Globals.h"
#include "shell/ModalOnce.h"
#include "shell/frmAbout.h"
#include "shell/frmBrisbolt.h"
#include "skin/SkinHintWindow.h"

namespace brisbolt {
namespace {

std::vector<DWORD> shellMessages;
BOOL WINAPI RecordShell(DWORD message, NotifyIconRecord*) {
    shellMessages.push_back(message);
    return TRUE;
}

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->ResetTerminated();
        savedShell_ = ShellNotify;
        ShellNotify = RecordShell;
        shellMessages.clear();
        savedDialogs_ = SetDialogHandler([this](DialogKind kind, const std::string& text) {
            dialogs.push_back(text);
            return kind == DialogKind::Question ? answer : AnswerOk;
        });
        ChangesPending = RestartDeferred = false;
        form = CreateForm<TfrmBrisbolt>(nullptr);
    }
    void TearDown() override {
        delete form;
        SetDialogHandler(savedDialogs_);
        ShellNotify = savedShell_;
        ChangesPending = RestartDeferred = false;
        Application->ResetTerminated();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    static void Pump(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            Application->ProcessMessages();
            Sleep(5);
        }
    }

    TfrmBrisbolt* form = nullptr;
    std::vector<std::string> dialogs;
    int answer = AnswerNo;

private:
    ShellNotifyFunction savedShell_ = nullptr;
    DialogHandler savedDialogs_;
};

TEST_F(DispatcherTest, TheTrayMenuHasItsItemsInOrder) {
    const struct {
        const char* name;
        std::string caption;
        bool visible;
    } expected[] = {
        {"mnuChangeSettings", "Change &Settings in Brisbolt", true},
        {"RebootMySystemToLockInTheChanges1", "&Reboot My System To Lock In The Changes", false},
        {"About1", "&About", true},
        {"mnuClose", "&Close", true},
        {"N3", "-", true},
        {"Mycomputernameis1", "My computer name is: " + TfrmBrisbolt::GetLocalComputerName(), true},
        {"IPaddressis1", "My IP address is: 192.0.2.7", true},
    };
    const auto& items = form->popIcon->Items();
    form->HostAddress1->Cancel();
    form->HostAddress1->OnAnswer(form->HostAddress1, "192.0.2.7");
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->Name, expected[i].name);
        EXPECT_EQ(items[i]->Caption, expected[i].caption);
        EXPECT_EQ(items[i]->Visible, expected[i].visible) << expected[i].name;
    }
    EXPECT_EQ(form->TrayIcon1->PopupMenu, form->popIcon);
    EXPECT_NE(TfrmBrisbolt::GetLocalComputerName(), "");
    EXPECT_EQ(form->Left(), 7000);
    EXPECT_EQ(Application->HintHidePause, 3500);
    EXPECT_EQ(form->Caption(), "BrisboltDispatcher");
}

TEST_F(DispatcherTest, EveryHintOfTheProgramIsABubbleWhileTheDispatcherLives) {
    ASSERT_EQ(TSkinHint::Instance(), form->SkinHint1);
    EXPECT_EQ(form->SkinHint1->Owner(), form);
    EXPECT_EQ(form->SkinHint1->HintFont().Name(), "MS Sans Serif");
    EXPECT_EQ(form->SkinHint1->HintFont().Height(), -11);
    EXPECT_EQ(Application->HintPause, 600);
    EXPECT_NE(dynamic_cast<TSkinHintWindow*>(Application->HintWindowClass().get()), nullptr);
    delete form;
    form = nullptr;
    EXPECT_EQ(TSkinHint::Instance(), nullptr);
    EXPECT_EQ(dynamic_cast<TSkinHintWindow*>(Application->HintWindowClass().get()), nullptr);
}

TEST_F(DispatcherTest, GoingToTheTrayShowsTheIconAndHidesTheFormLater) {
    // As if a wizard were open: showing the form then opens none.
    frmBrisboltMain = form;
    form->Show();
    frmBrisboltMain = nullptr;
    ChangesPending = true;
    form->GoToTray();
    // Added without a tooltip: the tooltip is applied again at once.
    EXPECT_EQ(shellMessages, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
    EXPECT_TRUE(form->RebootMySystemToLockInTheChanges1->Visible);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    Pump(600);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->tmrDelayHide->Enabled());
    // The restart item stays once shown.
    ChangesPending = false;
    form->GoToTray();
    EXPECT_TRUE(form->RebootMySystemToLockInTheChanges1->Visible);
}

TEST_F(DispatcherTest, TheAboutBoxOpensOnceAndNotASecondTimeWhileOpen) {
    int boxes = 0, nested = 0;
    TForm* seen = nullptr;
    TTimer watcher(nullptr);
    watcher.SetInterval(20);
    watcher.OnTimer = [&](TComponent*) {
        auto* open = dynamic_cast<TfrmAbout*>(frmAbout);
        if (!open || !open->Modal() || seen == open) return;
        seen = open;
        ++boxes;
        // The menu item again, while the box is open: nothing happens.
        form->About1->OnClick(form->About1);
        ++nested;
        EXPECT_EQ(frmAbout, open);
        open->btnOK->Click();
    };
    watcher.SetEnabled(true);
    form->About1->OnClick(form->About1);
    watcher.SetEnabled(false);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(frmAbout, nullptr);
}

TEST_F(DispatcherTest, QuitProgramTakesTheIconAwayAndEndsTheProgram) {
    form->GoToTray();
    ChangesPending = true;
    form->QuitProgram();
    EXPECT_EQ(shellMessages, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));
    EXPECT_FALSE(form->TrayIcon1->Active());
    EXPECT_FALSE(ChangesPending);
    EXPECT_TRUE(Application->Terminated());
}

// The installer's request and a close from outside end the program as the
// tray's "Close" does: no restart is left wanted.
TEST_F(DispatcherTest, ARequestFromOutsideEndsTheProgramAsCloseDoes) {
    for (const UINT message : {TfrmBrisbolt::QuitRequest(), UINT{WM_CLOSE}}) {
        SCOPED_TRACE(message);
        Application->ResetTerminated();
        form->GoToTray();
        ChangesPending = true;
        SendMessageA(form->Handle(), message, 0, 0);
        EXPECT_FALSE(form->TrayIcon1->Active());
        EXPECT_FALSE(ChangesPending);
        EXPECT_TRUE(Application->Terminated());
    }
}

// The window reference is in place while the window's creation handlers
// run: what they let through (a second click) finds the window open.
// It leaves the list of open windows before it is destroyed, while the
// reference still guards against a second one.
struct CreationProbe : TForm {
    explicit CreationProbe(TComponent* owner) : TForm(owner) {
        OnCreate = [this](TComponent*) {
            referenceInCreate = frmAbout == this;
            listedInCreate = OpenWindows == std::vector<TForm*>{this};
        };
        OnShow = [this](TComponent*) { ModalResult = mrOk; };
        OnDestroy = [this](TComponent*) {
            referenceAtDestroy = frmAbout == this;
            listedAtDestroy = !OpenWindows.empty();
        };
    }
    static inline bool referenceInCreate = false, listedInCreate = false;
    static inline bool referenceAtDestroy = false, listedAtDestroy = true;
};

TEST_F(DispatcherTest, AWindowIsKnownToBeOpenFromItsCreationOn) {
    EXPECT_EQ(ShowModalOnce<CreationProbe>(
                  frmAbout, form, [](CreationProbe&) {}, Release::AfterPendingMessages),
              mrOk);
    EXPECT_TRUE(CreationProbe::referenceInCreate);
    EXPECT_TRUE(CreationProbe::listedInCreate);
    EXPECT_TRUE(CreationProbe::referenceAtDestroy);
    EXPECT_FALSE(CreationProbe::listedAtDestroy);
    EXPECT_EQ(frmAbout, nullptr);
    EXPECT_TRUE(OpenWindows.empty());
}

TEST_F(DispatcherTest, TheStartDoesNotWaitForTheAddress) {
    // Right after the creation the item has no address yet; the answer
    // fills it in (or leaves it without one when the name does not resolve).
    EXPECT_EQ(form->IPaddressis1->Caption, "My IP address is: ");
    // A wizard still being made pumps messages before it shows: the lookup
    // (and the loading of WinSock) waits until it is up, and starts when it is.
    std::unique_ptr<TfrmAbout> making(CreateForm<TfrmAbout>(nullptr));
    OpenWindows = {making.get()};
    Pump(500);
    EXPECT_FALSE(form->HostAddress1->Busy());
    EXPECT_EQ(form->IPaddressis1->Caption, "My IP address is: ");
    making->Show();
    // Busy until it answers, if it answers at once.
    const auto started = [&] {
        return form->HostAddress1->Busy() || form->IPaddressis1->Caption != "My IP address is: ";
    };
    for (DWORD start = GetTickCount(); !started() && GetTickCount() - start < 5000;) Pump(20);
    EXPECT_TRUE(started());
    OpenWindows.clear();
    // Its answer is what the menu shows.
    form->HostAddress1->Cancel();
    form->HostAddress1->OnAnswer(form->HostAddress1, "198.51.100.20");
    EXPECT_EQ(form->IPaddressis1->Caption, "My IP address is: 198.51.100.20");
    // A lookup under way when the dispatcher ends is cancelled with it.
    form->HostAddress1->Start();
    // A dispatcher that ends before the answer cancels its lookup.
    delete form;
    form = CreateForm<TfrmBrisbolt>(nullptr);
}

std::vector<UINT> sounds;
BOOL WINAPI RecordSound(LPCSTR, UINT flags) {
    sounds.push_back(flags);
    return TRUE;
}

TEST_F(DispatcherTest, AClickWhileAWindowIsMadeSoundsAsItIsShown) {
    const SoundFunction saved = std::exchange(SoundCall, RecordSound);
    sounds.clear();
    // The wizard clicks as it checks the stored connection type, before it
    // is shown: loading the sound library then would hold it up.
    std::unique_ptr<TfrmAbout> making(CreateForm<TfrmAbout>(nullptr));
    OpenWindows = {making.get()};
    form->PlaySound(0);
    form->PlaySound(0);
    EXPECT_TRUE(sounds.empty());
    making->Show();
    ASSERT_EQ(sounds.size(), 1u) << "one click, as the window comes";
    EXPECT_TRUE(sounds[0] & SND_MEMORY);
    // A window hidden after its showing (the wizard behind a method window)
    // is no window being made: at once.
    making->Hide();
    form->PlaySound(0);
    EXPECT_EQ(sounds.size(), 2u);
    // A stop asked for meanwhile drops the held click.
    std::unique_ptr<TfrmAbout> next(CreateForm<TfrmAbout>(nullptr));
    OpenWindows = {next.get()};
    form->PlaySound(0);
    form->PlaySound(1);
    next->Show();
    OpenWindows.clear();
    ASSERT_EQ(sounds.size(), 3u);
    EXPECT_EQ(sounds[2], 0u) << "the stop, and no click after it";
    SoundCall = saved;
}

// Whether the dispatcher posted itself the wizard's opening (taken out of
// the queue, so that no wizard opens here).
bool WizardAsked(TfrmBrisbolt* form) {
    MSG msg;
    bool asked = false;
    while (PeekMessageA(&msg, form->Handle(), TfrmBrisbolt::ShowRequest(), TfrmBrisbolt::ShowRequest(), PM_REMOVE))
        asked = asked || msg.wParam == 1;
    return asked;
}

TEST_F(DispatcherTest, ASecondCopyIsToldAndTheRunningOneOpensItsWizard) {
    form->SingleInstance1AlreadyRunning(form->SingleInstance1, 0, nullptr);
    EXPECT_EQ(dialogs, std::vector<std::string>{"Brisbolt is already running !"});
    EXPECT_TRUE(Application->Terminated());
    Application->ResetTerminated();

    // The second copy's side, with this dispatcher as the running copy: the
    // message first, then the wizard, asked for without waiting for it.
    dialogs.clear();
    form->SingleInstance1AlreadyRunning(form->SingleInstance1, 0, form->Handle());
    EXPECT_EQ(dialogs, std::vector<std::string>{"Brisbolt is already running !"});
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(WizardAsked(form));
    Application->ResetTerminated();

    // A window open already comes to the front instead, and is the answer.
    std::unique_ptr<TForm> opened(CreateForm<TForm>(nullptr)), overIt(CreateForm<TForm>(nullptr));
    TForm& open = *opened;
    TForm& over = *overIt;
    open.SetBounds(10, 10, 100, 50);
    open.Show();
    OpenWindows = {&open};
    EXPECT_EQ(SendMessageA(form->Handle(), TfrmBrisbolt::ShowRequest(), 0, 0),
              reinterpret_cast<LRESULT>(open.Handle()));
    EXPECT_FALSE(WizardAsked(form));
    // The innermost of two open windows: a method window over the wizard.
    over.Show();
    OpenWindows = {&open, &over};
    EXPECT_EQ(TfrmBrisbolt::FrontWindow(), &over);
    EnableWindow(over.Handle(), FALSE);  // a window that takes no input is passed over
    EXPECT_EQ(TfrmBrisbolt::FrontWindow(), &open);
    EnableWindow(over.Handle(), TRUE);
    EnableWindow(open.Handle(), FALSE);  // as the method window's modal loop leaves it
    EXPECT_EQ(TfrmBrisbolt::FrontWindow(), &over);
    OpenWindows.clear();

    // Nothing open: the wizard; during an uninstall's question: nothing.
    EXPECT_EQ(SendMessageA(form->Handle(), TfrmBrisbolt::ShowRequest(), 0, 0), 0);
    EXPECT_TRUE(WizardAsked(form));
    const DialogHandler asking = SetDialogHandler([&](DialogKind, const std::string&) {
        SendMessageA(form->Handle(), TfrmBrisbolt::ShowRequest(), 0, 0);
        return AnswerNo;
    });
    form->Uninstall();
    SetDialogHandler(asking);
    EXPECT_FALSE(WizardAsked(form));
}

TEST_F(DispatcherTest, TheQuarterSecondWaitKeepsMessagesMoving) {
    int ticks = 0;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = [&](TComponent*) { ++ticks; };
    const struct {
        int count;
        DWORD atLeast, below;
    } cases[] = {{21, 240, 1500}, {0, 0, 100}, {-3, 0, 100}, {20, 4950, 8000}};
    for (const auto& c : cases) {
        const DWORD start = GetTickCount();
        EXPECT_TRUE(form->DelayQuarterSeconds(c.count));
        const DWORD elapsed = GetTickCount() - start;
        EXPECT_GE(elapsed, c.atLeast) << c.count;
        EXPECT_LT(elapsed, c.below) << c.count;
    }
    EXPECT_GT(ticks, 100);  // timers ran all through the waits
}

TEST_F(DispatcherTest, UninstallAsksFirstThenRestoresAndCleansUp) {
    // The machine key gets "connect" = "Modem" from the clean-up.
    DeleteRegistryValue(RootKey::LocalMachine, ProgramKey, "connect");
    answer = AnswerNo;
    // Asked by a copy started with the uninstall switch, as by the menu.
    SendMessageA(form->Handle(), TfrmBrisbolt::UninstallRequest(), 0, 0);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1], "Are you sure you want to uninstall Brisbolt ?");
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(GetRegistryString(RootKey::LocalMachine, ProgramKey, "connect"), "");

    form->GoToTray();
    // A second request while the first one asks is the same request.
    int questions = 0;
    const DialogHandler asking = SetDialogHandler([&](DialogKind kind, const std::string&) {
        if (kind != DialogKind::Question) return AnswerOk;
        ++questions;
        SendMessageA(form->Handle(), TfrmBrisbolt::UninstallRequest(), 0, 0);
        return AnswerYes;
    });
    ChangesPending = RestartDeferred = true;
    form->Uninstall();
    SetDialogHandler(asking);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(GetRegistryString(RootKey::LocalMachine, ProgramKey, "connect"), "Modem");
    EXPECT_FALSE(form->TrayIcon1->Active());
    EXPECT_TRUE(Application->Terminated());
    // The uninstaller is at work: no restart on the way out.
    EXPECT_FALSE(ChangesPending || RestartDeferred);
}

TEST(LocalAddress, TheLastAddressOfTheHostWins) {
    in_addr first{}, second{}, third{};
    first.s_addr = htonl(0x0A000001);
    second.s_addr = htonl(0xC0A80105);
    third.s_addr = htonl(0x7F000001);
    char* list[] = {reinterpret_cast<char*>(&first), reinterpret_cast<char*>(&second), reinterpret_cast<char*>(&third),
                    nullptr};
    hostent host{};
    host.h_addr_list = list;
    EXPECT_EQ(TfrmBrisbolt::LastAddressOf(&host), "127.0.0.1");
    list[2] = nullptr;
    EXPECT_EQ(TfrmBrisbolt::LastAddressOf(&host), "192.168.1.5");
    list[0] = nullptr;
    EXPECT_EQ(TfrmBrisbolt::LastAddressOf(&host), "");
    EXPECT_EQ(TfrmBrisbolt::LastAddressOf(nullptr), "");
}

}  // namespace
}  // namespace brisbolt
