// The Advanced window under real windows: its start on the values of a
// Windows 2000 and a Windows XP machine, also for a user who may only read
// them, one road of clicks checked against the settings record, and a
// measured MTU. Pictures of the window go to the snapshots folder.
#include <gtest/gtest.h>

#include "tests/tuning/AdvancedWindowSupport.h"

namespace brisbolt {
namespace {

using namespace advancedtest;

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

}  // namespace
}  // namespace brisbolt
