// The connection wizard on a Windows 2000 registry held in memory: the
// stored connection type and its radio button, the choice stored at once,
// the first run, Min and Quit with the shared flags, the explanation panel,
// help, hover and the road through a method window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/TrayIcon.h"
#include "platform/WinReboot.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Timer.h"
#include "settings/MemoryRegistry.h"
#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryCalls.h"
#include "settings/RegistryDump.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "shell/frmBrisbolt.h"
#include "shell/frmBrisboltMain.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"
#include "tuning/frmAdvanced.h"
#include "tuning/frmAutomatic.h"

namespace brisbolt {
namespace {

BOOL WINAPI QuietShell(DWORD, NotifyIconRecord*) { return TRUE; }
std::optional<SystemVersion> Windows2000() { return SystemVersion{5, 0, 2}; }
std::optional<SystemVersion> answeredVersion;
std::optional<SystemVersion> AnsweredVersion() { return answeredVersion; }
int restarts = 0;
BOOL WINAPI RecordRestart(UINT, DWORD) {
    ++restarts;
    return TRUE;
}

const std::string Connect = "connect";

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->ResetTerminated();
        previousRegistry_ = SetActiveRegistry(&registry);
        LoadRegFile(registry, std::string(SOURCE_DIR) + "/tests/fixtures/win2k.reg");
        previousVersion_ = SetVersionSource(Windows2000);
        WindowsVersion = 0;
        previousShell_ = ShellNotify;
        ShellNotify = QuietShell;
        previousDialogs_ = SetDialogHandler([this](DialogKind kind, const std::string& text) {
            dialogs.push_back(text);
            return kind == DialogKind::Question ? answer : AnswerOk;
        });
        ChangesPending = RestartDeferred = SystemAccelerated = UpdatingControls = false;
        CurrentConnection.clear();
        dispatcher = CreateForm<TfrmBrisbolt>(nullptr);
        SetDispatcher(dispatcher);
    }
    void TearDown() override {
        wizard.reset();
        SetDispatcher(nullptr);
        delete dispatcher;
        SetDialogHandler(previousDialogs_);
        ShellNotify = previousShell_;
        SetVersionSource(previousVersion_);
        WindowsVersion = 0;
        SetActiveRegistry(previousRegistry_);
        ChangesPending = RestartDeferred = SystemAccelerated = UpdatingControls = false;
        Application->ResetTerminated();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    TfrmBrisboltMain& Open() {
        wizard.reset(CreateForm<TfrmBrisboltMain>(dispatcher));
        return *wizard;
    }
    std::string Stored() { return GetRegistryString(RootKey::CurrentUser, ProgramKey, Connect); }
    void Store(const std::string& code) {
        SetRegistryValue(RootKey::CurrentUser, ProgramKey, true, code, Connect, ValueKind::String);
    }
    static void ClickRadio(TRadioButton* radio) { SendMessageA(radio->Handle(), BM_CLICK, 0, 0); }

    MemoryRegistry registry;
    TfrmBrisbolt* dispatcher = nullptr;
    std::unique_ptr<TfrmBrisboltMain> wizard;
    std::vector<std::string> dialogs;
    int answer = AnswerNo;

private:
    RegistryBackend* previousRegistry_ = nullptr;
    VersionSource previousVersion_ = nullptr;
    ShellNotifyFunction previousShell_ = nullptr;
    DialogHandler previousDialogs_;
};

TEST_F(WizardTest, TheStoredCodeChecksItsRadioButtonAndWritesNothing) {
    SaveOriginalValues();
    const struct {
        std::optional<std::string> stored;
        const char* radio;
        std::string current;
        bool restored;
    } cases[] = {{std::nullopt, "rbtnDialup", "M", false},
                 {"M", "rbtnDialup", "M", true},
                 {"D1", "rbtnDSL1", "D1", true},
                 {"D2", "rbtnDSL2", "D2", true},
                 {"D3", "rbtnDSL3", "D3", true},
                 {"C", "rbtnCable", "C", true},
                 {"N", "rbtnLAN", "N", true},
                 {"d1", "rbtnDSL3", "d1", true},
                 {"Modem", "rbtnDialup", "M", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(none)"));
        DeleteRegistryValue(RootKey::CurrentUser, ProgramKey, Connect);
        if (c.stored) Store(*c.stored);
        TfrmBrisboltMain& w = Open();
        int checked = 0;
        for (TRadioButton* radio : {w.rbtnDialup, w.rbtnDSL1, w.rbtnDSL2, w.rbtnDSL3, w.rbtnCable, w.rbtnLAN}) {
            checked += radio->Checked();
            EXPECT_EQ(radio->Checked(), radio->Name == c.radio) << radio->Name;
        }
        EXPECT_EQ(checked, 1);
        EXPECT_EQ(CurrentConnection, c.current);
        EXPECT_EQ(w.RestoreConnectionChoice(), c.restored);
        EXPECT_EQ(Stored(), c.stored.value_or(""));
        EXPECT_FALSE(ChangesPending);
        EXPECT_FALSE(UpdatingControls);
        EXPECT_TRUE(w.btnPrepareSystem->Enabled() && w.btnFullControl->Enabled());
    }
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(WizardTest, ClickingAConnectionTypeStoresItsCodeAtOnce) {
    SaveOriginalValues();
    TfrmBrisboltMain& w = Open();
    const struct {
        TRadioButton* radio;
        const char* code;
    } clicks[] = {{w.rbtnDSL2, "D2"}, {w.rbtnLAN, "N"},   {w.rbtnCable, "C"},
                  {w.rbtnDSL1, "D1"}, {w.rbtnDSL3, "D3"}, {w.rbtnDialup, "M"}};
    for (const auto& click : clicks) {
        ChangesPending = false;
        ClickRadio(click.radio);
        EXPECT_EQ(Stored(), click.code);
        EXPECT_EQ(CurrentConnection, click.code);
        EXPECT_TRUE(ChangesPending) << click.code;
    }
    // The one already checked: no handler runs.
    ChangesPending = false;
    ClickRadio(w.rbtnDialup);
    EXPECT_FALSE(ChangesPending);
    // A radio button the wizard does not know stores "M" and says so.
    TRadioButton stranger(&w);
    stranger.Name = "rbtnISDN";
    Store("C");
    w.rbtnDialupClick(&stranger);
    EXPECT_EQ(Stored(), "M");
    EXPECT_EQ(dialogs, std::vector<std::string>{UnexpectedConnectionMessage});
}

TEST_F(WizardTest, TheFirstRunSavesTheOriginalsAndExplainsForTenSeconds) {
    ASSERT_FALSE(HasSavedOriginals());
    TfrmBrisboltMain& w = Open();
    EXPECT_EQ(WindowsVersion, 6);
    EXPECT_TRUE(HasSavedOriginals());
    EXPECT_TRUE(w.pnlInitialExplanation->Visible());
    EXPECT_EQ(w.pnlInitialExplanation->Left(), 43);
    EXPECT_EQ(w.pnlInitialExplanation->Top(), 72);
    EXPECT_EQ(w.btnHide->Caption(), "HIDE");
    EXPECT_EQ(w.btnHide->Hint, HideHint);
    EXPECT_TRUE(w.tmrPanelOnScreen->Enabled());
    EXPECT_EQ(w.tmrPanelOnScreen->Interval(), 10000);
    w.Show();
    skintest::SnapshotOf(&w, "wizard_first_run");
    // The timer's tick hides it.
    w.tmrPanelOnScreenTimer(w.tmrPanelOnScreen);
    EXPECT_FALSE(w.pnlInitialExplanation->Visible());
    EXPECT_FALSE(w.tmrPanelOnScreen->Enabled());
    // "?" twice: shown and hidden, the timer stopped; once more, it runs anew.
    w.btnHide->Click();
    EXPECT_TRUE(w.pnlInitialExplanation->Visible());
    w.btnHide->Click();
    EXPECT_FALSE(w.pnlInitialExplanation->Visible());
    EXPECT_FALSE(w.tmrPanelOnScreen->Enabled());
    EXPECT_EQ(w.btnHide->Caption(), "?");
    EXPECT_EQ(w.btnHide->Hint, ExplainHint);
    // A click on the panel's text hides it too, and so does one anywhere on
    // either panel.
    w.btnHide->Click();
    w.lblLine3->Click();
    EXPECT_FALSE(w.pnlInitialExplanation->Visible());
    for (TControl* panel : std::vector<TControl*>{w.pnlInitialExplanation, w.SkinPanel2}) {
        SCOPED_TRACE(panel->Name);
        w.btnHide->Click();
        ASSERT_TRUE(w.pnlInitialExplanation->Visible());
        const HWND window = panel->AsWinControl()->Handle();
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        EXPECT_FALSE(w.pnlInitialExplanation->Visible());
    }

    // The second run: nothing saved again, nothing explained.
    Open();
    EXPECT_FALSE(wizard->pnlInitialExplanation->Visible());
    EXPECT_EQ(wizard->btnHide->Caption(), "?");
}

// A click handled while the stored choice is put back stores nothing; the
// radio button shown is then the stored one.
TEST_F(WizardTest, AClickDuringTheRestoreShowsWhatIsStored) {
    SaveOriginalValues();
    Store("D1");
    TfrmBrisboltMain& w = Open();
    PostMessageA(w.rbtnCable->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(w.RestoreConnectionChoice());
    EXPECT_EQ(Stored(), "D1");
    EXPECT_TRUE(w.rbtnDSL1->Checked());
    EXPECT_FALSE(w.rbtnCable->Checked());
    EXPECT_FALSE(ChangesPending);
}

TEST_F(WizardTest, MinAndQuitWithTheSharedFlags) {
    SaveOriginalValues();
    TfrmBrisboltMain& w = Open();
    // Min without a choice leaves both flags as they were.
    w.RoundedButton1->Click();
    EXPECT_EQ(w.ModalResult, mrRetry);
    EXPECT_FALSE(ChangesPending || RestartDeferred);
    // After a choice the restart moves to later.
    w.ModalResult = mrNone;
    ClickRadio(w.rbtnCable);
    w.RoundedButton1->Click();
    EXPECT_EQ(w.ModalResult, mrRetry);
    EXPECT_FALSE(ChangesPending);
    EXPECT_TRUE(RestartDeferred);

    // Quit before an apply run asks; No keeps everything open.
    w.ModalResult = mrNone;
    w.btnClose->Click();
    w.btnExitClick(w.btnExit);
    EXPECT_EQ(dialogs,
              (std::vector<std::string>(2, "Nothing has been accelerated at this time. Do you want to quit ?")));
    EXPECT_FALSE(Application->Terminated());
    answer = AnswerYes;
    w.btnClose->Click();
    EXPECT_TRUE(Application->Terminated());
    // After an apply run it asks nothing.
    Application->ResetTerminated();
    dialogs.clear();
    SystemAccelerated = true;
    w.btnClose->Click();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(WizardTest, HintsShowWhereTheWindowOffersThem) {
    SaveOriginalValues();
    TfrmBrisboltMain& w = Open();
    for (TControl* shown :
         std::vector<TControl*>{w.btnExit, w.btnHelp, w.RoundedButton1, w.btnClose, w.btnHide, w.rbtnDialup, w.rbtnDSL2,
                                w.rbtnLAN, w.btnPrepareSystem, w.btnFullControl}) {
        EXPECT_TRUE(shown->EffectiveShowHint()) << shown->Name;
        EXPECT_FALSE(shown->Hint.empty()) << shown->Name;
    }
    for (TControl* silent : std::vector<TControl*>{w.btnMinimize, w.lblLine1, w.Label1})
        EXPECT_FALSE(silent->EffectiveShowHint()) << silent->Name;
    EXPECT_EQ(w.btnMinimize->Hint, "Hide this form. To close, use the tray icon...");
}

TEST_F(WizardTest, HelpOpensThePageFromTheInstallFolder) {
    SaveOriginalValues();
    SetRegistryValue(RootKey::LocalMachine, ProgramKey, true, std::string("C:\\Program Files\\Brisbolt"), "installdir",
                     ValueKind::String);
    std::vector<std::string> opened;
    HelpOpener previous = SetHelpOpener([&opened](HWND, const std::string& file, const std::string& folder) {
        opened.push_back(file + " in " + folder);
    });
    Open().btnHelp->Click();
    SetHelpOpener(previous);
    EXPECT_EQ(opened, std::vector<std::string>{"brbhelp.htm in C:\\Program Files\\Brisbolt"});
}

TEST_F(WizardTest, HoverMarksOneButtonOneStepAndOneRadioButton) {
    SaveOriginalValues();
    TfrmBrisboltMain& w = Open();
    const TColor lime = HexColor(0x00FF00), green = HexColor(0x00BF00);
    w.ButtonMouseMove(w.btnHelp, 0, 1, 1);
    w.ButtonMouseMove(w.btnPrepareSystem, 0, 1, 1);
    EXPECT_EQ(w.btnHelp->Font.Color(), clBlack);
    EXPECT_EQ(w.btnPrepareSystem->Font.Color(), green);
    w.RadiobuttonMouseMove(w.rbtnDSL1, 0, 1, 1);
    EXPECT_EQ(w.rbtnDSL1->Font.Color(), lime);
    EXPECT_EQ(w.Label1->Font.Color(), lime);
    EXPECT_EQ(w.Label2->Font.Color(), clWhite);
    w.RadiobuttonMouseMove(w.rbtnLAN, 0, 1, 1);
    EXPECT_EQ(w.rbtnDSL1->Font.Color(), clBtnFace);
    EXPECT_EQ(w.rbtnLAN->Font.Color(), lime);
    // Step 2 lights its own label and lets go of the button.
    w.pnlSelectAccelerationMethodMouseMove(w.pnlSelectAccelerationMethod, 0, 1, 1);
    EXPECT_EQ(w.Label1->Font.Color(), clWhite);
    EXPECT_EQ(w.Label2->Font.Color(), lime);
    EXPECT_EQ(w.btnPrepareSystem->Font.Color(), clBlack);
    EXPECT_EQ(w.HighlightedButton(), nullptr);
    // The background undoes everything.
    w.ButtonMouseMove(w.btnClose, 0, 1, 1);
    w.ShapedForm1MouseMove(w.ShapedForm1, 0, 1, 1);
    EXPECT_EQ(w.btnClose->Font.Color(), clBlack);
    EXPECT_EQ(w.Label2->Font.Color(), clWhite);
    EXPECT_EQ(w.rbtnLAN->Font.Color(), clBtnFace);
    EXPECT_EQ(w.HighlightedStep(), nullptr);
    EXPECT_EQ(w.HighlightedRadio(), nullptr);
}

TEST_F(WizardTest, AMethodWindowDecidesWhetherTheWizardCloses) {
    SaveOriginalValues();
    const struct {
        int methodResult;
        int wizardResult;  // mrNone: the wizard is shown again
    } cases[] = {{mrNo, mrNone}, {mrRetry, mrRetry}, {mrYes, mrYes}};
    for (const bool automatic : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(automatic) + " " + std::to_string(c.methodResult));
            TfrmBrisboltMain& w = Open();
            w.Show();
            bool seen = false, wizardHidden = false;
            TTimer closer(nullptr);
            closer.SetInterval(20);
            closer.OnTimer = [&](TComponent*) {
                // Known from its creation on; acted on once it is shown, and
                // never looked at again: once closed it is gone while its
                // reference still guards against a second one.
                if (seen) return;
                TForm* method = automatic ? frmAutomatic : frmAdvanced;
                if (!method || !method->Modal()) return;
                seen = true;
                wizardHidden = !IsWindowVisible(w.Handle());
                // A second press while it is open opens nothing.
                automatic ? w.ShowAutomatic() : w.ShowAdvanced();
                method->ModalResult = c.methodResult;
            };
            closer.SetEnabled(true);
            (automatic ? w.btnPrepareSystem : w.btnFullControl)->Click();
            closer.SetEnabled(false);
            EXPECT_TRUE(seen);
            EXPECT_TRUE(wizardHidden);
            EXPECT_EQ(frmAutomatic, nullptr);
            EXPECT_EQ(frmAdvanced, nullptr);
            EXPECT_EQ(w.ModalResult, c.wizardResult);
            EXPECT_EQ(IsWindowVisible(w.Handle()) != 0, c.wizardResult == mrNone);
            EXPECT_EQ(w.Label2->Font.Color(), clWhite);
        }
    }
}

TEST_F(WizardTest, TheDispatcherActsOnTheWizardsResult) {
    SaveOriginalValues();
    const RebootCalls saved = TWinReboot::Calls;
    TWinReboot::Calls.ExitWindowsEx = RecordRestart;
    // Only "Reboot Now" and the tray's item restart the machine: a close by
    // the keyboard is "Min", and an uninstall ends without a restart. The
    // branch for any other result stays, for a result no road gives (3).
    const auto setResult = [](int result) { return [result] { frmBrisboltMain->ModalResult = result; }; };
    const auto keyboardClose = [] { PostMessageA(frmBrisboltMain->Handle(), WM_CLOSE, 0, 0); };
    const auto uninstall = [this] {
        answer = AnswerYes;
        SendMessageA(dispatcher->Handle(), TfrmBrisbolt::UninstallRequest(), 0, 0);
    };
    const struct {
        const char* way;
        std::function<void()> close;
        bool pending;
        int restarts;
        bool terminated, deferred;
    } cases[] = {
        {"Min", setResult(mrRetry), true, 0, false, false},  {"keyboard", keyboardClose, true, 0, false, true},
        {"keyboard", keyboardClose, false, 0, false, false}, {"other", setResult(mrAbort), false, 0, false, false},
        {"other", setResult(mrAbort), true, 1, true, false}, {"uninstall", uninstall, true, 0, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.way) + (c.pending ? " pending" : ""));
        restarts = 0;
        RestartDeferred = false;
        Application->ResetTerminated();
        int opened = 0;
        TForm* seen = nullptr;
        TTimer closer(nullptr);
        closer.SetInterval(20);
        closer.OnTimer = [&](TComponent*) {
            // Once per window: the timer may tick again while the window
            // restores its choice, before its loop sees the close.
            if (!frmBrisboltMain || !frmBrisboltMain->Modal() || frmBrisboltMain == seen) return;
            seen = frmBrisboltMain;
            ++opened;
            // The menu and a double click while it is open: nothing more.
            dispatcher->mnuChangeSettings->OnClick(dispatcher->mnuChangeSettings);
            dispatcher->TrayIcon1->OnDblClick(dispatcher->TrayIcon1);
            ChangesPending = c.pending;
            c.close();
        };
        closer.SetEnabled(true);
        dispatcher->ShowWizard();
        closer.SetEnabled(false);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(frmBrisboltMain, nullptr);
        EXPECT_EQ(restarts, c.restarts);
        EXPECT_EQ(Application->Terminated(), c.terminated);
        EXPECT_EQ(RestartDeferred, c.deferred);
        EXPECT_TRUE(dispatcher->TrayIcon1->Active());
        ChangesPending = false;
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    TWinReboot::Calls = saved;
}

// Vista and later tune TCP/IP themselves: one notice, nothing saved, nothing
// written, and the wizard goes to the tray without waiting for the user,
// where nothing offers a restart. Server 2003 is XP: its first run as ever.
TEST_F(WizardTest, OnVistaAndLaterTheWizardSaysSoSavesNothingAndGoesToTheTray) {
    const RebootCalls saved = TWinReboot::Calls;
    TWinReboot::Calls.ExitWindowsEx = RecordRestart;
    auto everything = [this] {
        std::string all;
        for (RootKey root : {RootKey::CurrentUser, RootKey::LocalMachine})
            for (const char* path : {"Software", "System"}) all += DumpKeyTree(registry, root, path);
        return all;
    };
    const struct {
        SystemVersion version;
        bool later;
    } cases[] = {{{6, 0, 2}, true}, {{6, 1, 2}, true}, {{6, 3, 2}, true}, {{10, 0, 2}, true}, {{5, 2, 2}, false}};
    SetVersionSource(AnsweredVersion);
    Store("C");
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.version.major << "." << c.version.minor);
        answeredVersion = c.version;
        WindowsVersion = 0;
        dialogs.clear();
        restarts = 0;
        const std::string before = everything();
        // A wizard that waits for the user is looked at, then sent to the tray.
        bool waited = false, explained = false;
        TTimer closer(nullptr);
        closer.SetInterval(20);
        closer.OnTimer = [&](TComponent*) {
            if (waited) return;
            auto* open = dynamic_cast<TfrmBrisboltMain*>(frmBrisboltMain);
            if (!open || !open->Modal() || open->ModalResult != mrNone) return;
            waited = true;
            explained = open->pnlInitialExplanation->Visible();
            open->ModalResult = mrRetry;
        };
        closer.SetEnabled(true);
        dispatcher->ShowWizard();
        closer.SetEnabled(false);
        EXPECT_EQ(frmBrisboltMain, nullptr);
        EXPECT_EQ(waited, !c.later);
        EXPECT_EQ(WindowsVersion, c.later ? LaterWindows : 7);
        EXPECT_EQ(dialogs, c.later ? std::vector<std::string>{LaterWindowsNotice} : std::vector<std::string>{});
        EXPECT_EQ(HasSavedOriginals(), !c.later);
        EXPECT_EQ(explained, !c.later);
        if (c.later) {
            EXPECT_EQ(everything(), before);
        }
        EXPECT_TRUE(dispatcher->TrayIcon1->Active());
        EXPECT_FALSE(dispatcher->RebootMySystemToLockInTheChanges1->Visible);
        EXPECT_FALSE(Application->Terminated());
        EXPECT_EQ(restarts, 0);
        EXPECT_EQ(Stored(), "C");
    }
    TWinReboot::Calls = saved;
}

// The keyboard as the wizard reads: the title buttons, step 1, step 2, "?".
TEST_F(WizardTest, TheKeyboardGoesAsTheWizardReadsAndChoosesAsTheMouseDoes) {
    using namespace keytest;
    SaveOriginalValues();
    Store("D2");
    TfrmBrisboltMain& w = Open();
    w.Show();
    Application->ProcessMessages();
    // Step 1 has it: the stored connection type.
    EXPECT_EQ(FocusedName(w), "rbtnDSL2");
    const std::vector<std::string> round{"btnPrepareSystem", "btnFullControl", "btnHide", "btnHelp",
                                         "RoundedButton1",   "btnClose",       "rbtnDSL2"};
    EXPECT_EQ(TabRound(w, round.size()), round);
    const std::vector<std::string> back{"btnClose",       "RoundedButton1",   "btnHelp", "btnHide",
                                        "btnFullControl", "btnPrepareSystem", "rbtnDSL2"};
    EXPECT_EQ(TabRound(w, back.size(), true), back);

    // The arrows within step 1, top to bottom and round: each one chosen
    // is stored at once, with the click's one sound.
    ClickCounter sounds(dispatcher);
    const struct {
        WORD key;
        const char* radio;
        const char* code;
    } steps[] = {{VK_DOWN, "rbtnDSL3", "D3"},  {VK_DOWN, "rbtnCable", "C"}, {VK_RIGHT, "rbtnLAN", "N"},
                 {VK_DOWN, "rbtnDialup", "M"}, {VK_UP, "rbtnLAN", "N"},     {VK_LEFT, "rbtnCable", "C"},
                 {VK_UP, "rbtnDSL3", "D3"},    {VK_UP, "rbtnDSL2", "D2"},   {VK_UP, "rbtnDSL1", "D1"}};
    int expectedSounds = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.radio);
        ChangesPending = false;
        PressKey(step.key);
        EXPECT_EQ(FocusedName(w), step.radio);
        EXPECT_EQ(Stored(), step.code);
        EXPECT_EQ(CurrentConnection, step.code);
        EXPECT_TRUE(ChangesPending);
        EXPECT_EQ(sounds.clicks, ++expectedSounds);
    }
    skintest::SnapshotOf(&w, "wizard_keyboard_choice");
    // Space on the chosen one changes nothing.
    PressKey(VK_SPACE);
    EXPECT_EQ(Stored(), "D1");
    EXPECT_EQ(sounds.clicks, expectedSounds);

    // Enter on "?": the explanation over both steps, which the keyboard
    // passes by until Space on "HIDE" takes it away.
    PressKeys(VK_TAB, 3);
    ASSERT_EQ(FocusedName(w), "btnHide");
    PressKey(VK_RETURN);
    EXPECT_TRUE(w.pnlInitialExplanation->Visible());
    EXPECT_EQ(w.btnHide->Caption(), HideCaption);
    const std::vector<std::string> covered{"btnHelp", "RoundedButton1", "btnClose", "btnHide"};
    EXPECT_EQ(TabRound(w, covered.size()), covered);
    skintest::SnapshotOf(&w, "wizard_explaining_focused");
    PressKey(VK_SPACE);
    EXPECT_FALSE(w.pnlInitialExplanation->Visible());
    EXPECT_EQ(FocusedName(w), "btnHide");
    EXPECT_EQ(TabRound(w, 2), (std::vector<std::string>{"btnHelp", "RoundedButton1"}));
    EXPECT_EQ(sounds.clicks, expectedSounds);  // "?" plays none

    // Esc is "Min": the choice made puts the restart off to the tray.
    PressKey(VK_ESCAPE);
    EXPECT_EQ(w.ModalResult, mrRetry);
    EXPECT_FALSE(ChangesPending);
    EXPECT_TRUE(RestartDeferred);
    EXPECT_EQ(sounds.clicks, expectedSounds + 1);
}

// Space on "Automatic" opens it; Esc there is its CANCEL, and the wizard
// comes back with the keyboard where it was.
TEST_F(WizardTest, AMethodWindowByTheKeyboardAndBack) {
    using namespace keytest;
    SaveOriginalValues();
    Store("C");
    TfrmBrisboltMain& w = Open();
    w.Show();
    Application->ProcessMessages();
    PressKey(VK_TAB);
    ASSERT_EQ(FocusedName(w), "btnPrepareSystem");
    std::string focusThere;
    bool pressed = false;
    TTimer watcher(nullptr);
    watcher.SetInterval(20);
    watcher.OnTimer = [&](TComponent*) {
        // Once pressed, never looked at again: the closed window is gone
        // while its reference still guards against a second one.
        if (pressed) return;
        auto* automatic = dynamic_cast<TfrmAutomatic*>(frmAutomatic);
        if (!automatic || !automatic->Modal() || !automatic->cbxMaxMTU->Visible()) return;
        pressed = true;
        focusThere = FocusedName(*automatic);
        PressKey(VK_ESCAPE);
    };
    watcher.SetEnabled(true);
    PressKey(VK_SPACE);
    watcher.SetEnabled(false);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(focusThere, "btnCancel");
    EXPECT_EQ(frmAutomatic, nullptr);
    EXPECT_EQ(w.ModalResult, mrNone);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    Application->ProcessMessages();
    EXPECT_EQ(FocusedName(w), "btnPrepareSystem");
    EXPECT_EQ(Stored(), "C");
}

}  // namespace
}  // namespace brisbolt
