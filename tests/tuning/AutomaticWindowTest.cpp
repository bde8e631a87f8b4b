// The automatic window under real windows, on a Windows 2000 registry kept in
// memory: the items tick in order and in time and the preset is stored only
// at the end; "CANCEL" and "Quit" stop it; every way out gives its result;
// help, hover, and captions that fit. Pictures go to the snapshots folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/TrayIcon.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Timer.h"
#include "settings/MemoryRegistry.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryCalls.h"
#include "settings/RegistryDump.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "app/Services.h"
#include "shell/frmBrisbolt.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"
#include "tuning/frmAutomatic.h"

namespace brisbolt {
namespace {

BOOL WINAPI QuietShell(DWORD, NotifyIconRecord*) { return TRUE; }

std::string Record() { return DumpKeyTree(ActiveRegistry(), RootKey::CurrentUser, ProgramKey); }

class AutomaticWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->ResetTerminated();
        LoadRegFile(registry, std::string(SOURCE_DIR) + "/tests/fixtures/win2k.reg");
        previousRegistry_ = SetActiveRegistry(&registry);
        previousVersion_ = WindowsVersion;
        WindowsVersion = 6;
        savedDialogs_ = SetDialogHandler([this](DialogKind, const std::string& text) {
            dialogs.push_back(text);
            return AnswerNo;
        });
        savedOpener_ = SetHelpOpener([this](HWND parent, const std::string& file, const std::string& folder) {
            help.push_back({parent, file, folder});
        });
        CurrentConnection.clear();
        ChangesPending = RestartDeferred = SystemAccelerated = false;
        w.reset(CreateForm<TfrmAutomatic>(nullptr));
        watcher.SetInterval(20);
        watcher.OnTimer = [this](TComponent*) {
            if (act && w->Visible()) act(*w);
        };
    }
    void TearDown() override {
        watcher.SetEnabled(false);
        w.reset();
        SetHelpOpener(savedOpener_);
        SetDialogHandler(savedDialogs_);
        WindowsVersion = previousVersion_;
        SetActiveRegistry(previousRegistry_);
        CurrentConnection.clear();
        ChangesPending = RestartDeferred = SystemAccelerated = false;
        Application->ResetTerminated();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    int ShowModalActing(std::function<void(TfrmAutomatic&)> action) {
        act = std::move(action);
        watcher.SetEnabled(true);
        const int result = w->ShowModal();
        watcher.SetEnabled(false);
        return result;
    }
    TSkinCheckBox* Item(int row) const {
        TSkinCheckBox* items[] = {w->cbxMaxMTU, w->cbxRWin, w->cbxNDICache, w->cbxPMTU, w->cbxTTL, w->cbxKeepalive};
        return items[row];
    }
    TSkinRoundButton* Marker(int row) const {
        TSkinRoundButton* markers[] = {w->btnMaxMTU, w->btnRWin, w->btnNDICache,
                                       w->btnPMTU,   w->btnTTL,  w->btnKeepalive};
        return markers[row];
    }
    // Per row: "." hidden, "v" shown, "x" ticked in bold with its marker;
    // anything else is a half-made row.
    std::string Rows() const {
        std::string rows;
        for (int row = 0; row < 6; ++row) {
            const TSkinCheckBox* item = Item(row);
            const bool ticked = item->Checked() && item->Font.Style() == fsBold && Marker(row)->Visible();
            const bool plain = !item->Checked() && item->Font.Style() == 0 && !Marker(row)->Visible();
            rows += !item->Visible() ? (plain ? '.' : '?') : ticked ? 'x' : plain ? 'v' : '?';
        }
        return rows;
    }
    void MoveTo(int x, int y) { SendMessageA(w->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    static POINT Centre(const TControl* c) { return {c->Left() + c->Width() / 2, c->Top() + c->Height() / 2}; }

    MemoryRegistry registry;
    std::unique_ptr<TfrmAutomatic> w;
    TTimer watcher{nullptr};
    std::function<void(TfrmAutomatic&)> act;
    std::vector<std::string> dialogs;
    struct HelpCall {
        HWND parent;
        std::string file, folder;
    };
    std::vector<HelpCall> help;

private:
    RegistryBackend* previousRegistry_ = nullptr;
    std::uint8_t previousVersion_ = 0;
    DialogHandler savedDialogs_;
    HelpOpener savedOpener_;
};

TEST_F(AutomaticWindowTest, TheItemsTickInOrderAndInTimeThenThePresetIsStoredAndAccelerateMeEnds) {
    SetConnect("D2");
    SetSka(1234);
    CurrentConnection = "C";  // the stored code decides
    SystemAccelerated = true;
    struct Stage {
        std::string rows;
        DWORD at;
        bool accelerate, waiting, ready;
        std::int32_t mtu;
    };
    std::vector<Stage> stages;
    DWORD shown = 0;
    bool accelerated = false, pictured = false;
    const int result = ShowModalActing([&](TfrmAutomatic& f) {
        if (!shown) shown = GetTickCount();
        const std::string rows = Rows();
        if (stages.empty() || stages.back().rows != rows || stages.back().accelerate != f.btnAccelerateMe->Enabled())
            stages.push_back({rows, GetTickCount() - shown, f.btnAccelerateMe->Enabled(), f.lblWaitToPress->Visible(),
                              f.lblReadyToGo->Visible(), GetMtu()});
        if (rows == "xxxv.." && !pictured) {
            pictured = true;
            skintest::SnapshotOf(&f, "automatic_preparing");
        }
        if (f.btnAccelerateMe->Enabled() && !accelerated) {
            accelerated = true;
            const POINT at = Centre(f.btnAccelerateMe);
            MoveTo(at.x, at.y);
            EXPECT_EQ(f.HighlightedButton(), f.btnAccelerateMe);
            skintest::SnapshotOf(&f, "automatic_ready");
            f.btnAccelerateMe->Click();
        }
    });
    EXPECT_EQ(result, mrYes);
    EXPECT_TRUE(ChangesPending);
    EXPECT_EQ(CurrentConnection, "D2");
    EXPECT_FALSE(SystemAccelerated);
    EXPECT_TRUE(PreparationStopped);  // closed

    // Every row shows, then ticks, before the next one shows; nothing is
    // stored and nothing may be pressed before the sixth has ticked.
    std::vector<std::string> expected{"......"};
    for (int row = 0; row < 6; ++row) {
        std::string rows = std::string(row, 'x') + std::string(6 - row, '.');
        rows[row] = 'v';
        expected.push_back(rows);
        rows[row] = 'x';
        expected.push_back(rows);
    }
    expected.push_back("xxxxxx");  // "Accelerate Me !" on
    ASSERT_EQ(stages.size(), expected.size());
    for (std::size_t i = 0; i < stages.size(); ++i) {
        SCOPED_TRACE(stages[i].rows + " at " + std::to_string(stages[i].at));
        EXPECT_EQ(stages[i].rows, expected[i]);
        const bool last = i + 1 == stages.size();
        EXPECT_EQ(stages[i].accelerate, last);
        EXPECT_EQ(stages[i].ready, last);
        EXPECT_EQ(stages[i].waiting, !last);
        EXPECT_EQ(stages[i].mtu, last ? 1492 : -1);
    }
    // Half a second to the first row, a second and a half showing, half a
    // second ticked: about twelve and a half seconds in all.
    EXPECT_GE(stages[1].at, 400u);
    EXPECT_LE(stages[1].at, 1500u);
    for (std::size_t i = 2; i + 1 < stages.size(); ++i) {
        const DWORD step = stages[i].at - stages[i - 1].at;
        if (i % 2 == 0)
            EXPECT_GE(step, 1450u) << expected[i];
        else
            EXPECT_GE(step, 450u) << expected[i];
    }
    EXPECT_GE(stages.back().at, 12000u);
    EXPECT_LE(stages.back().at, 16000u);

    // The DSL 2 preset on the NT family; "ska" as it was.
    EXPECT_EQ(GetMtu(), 1492);
    EXPECT_EQ(GetNdi(), 32);
    EXPECT_EQ(GetRwin(), 149600);
    EXPECT_EQ(GetTtl(), 128);
    EXPECT_EQ(GetPMTUDiscover(), 1);
    EXPECT_EQ(GetPMTUBlackHoleDetect(), 0);
    EXPECT_TRUE(GetLine());
    EXPECT_EQ(GetSka(), 1234);
    EXPECT_EQ(GetConnect(), "D2");
}

TEST_F(AutomaticWindowTest, CancelDuringTheThirdItemLetsItTickShowsNoFourthAndStoresNothing) {
    SetConnect("C");
    const std::string before = Record();
    ChangesPending = true;
    std::string lastRows;
    bool cancelled = false;
    DWORD cancelledAt = 0;
    const DWORD start = GetTickCount();
    const int result = ShowModalActing([&](TfrmAutomatic& f) {
        lastRows = Rows();
        EXPECT_FALSE(f.cbxPMTU->Visible());
        if (lastRows == "xxv..." && !cancelled) {
            cancelled = true;
            cancelledAt = GetTickCount();
            f.btnCancel->Click();
            EXPECT_FALSE(ChangesPending);
        }
    });
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(result, mrNo);
    EXPECT_EQ(lastRows, "xxx...");
    EXPECT_FALSE(ChangesPending);
    EXPECT_EQ(Record(), before);
    EXPECT_FALSE(w->btnAccelerateMe->Enabled());
    // The window waits for the item in progress.
    EXPECT_GE(GetTickCount() - cancelledAt, 1500u);
    EXPECT_LT(GetTickCount() - start, 9000u);
}

TEST_F(AutomaticWindowTest, QuitAnsweredNoStopsThePreparationAndKeepsTheWindowOpenUntilItIsClosed) {
    SetConnect("M");
    const std::string before = Record();
    bool quit = false;
    DWORD quitAt = 0;
    std::string rowsAtClose;
    const int result = ShowModalActing([&](TfrmAutomatic& f) {
        if (!quit && f.cbxMaxMTU->Visible()) {
            quit = true;
            quitAt = GetTickCount();
            f.btnClose->Click();
            EXPECT_TRUE(PreparationStopped);
        }
        // Well past the first item's end, the window is still open: closed
        // the way a user without the buttons would.
        if (quit && GetTickCount() - quitAt > 3000 && rowsAtClose.empty()) {
            rowsAtClose = Rows();
            PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
        }
    });
    EXPECT_EQ(dialogs, std::vector<std::string>{QuitQuestion});
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(rowsAtClose, "x.....");
    EXPECT_EQ(result, mrNo);
    EXPECT_EQ(Record(), before);
    EXPECT_FALSE(w->btnAccelerateMe->Enabled());
}

TEST_F(AutomaticWindowTest, MinGivesRetryAnyOtherCloseNoAndQuitAfterAnApplyRunAsksNothing) {
    EXPECT_FALSE(w->btnMinimize->Visible());
    EXPECT_EQ(ShowModalActing([](TfrmAutomatic& f) { f.btnMinimize->Click(); }), mrRetry);
    EXPECT_TRUE(dialogs.empty());

    // Closed another way during the first item: No once that item is done,
    // and the rest is neither shown nor stored.
    SetConnect("D1");
    const std::string before = Record();
    bool closed = false;
    std::string rows;
    const DWORD start = GetTickCount();
    EXPECT_EQ(ShowModalActing([&](TfrmAutomatic& f) {
                  rows = Rows();
                  if (closed || !f.cbxMaxMTU->Visible()) return;
                  closed = true;
                  PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
              }),
              mrNo);
    EXPECT_EQ(rows, "x.....");
    // Well before the six items' twelve seconds, however busy the machine.
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(Record(), before);
    EXPECT_FALSE(ChangesPending);

    // The program ends through the dispatcher.
    const ShellNotifyFunction savedShell = ShellNotify;
    ShellNotify = QuietShell;
    std::unique_ptr<TfrmBrisbolt> dispatcher(CreateForm<TfrmBrisbolt>(nullptr));
    SetDispatcher(dispatcher.get());
    SystemAccelerated = true;
    ChangesPending = true;
    w->btnClose->Click();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(ChangesPending);
    SetDispatcher(nullptr);
    dispatcher.reset();
    ShellNotify = savedShell;
}

// The last item's half second is part of the preparation: a stop there,
// however it comes, stores nothing, and a keyboard close is CANCEL.
TEST_F(AutomaticWindowTest, AStopWhileTheLastItemTicksStoresNothing) {
    const struct {
        const char* way;
        std::function<void(TfrmAutomatic&)> stop;
        int result;
    } ways[] = {
        {"CANCEL", [](TfrmAutomatic& f) { f.btnCancel->Click(); }, mrNo},
        {"keyboard close", [](TfrmAutomatic& f) { PostMessageA(f.Handle(), WM_CLOSE, 0, 0); }, mrNo},
        {"the program ending", [](TfrmAutomatic&) { Application->Terminate(); }, mrCancel},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        Application->ResetTerminated();
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        SetConnect("C");
        ChangesPending = true;
        const std::string before = Record();
        bool stopped = false;
        const int result = ShowModalActing([&](TfrmAutomatic& f) {
            if (stopped || Rows() != "xxxxxx" || f.btnAccelerateMe->Enabled()) return;
            stopped = true;
            way.stop(f);
        });
        EXPECT_TRUE(stopped);
        EXPECT_EQ(result, way.result);
        EXPECT_EQ(Record(), before);
        EXPECT_FALSE(w->btnAccelerateMe->Enabled());
        if (way.result == mrNo) {
            EXPECT_FALSE(ChangesPending);
        }
        w.reset(CreateForm<TfrmAutomatic>(nullptr));
    }
}

TEST_F(AutomaticWindowTest, HelpOpensThePageInTheInstallationFolder) {
    SetRegistryValue(RootKey::LocalMachine, ProgramKey, true, std::string("C:\\Program Files\\Brisbolt"), "installdir",
                     ValueKind::String);
    w->btnHelp->Click();
    DeleteRegistryValue(RootKey::LocalMachine, ProgramKey, "installdir");
    w->btnHelp->Click();
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].parent, w->Handle());
    EXPECT_EQ(help[0].file, "brbhelp.htm");
    EXPECT_EQ(help[0].folder, "C:\\Program Files\\Brisbolt");
    EXPECT_EQ(help[1].folder, "");
    EXPECT_EQ(w->btnHelp->Hint, "Review the Help file.");
}

TEST_F(AutomaticWindowTest, TheButtonUnderTheMouseTurnsGreenAndThePictureUndoesIt) {
    w->Show();
    w->tmrDelayCheckboxes->SetEnabled(false);  // no preparation here
    w->btnAccelerateMe->SetEnabled(true);
    const COLORREF green = RGB(0, 191, 0);
    TRoundedButton* buttons[] = {w->btnHelp, w->btnClose, w->btnAccelerateMe, w->btnCancel};
    const struct {
        POINT at;
        TRoundedButton* highlighted;
    } moves[] = {{Centre(w->btnHelp), w->btnHelp},
                 {Centre(w->btnCancel), w->btnCancel},
                 {{w->btnCancel->Left() + 4, w->btnCancel->Top() + 6}, w->btnCancel},
                 {Centre(w->btnAccelerateMe), w->btnAccelerateMe},
                 {{300, 445}, nullptr},
                 {Centre(w->btnClose), w->btnClose},
                 {{590, 250}, nullptr},
                 {Centre(w->btnHelp), w->btnHelp},
                 {Centre(w->lblBottomLine), nullptr},
                 {Centre(w->btnCancel), w->btnCancel},
                 {{-1, -1}, nullptr}};  // into the grey panel
    for (const auto& m : moves) {
        if (m.at.x < 0)
            SendMessageA(w->Panel1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
        else
            MoveTo(m.at.x, m.at.y);
        SCOPED_TRACE(::testing::Message() << m.at.x << "," << m.at.y);
        EXPECT_EQ(w->HighlightedButton(), m.highlighted);
        for (TRoundedButton* b : buttons)
            EXPECT_EQ(ColorToRGB(b->Font.Color()), b == m.highlighted ? green : RGB(0, 0, 0)) << b->Name;
    }
    w->Hide();
}

TEST_F(AutomaticWindowTest, TheWindowItsItemsAndEveryCaptionFit) {
    RECT client;
    GetClientRect(w->Handle(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 460);
    EXPECT_EQ(w->Caption(), "Brisbolt - Automatic");
    EXPECT_EQ(w->lblBottomLine->Caption(), "Brisbolt... Optimizes Your Internet Settings");
    EXPECT_EQ(w->tmrDelayCheckboxes->Interval(), 500u);
    EXPECT_EQ(w->tmrDelayClose->Interval(), 600u);
    EXPECT_FALSE(w->tmrDelayCheckboxes->Enabled());
    EXPECT_FALSE(w->tmrDelayClose->Enabled());

    // Each caption, bold as it is once ticked, inside its face.
    ClientDC screen(nullptr);
    for (int row = 0; row < 6; ++row) {
        const TSkinCheckBox* item = Item(row);
        SCOPED_TRACE(item->Name);
        EXPECT_TRUE(item->ShowHint && !item->Hint.empty());
        EXPECT_FALSE(item->Visible());
        TFont bold;
        bold.Assign(item->Font);
        bold.SetStyle(fsBold);
        ScopedSelect select(screen.get(), bold.Handle());
        const RECT face = item->TextRect();
        RECT needed{0, 0, face.right - face.left - 1, 0};
        DrawTextA(screen.get(), item->Caption().c_str(), -1, &needed,
                  DT_CALCRECT | (item->WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
        EXPECT_LE(needed.right, face.right - face.left - 1);
        EXPECT_LE(needed.bottom + 1, face.bottom - face.top);
    }
    // The labels too: one line each, two for the status lines.
    const struct {
        TLabel* label;
        int lines;
    } labels[] = {{w->lblItemsToBePrepared, 1}, {w->lblBottomLine, 1}, {w->lblWaitToPress, 2}, {w->lblReadyToGo, 2}};
    for (const auto& l : labels) {
        SCOPED_TRACE(l.label->Name);
        ScopedSelect select(screen.get(), l.label->Font.Handle());
        RECT needed{0, 0, l.label->Width(), 0};
        DrawTextA(screen.get(), l.label->Caption().c_str(), -1, &needed,
                  DT_CALCRECT | (l.lines > 1 ? DT_WORDBREAK : DT_SINGLELINE));
        EXPECT_LE(needed.right, l.label->Width());
        EXPECT_LE(needed.bottom, l.label->Height() - 2);
    }
    EXPECT_FALSE(w->lblWaitToPress->Visible());
    EXPECT_FALSE(w->lblReadyToGo->Visible());
}

// While it prepares, the keyboard is on CANCEL and passes by the hidden
// "Min" and the disabled "Accelerate Me !"; once ready it is on
// "Accelerate Me !", and Enter there presses it, with its one sound.
TEST_F(AutomaticWindowTest, TheKeyboardWaitsOnCancelThenGoesToAccelerateMe) {
    using namespace keytest;
    SetConnect("N");
    ClickCounter sounds;
    std::string atShow, whenReady;
    std::vector<std::string> preparing, preparingBack, ready;
    int soundsBefore = -1;
    bool started = false, finished = false;
    const int result = ShowModalActing([&](TfrmAutomatic& f) {
        if (!started) {
            started = true;
            atShow = FocusedName(f);
            preparing = TabRound(f, 3);
            preparingBack = TabRound(f, 3, true);
            // Space on "Help": the page, while the items go on.
            PressKey(VK_TAB);
            PressKey(VK_SPACE);
            PressKeys(VK_TAB, 2);
        }
        if (finished || !f.btnAccelerateMe->Enabled()) return;
        finished = true;
        whenReady = FocusedName(f);
        ready = TabRound(f, 4);
        soundsBefore = sounds.clicks;
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(atShow, "btnCancel");
    EXPECT_EQ(preparing, (std::vector<std::string>{"btnHelp", "btnClose", "btnCancel"}));
    EXPECT_EQ(preparingBack, (std::vector<std::string>{"btnClose", "btnHelp", "btnCancel"}));
    EXPECT_EQ(help.size(), 1u);
    EXPECT_EQ(whenReady, "btnAccelerateMe");
    EXPECT_EQ(ready, (std::vector<std::string>{"btnCancel", "btnHelp", "btnClose", "btnAccelerateMe"}));
    EXPECT_EQ(result, mrYes);
    EXPECT_TRUE(ChangesPending);
    EXPECT_EQ(sounds.clicks, soundsBefore + 1);
    EXPECT_EQ(GetMtu(), 1500);
}

// Esc is CANCEL, as Space and Enter on it are: the item in progress ends,
// nothing is stored, the window closes with No.
TEST_F(AutomaticWindowTest, EscAndTheKeysOnCancelStopThePreparationAndStoreNothing) {
    using namespace keytest;
    for (const WORD key : {VK_ESCAPE, VK_SPACE}) {
        SCOPED_TRACE(key);
        SetConnect("C");
        ChangesPending = true;
        const std::string before = Record();
        std::string rows;
        bool pressed = false;
        const int result = ShowModalActing([&](TfrmAutomatic& f) {
            rows = Rows();
            if (pressed || !f.cbxMaxMTU->Visible()) return;
            pressed = true;
            ASSERT_EQ(FocusedName(f), "btnCancel");
            PressKey(key);
        });
        EXPECT_TRUE(pressed);
        EXPECT_EQ(result, mrNo);
        EXPECT_EQ(rows, "x.....");
        EXPECT_EQ(Record(), before);
        EXPECT_FALSE(ChangesPending);
        w.reset(CreateForm<TfrmAutomatic>(nullptr));
    }
}

}  // namespace
}  // namespace brisbolt
