// The Advanced window under real windows: its start on the values of a
// Windows 2000 and a Windows XP machine, also for a user who may only read
// them, one road of clicks checked against the settings record, the ways out
// with their results and what they leave in the record, help, and the hover
// colours. Pictures of the window go to the snapshots folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Timer.h"
#include "runtime/Win32Handles.h"
#include "settings/MemoryRegistry.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryCalls.h"
#include "settings/RegistryDump.h"
#include "settings/SystemSettings.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "app/Services.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"
#include "tuning/frmAdvanced.h"
#include "tuning/frmFindMtu.h"

namespace brisbolt {
namespace {

using skintest::At;

std::optional<SystemVersion> Windows2000() { return SystemVersion{5, 0, 2}; }
std::optional<SystemVersion> WindowsXp() { return SystemVersion{5, 1, 2}; }

void LoadFixture(const char* name) {
    std::string path = SOURCE_DIR "/tests/fixtures/";
    path += name;
    LoadRegFile(ActiveRegistry(), path);
}

std::string Record() { return DumpKeyTree(ActiveRegistry(), RootKey::CurrentUser, ProgramKey); }
std::string RecordText(const char* name) { return GetRegistryString(RootKey::CurrentUser, ProgramKey, name); }

// A click as the user makes it: the button's own message road.
void Click(TRadioButton* radio) {
    SendMessageA(radio->Handle(), BM_CLICK, 0, 0);
    Application->ProcessMessages();
}

class AdvancedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedVersion_ = WindowsVersion;
        savedSource_ = SetVersionSource(Windows2000);
        savedDialogs_ = SetDialogHandler([this](DialogKind kind, const std::string& text) {
            dialogs.push_back(text);
            return kind == DialogKind::Question ? AnswerNo : AnswerOk;
        });
        savedOpener_ = SetHelpOpener([this](HWND parent, const std::string& file, const std::string& folder) {
            helpOpened.push_back({parent, file, folder});
        });
        ChangesPending = SystemAccelerated = UpdatingControls = false;
        CurrentConnection = std::string(1, 'M');  // dial-up
        LoadFixture("clean.reg");
        // The display's own mouse stays off the window.
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        window.reset();
        SetHelpOpener(savedOpener_);
        SetDialogHandler(savedDialogs_);
        SetVersionSource(savedSource_);
        WindowsVersion = savedVersion_;
        ChangesPending = SystemAccelerated = UpdatingControls = false;
        CurrentConnection.clear();
        LoadFixture("clean.reg");
    }
    // A Windows 2000 or XP machine as the fixture describes it, as the wizard leaves it.
    void Machine(VersionSource version) {
        SetVersionSource(version);
        GetWindowsVersion();
        LoadFixture("win2k.reg");
        SetConnect(CurrentConnection);
    }
    TfrmAdvanced& Open() {
        window.reset(CreateForm<TfrmAdvanced>(nullptr));
        window->Show();
        Application->ProcessMessages();
        return *window;
    }
    // Shows the window modally; `act` runs once inside its loop.
    int RunModal(std::function<void(TfrmAdvanced&)> act) {
        TTimer once(nullptr);
        once.SetInterval(20);
        once.OnTimer = [&](TComponent*) {
            once.SetEnabled(false);
            act(*window);
        };
        once.SetEnabled(true);
        return window->ShowModal();
    }

    std::unique_ptr<TfrmAdvanced> window;
    std::vector<std::string> dialogs;
    struct HelpCall {
        HWND parent;
        std::string file, folder;
    };
    std::vector<HelpCall> helpOpened;

private:
    std::uint8_t savedVersion_ = 0;
    VersionSource savedSource_ = nullptr;
    DialogHandler savedDialogs_;
    HelpOpener savedOpener_;
};

TEST_F(AdvancedWindowTest, StartsOnTheValuesInForceAndStoresNothing) {
    const struct {
        const char* name;
        VersionSource version;
        bool lineStored, lineGood;
        TRadioButton* TfrmAdvanced::*mtu;
        std::int32_t currentMtu;
        const char* comboText;
        std::int32_t spin;  // 64240 bytes over the MSS, within 1 to 113
    } cases[] = {
        {"Windows 2000: the first adapter's MTU", Windows2000, false, false, &TfrmAdvanced::rbtnMTU1500, 1500, "1500",
         44},
        {"Windows XP: no adapter MTU is read", WindowsXp, true, true, &TfrmAdvanced::rbtnMTUDefault, 576, "576", 113},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadFixture("clean.reg");
        Machine(c.version);
        if (c.lineStored) SetLine(c.lineGood);
        const std::string before = Record();
        TfrmAdvanced& w = Open();

        RECT client;
        GetClientRect(w.Handle(), &client);
        EXPECT_EQ(client.right, 600);
        EXPECT_EQ(client.bottom, 460);
        EXPECT_EQ(w.Caption(), "Brisbolt - Advanced Settings");
        EXPECT_EQ(w.Left(), (GetSystemMetrics(SM_CXSCREEN) - 600) / 2);
        EXPECT_EQ(CurrentMtu, c.currentMtu);
        EXPECT_TRUE((w.*c.mtu)->Checked());
        EXPECT_EQ(w.comboMTUManual->Text(), c.comboText);
        EXPECT_TRUE(w.rbtnMTUAutoYes->Checked());
        EXPECT_TRUE(w.rbtnBlackHoleNo->Checked());
        EXPECT_TRUE(w.rbtnRWINManual->Checked());
        EXPECT_FALSE(w.rbtnRWINDefault->Checked());
        EXPECT_EQ(w.spinRWINMultiplier->Value(), c.spin);
        EXPECT_EQ(w.lblRWIN->Caption(), "64240");
        EXPECT_TRUE(w.rbtnNDIDefault->Checked());
        EXPECT_TRUE(w.rbtnSKADefault->Checked());
        EXPECT_TRUE(w.rbtnTTL128->Checked());
        EXPECT_EQ(w.rbtnLineGood->Checked(), c.lineGood);
        EXPECT_EQ(w.rbtnLineBad->Checked(), !c.lineGood);
        EXPECT_EQ(LineGood, c.lineGood);
        EXPECT_EQ(w.lblBottomLine->Caption(), BottomLineText);
        EXPECT_TRUE(w.lblWaitToPress->Visible());
        EXPECT_FALSE(w.btnAccelerateMe->Enabled());
        EXPECT_FALSE(UpdatingControls);
        EXPECT_FALSE(ChangesPending);
        EXPECT_EQ(Record(), before);
        if (c.version == Windows2000) {
            // Whatever the display's own mouse lit up goes back first.
            SendMessageA(w.Handle(), WM_MOUSEMOVE, 0, At(300, 445));
            skintest::SnapshotOf(&w, "advanced_start");
        }
    }
}

// What the window shows: the selected radio buttons, the manual MTU and the
// receive window.
std::string Shown(const TfrmAdvanced& w) {
    std::string shown = w.comboMTUManual->Text() + " " + w.lblRWIN->Caption();
    for (const TComponent* owned : w.Components())
        if (const auto* radio = dynamic_cast<const TRadioButton*>(owned); radio && radio->Checked())
            shown += " " + radio->Name;
    return shown;
}

// A user without administrator rights on Windows 2000 may read the TCP/IP
// keys but not open them with full access; the window shows that user the
// values in force, the MTU above all. Only the registry in memory can refuse,
// so this runs there, under Wine too.
TEST_F(AdvancedWindowTest, AUserWhoMayOnlyReadSeesTheValuesInForce) {
    MemoryRegistry memory;
    struct Active {
        RegistryBackend* before;
        ~Active() { SetActiveRegistry(before); }
    } active{SetActiveRegistry(&memory)};
    Machine(Windows2000);
    const std::string withWriteAccess = Shown(Open());
    window.reset();
    std::vector<std::string> keys = {TcpipParametersKey, InterfacesKey, NetbtParametersKey};
    const auto interfaces = memory.OpenForReading(RootKey::LocalMachine, InterfacesKey)->Subkeys();
    for (const auto& name : interfaces.value()) keys.push_back(InterfaceKey(name));
    for (const auto& key : keys) memory.Refuse(RootKey::LocalMachine, key, MemoryRegistry::Op::OpenFull);
    TfrmAdvanced& w = Open();
    EXPECT_TRUE(w.rbtnMTU1500->Checked());
    EXPECT_EQ(CurrentMtu, 1500);
    EXPECT_EQ(Shown(w), withWriteAccess);
    window.reset();
}

TEST_F(AdvancedWindowTest, EveryChoiceIsStoredAtOnce) {
    Machine(Windows2000);
    TfrmAdvanced& w = Open();

    // The receive window follows the multiple and the MTU.
    Click(w.rbtnRWIN10);
    EXPECT_EQ(RecordText("rwin"), "14600");
    EXPECT_TRUE(ChangesPending);
    EXPECT_TRUE(w.btnAccelerateMe->Enabled());
    EXPECT_FALSE(w.lblWaitToPress->Visible());
    Click(w.rbtnMTU576);
    EXPECT_EQ(RecordText("mtu"), "576");
    EXPECT_EQ(RecordText("rwin"), "5360");
    Click(w.rbtnMTU1500);
    EXPECT_EQ(RecordText("mtu"), "1500");
    EXPECT_EQ(RecordText("rwin"), "14600");
    EXPECT_EQ(w.lblRWIN->Caption(), "14600");

    // The line: Bad (nothing stored) to Good halves, Good to Bad doubles, back again.
    const struct {
        TRadioButton* TfrmAdvanced::*line;
        bool good;
        TRadioButton* TfrmAdvanced::*shown;
        std::int32_t spin;
        const char* rwin;
    } lines[] = {
        {&TfrmAdvanced::rbtnLineGood, true, &TfrmAdvanced::rbtnRWINManual, 5, "7300"},
        {&TfrmAdvanced::rbtnLineBad, false, &TfrmAdvanced::rbtnRWIN10, 5, "14600"},
        {&TfrmAdvanced::rbtnLineGood, true, &TfrmAdvanced::rbtnRWINManual, 5, "7300"},
    };
    for (const auto& step : lines) {
        Click(w.*step.line);
        EXPECT_EQ(GetLine(), step.good);
        EXPECT_TRUE((w.*step.shown)->Checked());
        EXPECT_EQ(w.spinRWINMultiplier->Value(), step.spin);
        EXPECT_EQ(RecordText("rwin"), step.rwin);
        EXPECT_FALSE(LineChanged);
    }
    Click(w.rbtnRWIN10);
    Click(w.rbtnLineBad);
    EXPECT_TRUE(w.rbtnRWINManual->Checked());
    EXPECT_EQ(w.spinRWINMultiplier->Value(), 20);
    EXPECT_EQ(RecordText("rwin"), "29200");
    Click(w.rbtnLineGood);
    EXPECT_TRUE(w.rbtnRWIN10->Checked());
    EXPECT_EQ(RecordText("rwin"), "14600");

    // The NDI choice counts only with the MTU at its default, which stores "6666".
    Click(w.rbtnNDI32);
    EXPECT_EQ(RecordText("ndi"), "6666");
    Click(w.rbtnMTUDefault);
    EXPECT_EQ(RecordText("mtu"), "6666");
    EXPECT_EQ(CurrentMtu, 1500);
    EXPECT_EQ(RecordText("rwin"), "14600");
    Click(w.rbtnNDI16);
    EXPECT_EQ(RecordText("ndi"), "16");
    Click(w.rbtnNDI32);
    EXPECT_EQ(RecordText("ndi"), "32");

    // A manual MTU out of range, or the default marker, is refused and the selection stays.
    const struct {
        const char* typed;
        bool taken;
        const char* message = ManualMtuRefused;
    } manual[] = {{"40", false}, {"abc", false}, {"65536", false}, {"", false}, {"6666", false, ManualMtuReserved},
                  {"9000", true}};
    for (const auto& m : manual) {
        SCOPED_TRACE(m.typed);
        dialogs.clear();
        w.comboMTUManual->SetText(m.typed);
        Click(w.rbtnMTUManual);
        if (m.taken) {
            EXPECT_TRUE(dialogs.empty());
            EXPECT_TRUE(w.rbtnMTUManual->Checked());
            EXPECT_EQ(RecordText("mtu"), "9000");
            EXPECT_EQ(RecordText("rwin"), "89600");
        } else {
            EXPECT_EQ(dialogs, std::vector<std::string>{m.message});
            EXPECT_TRUE(w.rbtnMTUDefault->Checked());
            EXPECT_FALSE(w.rbtnMTUManual->Checked());
            EXPECT_EQ(RecordText("mtu"), "6666");
            EXPECT_EQ(CurrentMtu, 1500);
        }
    }

    // The rest, value by value.
    Click(w.rbtnTTLDefault);
    EXPECT_EQ(RecordText("ttl"), "32");
    Click(w.rbtnTTL64);
    Click(w.rbtnSKA10);
    EXPECT_EQ(RecordText("ska"), "600000");
    Click(w.rbtnSKA60);
    EXPECT_EQ(RecordText("ska"), "3600000");
    w.spinSKA->SetValue(25);
    Click(w.rbtnSKAManual);
    Click(w.rbtnMTUAutoNo);
    Click(w.rbtnBlackHoleYes);
    EXPECT_EQ(GetMtu(), 9000);
    EXPECT_EQ(GetRwin(), 89600);
    EXPECT_EQ(GetNdi(), 32);
    EXPECT_EQ(GetTtl(), 64);
    EXPECT_EQ(GetSka(), 1500000);
    EXPECT_EQ(GetPMTUDiscover(), 0);
    EXPECT_EQ(GetPMTUBlackHoleDetect(), 1);
    EXPECT_TRUE(GetLine());
    EXPECT_EQ(GetConnect(), "M");
}

// A measured MTU is chosen as a click would choose it: its own choice, or
// Manual Setting with the number; stored at once with the receive window
// that follows it, and nothing reaches the system.
TEST_F(AdvancedWindowTest, AMeasuredMtuIsChosenAndStoredAsAClickStoresIt) {
    Machine(Windows2000);
    TfrmAdvanced& w = Open();
    const std::int32_t systemMtu = GetSystemMTU();
    Click(w.rbtnRWIN10);
    const struct {
        std::int32_t mtu;
        TRadioButton* TfrmAdvanced::*chosen;
        const char* rwin;
    } cases[] = {
        {1464, &TfrmAdvanced::rbtnMTUManual, "14240"},
        {1400, &TfrmAdvanced::rbtnMTU1400, "13600"},
        {1472, &TfrmAdvanced::rbtnMTUManual, "14320"},
        {1500, &TfrmAdvanced::rbtnMTU1500, "14600"},
    };
    for (const auto& c : cases) {
        w.UseFoundMtu(c.mtu);
        Application->ProcessMessages();
        int checked = 0;
        for (TRadioButton* radio :
             {w.rbtnMTUDefault, w.rbtnMTU576, w.rbtnMTU1400, w.rbtnMTU1454, w.rbtnMTU1492, w.rbtnMTU1500, w.rbtnMTU4464,
              w.rbtnMTU8166, w.rbtnMTU17914, w.rbtnMTU65535, w.rbtnMTUManual})
            checked += radio->Checked() ? 1 : 0;
        EXPECT_EQ(checked, 1) << c.mtu;
        EXPECT_TRUE((w.*c.chosen)->Checked()) << c.mtu;
        if (c.chosen == &TfrmAdvanced::rbtnMTUManual) {
            EXPECT_EQ(w.comboMTUManual->Text(), std::to_string(c.mtu));
        }
        EXPECT_EQ(RecordText("mtu"), std::to_string(c.mtu));
        EXPECT_EQ(RecordText("rwin"), c.rwin) << c.mtu;
        EXPECT_EQ(w.lblRWIN->Caption(), c.rwin) << c.mtu;
        EXPECT_TRUE(w.btnAccelerateMe->Enabled());
    }
    EXPECT_EQ(GetSystemMTU(), systemMtu);
    EXPECT_TRUE(dialogs.empty());
}

// "Find..." opens the measurement; its "Use this MTU" chooses the value.
TEST_F(AdvancedWindowTest, FindMeasuresAndUseThisMtuChoosesManual) {
    struct Line : EchoLine {
        LineOpening Open(const std::string&) override { return LineOpening::Open; }
        EchoReply Echo(int dataBytes, bool dontFragment) override {
            EchoReply reply;
            if (!dontFragment || dataBytes + EchoHeaderBytes <= 1464) reply.kind = EchoReply::Kind::Success;
            return reply;
        }
    };
    Machine(Windows2000);
    TfrmAdvanced& w = Open();
    TTimer drive(nullptr);
    drive.SetInterval(50);
    bool started = false, listedLast = false;
    drive.OnTimer = [&](TComponent*) {
        auto* find = dynamic_cast<TfrmFindMtu*>(FormOfWindow(FindWindowA(nullptr, "Brisbolt - Find the MTU")));
        if (!find) return;
        if (!started) {
            started = true;
            // A second start brings it forward: it is the innermost open window.
            listedLast = !OpenWindows.empty() && OpenWindows.back() == find;
            find->MtuProbe1->MakeLine = [] { return std::make_unique<Line>(); };
            find->comboHost->SetText("127.10.2.2");
            find->btnStartClick(find->btnStart);
        } else if (find->btnUseMtu->Enabled()) {
            drive.SetEnabled(false);
            find->btnUseMtuClick(find->btnUseMtu);
        }
    };
    drive.SetEnabled(true);
    w.btnFindMtuClick(w.btnFindMtu);
    drive.SetEnabled(false);
    EXPECT_TRUE(started);
    EXPECT_TRUE(listedLast);
    EXPECT_TRUE(w.rbtnMTUManual->Checked());
    EXPECT_EQ(w.comboMTUManual->Text(), "1464");
    EXPECT_EQ(RecordText("mtu"), "1464");
}

TEST_F(AdvancedWindowTest, TheWaysOutAndHelp) {
    Machine(WindowsXp);
    SetRegistryValue(RootKey::LocalMachine, ProgramKey, true, std::string("C:\\Brisbolt"), "installdir",
                     ValueKind::String);
    const struct {
        const char* name;
        std::function<void(TfrmAdvanced&)> act;
        int result;
        bool pending;
    } cases[] = {
        {"CANCEL after a choice",
         [](TfrmAdvanced& w) {
             Click(w.rbtnTTL64);
             w.btnCancel->Click();
         },
         mrNo, false},
        {"Accelerate Me with a change",
         [](TfrmAdvanced& w) {
             Click(w.rbtnSKA10);
             w.btnAccelerateMe->Click();
         },
         mrYes, true},
        {"Accelerate Me without one", [](TfrmAdvanced& w) { w.btnAccelerateMe->Click(); }, mrNo, false},
        {"Min", [](TfrmAdvanced& w) { w.btnMinimize->Click(); }, mrRetry, false},
        {"the program ending", [](TfrmAdvanced&) { Application->Terminate(); }, mrCancel, false},
        // Alt+F4 after a choice is CANCEL: no restart is wanted any more.
        {"closed otherwise after a choice",
         [](TfrmAdvanced& w) {
             Click(w.rbtnTTL64);
             PostMessageA(w.Handle(), WM_CLOSE, 0, 0);
         },
         mrNo, false},
        {"Quit answered No, then help, then closed",
         [](TfrmAdvanced& w) {
             w.btnClose->Click();
             w.btnHelp->Click();
             w.Close();
         },
         mrNo, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChangesPending = false;
        dialogs.clear();
        helpOpened.clear();
        window.reset(CreateForm<TfrmAdvanced>(nullptr));
        frmAdvanced = window.get();
        EXPECT_EQ(RunModal(c.act), c.result);
        frmAdvanced = nullptr;
        Application->ResetTerminated();
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        EXPECT_EQ(ChangesPending, c.pending);
    }
    // Only "Accelerate Me !" kept its choice; CANCEL and the close took theirs back.
    EXPECT_EQ(RecordText("ttl"), "");
    EXPECT_EQ(RecordText("ska"), "600000");
    EXPECT_EQ(dialogs, std::vector<std::string>{QuitQuestion});
    ASSERT_EQ(helpOpened.size(), 1u);
    EXPECT_EQ(helpOpened[0].parent, window->Handle());
    EXPECT_EQ(helpOpened[0].file, HelpPageName);
    EXPECT_EQ(helpOpened[0].folder, "C:\\Brisbolt");
}

// Every way out but "Accelerate Me !" takes the window's choices back: each
// value of the record as it was, in its own type, and a value that was
// missing is missing again.
TEST_F(AdvancedWindowTest, LeavingWithoutAcceptingTakesTheChoicesBack) {
    Machine(Windows2000);
    {
        // As an earlier run may have left it, in types the setters do not
        // write; "line", "ndi" and "PMTUBlackHoleDetect" are missing.
        auto key = ActiveRegistry().OpenForWriting(RootKey::CurrentUser, ProgramKey, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->Set("mtu", StringValue("1500")));
        ASSERT_TRUE(key->Set("rwin", DwordValue(64240)));
        ASSERT_TRUE(key->Set("ttl", StringValue("64", RegExpandSz)));
        ASSERT_TRUE(key->Set("ska", StringValue("3600000")));
        ASSERT_TRUE(key->Set("PMTUDiscover", DwordValue(1)));
    }
    const std::string before = Record();
    const struct {
        const char* name;
        std::function<void(TfrmAdvanced&)> leave;
        int result;
    } ways[] = {
        {"CANCEL", [](TfrmAdvanced& w) { w.btnCancel->Click(); }, mrNo},
        {"Esc", [](TfrmAdvanced&) { keytest::PressKey(VK_ESCAPE); }, mrNo},
        {"Alt+F4",
         [](TfrmAdvanced& w) {
             const HWND focus = GetFocus() ? GetFocus() : w.Handle();
             PostMessageA(focus, WM_SYSKEYDOWN, VK_F4, MAKELPARAM(1, MapVirtualKeyA(VK_F4, 0) | KF_ALTDOWN));
             Application->ProcessMessages();
         },
         mrNo},
        {"closed by another program", [](TfrmAdvanced& w) { PostMessageA(w.Handle(), WM_CLOSE, 0, 0); }, mrNo},
        {"Min", [](TfrmAdvanced& w) { w.btnMinimize->Click(); }, mrRetry},
        {"the program ending", [](TfrmAdvanced&) { Application->Terminate(); }, mrCancel},
        {"Accelerate Me !", [](TfrmAdvanced& w) { w.btnAccelerateMe->Click(); }, mrYes},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        window.reset(CreateForm<TfrmAdvanced>(nullptr));
        frmAdvanced = window.get();
        std::string chosen;
        EXPECT_EQ(RunModal([&](TfrmAdvanced& w) {
                      for (TRadioButton* radio : {w.rbtnMTU576, w.rbtnLineGood, w.rbtnNDI32, w.rbtnTTL128, w.rbtnSKA10,
                                                  w.rbtnMTUAutoNo, w.rbtnBlackHoleYes})
                          Click(radio);
                      chosen = Record();
                      way.leave(w);
                  }),
                  way.result);
        frmAdvanced = nullptr;
        Application->ResetTerminated();
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        EXPECT_NE(chosen, before);
        EXPECT_EQ(Record(), way.result == mrYes ? chosen : before);
    }
    EXPECT_EQ(RecordText("mtu"), "576");
    EXPECT_TRUE(GetLine());
}

TEST_F(AdvancedWindowTest, HoverColoursGroupsRadioButtonsAndButtons) {
    Machine(Windows2000);
    TfrmAdvanced& w = Open();
    auto moveOver = [](TWinControl* control, int x, int y) {
        SendMessageA(control->Handle(), WM_MOUSEMOVE, 0, At(x, y));
        Application->ProcessMessages();
    };
    // The group box takes the mouse itself rather than passing it beneath.
    POINT inside{w.gboxTTL->Width() - 4, w.gboxTTL->Height() - 4};
    ClientToScreen(w.gboxTTL->Handle(), &inside);
    EXPECT_EQ(SendMessageA(w.gboxTTL->Handle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);

    moveOver(w.gboxMTU, 150, 5);
    EXPECT_EQ(w.HighlightedGroup(), w.gboxMTU);
    EXPECT_EQ(w.gboxMTU->Font.Color(), clLime);
    moveOver(w.rbtnMTU1492, 5, 5);
    EXPECT_EQ(w.HighlightedRadio(), w.rbtnMTU1492);
    EXPECT_EQ(w.rbtnMTU1492->Font.Color(), clLime);
    // A radio button of another group first lights its group.
    moveOver(w.rbtnTTL64, 5, 5);
    EXPECT_EQ(w.HighlightedGroup(), w.gboxTTL);
    EXPECT_EQ(w.gboxMTU->Font.Color(), clSilver);
    EXPECT_EQ(w.rbtnMTU1492->Font.Color(), clSilver);
    EXPECT_EQ(w.HighlightedRadio(), nullptr);
    moveOver(w.rbtnTTL64, 6, 5);
    EXPECT_EQ(w.rbtnTTL64->Font.Color(), clLime);
    moveOver(&w, w.btnCancel->Left() + 10, w.btnCancel->Top() + 10);
    EXPECT_EQ(w.HighlightedButton(), w.btnCancel);
    EXPECT_EQ(w.btnCancel->Font.Color(), HoverGreen);
    skintest::SnapshotOf(&w, "advanced_hover");

    moveOver(&w, 300, 445);  // the background below the groups
    EXPECT_EQ(w.HighlightedGroup(), nullptr);
    EXPECT_EQ(w.HighlightedRadio(), nullptr);
    EXPECT_EQ(w.HighlightedButton(), nullptr);
    EXPECT_EQ(w.gboxTTL->Font.Color(), clSilver);
    EXPECT_EQ(w.rbtnTTL64->Font.Color(), clSilver);
    EXPECT_EQ(w.btnCancel->Font.Color(), clBlack);

    // The keep-alive arrows step by five minutes within 5 to 60.
    HWND arrows = FindWindowExA(w.gboxSKA->Handle(), nullptr, "msctls_updown32", nullptr);
    ASSERT_TRUE(arrows);
    RECT box;
    GetClientRect(arrows, &box);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, At(box.right / 2, box.bottom * 3 / 4));
    SendMessageA(arrows, WM_LBUTTONUP, 0, At(box.right / 2, box.bottom * 3 / 4));
    EXPECT_EQ(w.spinSKA->Value(), 55);
}

// Every caption fits: the radio buttons' beside their circle, the groups'
// within the frame, and nothing reaches past its group or the window's frame.
TEST_F(AdvancedWindowTest, EveryCaptionFitsItsControl) {
    Machine(WindowsXp);
    TfrmAdvanced& w = Open();
    ClientDC dc(w.Handle());
    auto textWidth = [&](TControl* control) {
        ScopedSelect font(dc.get(), control->Font.Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), control->Caption().c_str(), static_cast<int>(control->Caption().size()), &size);
        return static_cast<int>(size.cx);
    };
    const int circle = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    int groups = 0, radios = 0;
    for (TControl* child : w.Controls()) {
        auto* group = dynamic_cast<TGroupBox*>(child);
        if (!group) continue;
        ++groups;
        SCOPED_TRACE(group->Name);
        EXPECT_LE(textWidth(group) + 16, group->Width());
        EXPECT_GE(group->Left(), 12);
        EXPECT_LE(group->Left() + group->Width(), 588);
        EXPECT_GE(group->Top(), 52);
        EXPECT_LE(group->Top() + group->Height(), w.lblWaitToPress->Top());
        for (TControl* inside : group->Controls()) {
            EXPECT_LE(inside->Left() + inside->Width(), group->Width() - 2) << inside->Name;
            EXPECT_LE(inside->Top() + inside->Height(), group->Height() - 2) << inside->Name;
            if (auto* radio = dynamic_cast<TRadioButton*>(inside)) {
                ++radios;
                EXPECT_LE(circle + textWidth(radio), radio->Width()) << radio->Name;
            }
        }
    }
    EXPECT_EQ(groups, 8);
    EXPECT_EQ(radios, 33);
    EXPECT_LE(textWidth(w.lblWaitToPress), w.lblWaitToPress->Width());
    EXPECT_LE(textWidth(w.lblBottomLine), w.lblBottomLine->Width());
}

// The keyboard as the window reads: the title buttons, the groups column
// by column (each group at its selected value, then its number field), the
// buttons below. The arrows choose within a group as a click does.
TEST_F(AdvancedWindowTest, TheKeyboardGoesAsTheWindowReadsAndChoosesAsAClickDoes) {
    using namespace keytest;
    Machine(Windows2000);
    TfrmAdvanced& w = Open();
    const std::string before = Record();
    EXPECT_EQ(FocusedName(w), "rbtnMTU1500");
    const std::vector<std::string> round{
        "comboMTUManual",  "btnFindMtu",     "rbtnNDIDefault", "rbtnRWINManual", "spinRWINMultiplier", "rbtnTTL128",
        "rbtnBlackHoleNo", "rbtnMTUAutoYes", "rbtnSKADefault", "spinSKA",        "rbtnLineBad",        "btnCancel",
        "btnHelp",         "btnMinimize",    "btnClose",       "rbtnMTU1500"};
    EXPECT_EQ(TabRound(w, round.size()), round);
    std::vector<std::string> back(round.rbegin() + 1, round.rend());
    back.push_back("rbtnMTU1500");
    EXPECT_EQ(TabRound(w, back.size(), true), back);
    EXPECT_EQ(Record(), before);  // Tab chooses nothing

    const struct {
        WORD key;
        const char* radio;
        const char* mtu;
        const char* rwin;  // the manual multiple 44 of the new MSS
    } mtus[] = {{VK_DOWN, "rbtnMTU4464", "4464", "194656"},
                {VK_UP, "rbtnMTU1500", "1500", "64240"},
                {VK_LEFT, "rbtnMTU1492", "1492", "63888"}};
    for (const auto& step : mtus) {
        SCOPED_TRACE(step.radio);
        PressKey(step.key);
        EXPECT_EQ(FocusedName(w), step.radio);
        EXPECT_EQ(RecordText("mtu"), step.mtu);
        EXPECT_EQ(RecordText("rwin"), step.rwin);
    }
    EXPECT_TRUE(ChangesPending);
    EXPECT_TRUE(w.btnAccelerateMe->Enabled());
    // The number box keeps its arrows: no MTU is chosen by them.
    PressKey(VK_TAB);
    ASSERT_EQ(FocusedName(w), "comboMTUManual");
    PressKey(VK_UP);
    EXPECT_EQ(FocusedName(w), "comboMTUManual");
    EXPECT_EQ(RecordText("mtu"), "1492");
    // The line, Bad to Good and back, each by one arrow.
    PressKey(VK_TAB, true);
    PressKeys(VK_TAB, 11);  // "Find..." is a stop too
    ASSERT_EQ(FocusedName(w), "rbtnLineBad");
    PressKey(VK_RIGHT);
    EXPECT_EQ(FocusedName(w), "rbtnLineGood");
    EXPECT_TRUE(GetLine());
    PressKey(VK_LEFT);
    EXPECT_FALSE(GetLine());
    // "Accelerate Me !", enabled by the changes, is a stop now.
    EXPECT_EQ(TabRound(w, 2), (std::vector<std::string>{"btnAccelerateMe", "btnCancel"}));
    // Esc is CANCEL: No, and the choices are taken back.
    PressKey(VK_ESCAPE);
    EXPECT_EQ(w.ModalResult, mrNo);
    EXPECT_FALSE(ChangesPending);
    EXPECT_EQ(Record(), before);
}

TEST_F(AdvancedWindowTest, EnterOnAccelerateMeAfterAChoiceByTheKeyboard) {
    using namespace keytest;
    Machine(WindowsXp);
    TfrmAdvanced& w = Open();
    std::string pressedOn;
    const int result = RunModal([&](TfrmAdvanced& f) {
        PressKey(VK_DOWN);  // "576 (most modems)"
        PressKeys(VK_TAB, 5, true);
        pressedOn = FocusedName(f);
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(pressedOn, "btnAccelerateMe");
    EXPECT_EQ(result, mrYes);
    EXPECT_TRUE(ChangesPending);
    EXPECT_EQ(RecordText("mtu"), "576");
    EXPECT_TRUE(w.rbtnMTU576->Checked());
}

}  // namespace
}  // namespace brisbolt
