// The "Find..." window under real windows, on scripted lines that answer
// slowly enough to be seen at work: a search from start to "Use this MTU",
// the keyboard, and the ways out that stop a search under way. Pictures of
// the window before, during and after a search go to the snapshots folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "runtime/Application.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"
#include "tuning/frmFindMtu.h"

namespace brisbolt {
namespace {

// Packets up to `mtu` bytes pass; larger ones are dropped in silence. Each
// echo takes `delay` ms, as a real one takes its time.
struct SlowLine : EchoLine {
    SlowLine(int mtu, DWORD delay, LineOpening opening = LineOpening::Open)
        : mtu(mtu), delay(delay), opening(opening) {}
    int mtu;
    DWORD delay;
    LineOpening opening;
    LineOpening Open(const std::string&) override { return opening; }
    EchoReply Echo(int dataBytes, bool dontFragment) override {
        Sleep(delay);
        EchoReply reply;
        if (!dontFragment || dataBytes + EchoHeaderBytes <= mtu) reply.kind = EchoReply::Kind::Success;
        return reply;
    }
};

// Runs messages until `done` or the limit: generous, the machine is busy.
bool WaitFor(const std::function<bool()>& done, DWORD limit = 60000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limit) return false;
        Application->ProcessMessages();
        Sleep(10);
    }
    return true;
}

class FindMtuWindowTest : public ::testing::Test {
protected:
    TfrmFindMtu& Open(std::function<std::unique_ptr<EchoLine>()> line, const std::string& host = "127.10.2.2") {
        window.reset(new TfrmFindMtu(nullptr, host));
        window->AfterConstruction();
        window->MtuProbe1->MakeLine = std::move(line);
        window->Show();
        Application->ProcessMessages();
        return *window;
    }
    bool Contains(const std::string& part) const { return window->ProgressText().find(part) != std::string::npos; }

    std::unique_ptr<TfrmFindMtu> window;
};

TEST_F(FindMtuWindowTest, SearchesWhileTheWindowAnswersAndOffersTheMtu) {
    TfrmFindMtu& w = Open([] { return std::make_unique<SlowLine>(1400, 120); });
    EXPECT_EQ(w.comboHost->Text(), "127.10.2.2");
    EXPECT_FALSE(w.btnUseMtu->Enabled());
    EXPECT_TRUE(Contains("Press Start"));
    skintest::SnapshotOf(&w, "findmtu_before");

    w.btnStartClick(w.btnStart);
    ASSERT_TRUE(WaitFor([&] { return Contains("step 5 of about 14"); })) << w.ProgressText();
    EXPECT_TRUE(w.MtuProbe1->Busy());
    // A second Start while searching changes nothing.
    w.btnStartClick(w.btnStart);
    EXPECT_TRUE(w.MtuProbe1->Busy());
    EXPECT_TRUE(Contains("Measuring the line to 127.10.2.2"));
    EXPECT_TRUE(Contains("bytes (MTU "));
    skintest::SnapshotOf(&w, "findmtu_during");

    ASSERT_TRUE(WaitFor([&] { return !w.MtuProbe1->Busy(); })) << w.ProgressText();
    EXPECT_TRUE(Contains("The largest packet that reaches 127.10.2.2 unfragmented is 1372 bytes: an MTU of 1400."))
        << w.ProgressText();
    EXPECT_EQ(w.FoundMtu(), 1400);
    EXPECT_TRUE(w.btnUseMtu->Enabled());
    skintest::SnapshotOf(&w, "findmtu_after");
    // And as the screen shows it: the text's scroll bar is drawn outside
    // what the window prints.
    TBitmap screen;
    screen.SetSize(w.Width(), w.Height());
    HDC windowDc = GetDC(w.Handle());
    BitBlt(screen.DC(), 0, 0, w.Width(), w.Height(), windowDc, 0, 0, SRCCOPY);
    ReleaseDC(w.Handle(), windowDc);
    skintest::SaveSnapshot(screen, "findmtu_after_screen");

    w.btnUseMtuClick(w.btnUseMtu);
    EXPECT_EQ(w.ModalResult, mrOk);
}

TEST_F(FindMtuWindowTest, PlainReasonsAndNothingToUse) {
    const struct {
        LineOpening opening;
        std::string host;
        const char* shown;
    } cases[] = {
        {LineOpening::UnknownHost, "no.such.host", "The host name no.such.host is unknown."},
        {LineOpening::NoIcmp, "127.10.2.2", "no ping functions"},
        {LineOpening::NoTcpIp, "127.10.2.2", "TCP/IP is not installed"},
        {LineOpening::Open, " ", "Type the name or the address of a host"},
    };
    for (const auto& c : cases) {
        const LineOpening opening = c.opening;
        TfrmFindMtu& w = Open([opening] { return std::make_unique<SlowLine>(1500, 1, opening); }, c.host);
        w.btnStartClick(w.btnStart);
        ASSERT_TRUE(WaitFor([&] { return !w.MtuProbe1->Busy(); }));
        EXPECT_TRUE(Contains(c.shown)) << w.ProgressText();
        EXPECT_FALSE(w.btnUseMtu->Enabled()) << c.shown;
        EXPECT_EQ(w.FoundMtu(), 0);
    }
}

TEST_F(FindMtuWindowTest, TheWaysOutStopASearchUnderWay) {
    const struct {
        const char* way;
        std::function<void(TfrmFindMtu&)> leave;
    } ways[] = {
        {"CANCEL", [](TfrmFindMtu& w) { w.btnCancelClick(w.btnCancel); }},
        {"Esc", [](TfrmFindMtu&) { keytest::PressKey(VK_ESCAPE); }},
        {"Alt+F4", [](TfrmFindMtu& w) { SendMessageA(w.Handle(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways) {
        TfrmFindMtu& w = Open([] { return std::make_unique<SlowLine>(1400, 200); });
        w.btnStartClick(w.btnStart);
        ASSERT_TRUE(WaitFor([&] { return Contains("step 2"); })) << way.way;
        const std::string during = w.ProgressText();
        way.leave(w);
        Application->ProcessMessages();
        EXPECT_FALSE(w.MtuProbe1->Busy()) << way.way;
        // Shown modally the window would end with mrCancel; shown as here,
        // Alt+F4 hides it.
        EXPECT_TRUE(w.ModalResult == mrCancel || !IsWindowVisible(w.Handle())) << way.way;
        // The worker ends by itself and tells the window nothing more.
        Sleep(500);
        Application->ProcessMessages();
        EXPECT_EQ(w.ProgressText(), during) << way.way;
        EXPECT_EQ(w.FoundMtu(), 0) << way.way;
    }
}

TEST_F(FindMtuWindowTest, TheKeyboardStartsAndUses) {
    TfrmFindMtu& w = Open([] { return std::make_unique<SlowLine>(1492, 1); });
    EXPECT_EQ(keytest::FocusedName(w), "comboHost");
    EXPECT_EQ(keytest::TabRound(w, 2), (std::vector<std::string>{"btnStart", "btnCancel"}));
    keytest::PressKey(VK_TAB, true);  // back to Start
    EXPECT_EQ(keytest::FocusedName(w), "btnStart");
    keytest::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !w.MtuProbe1->Busy() && w.btnUseMtu->Enabled(); })) << w.ProgressText();
    EXPECT_TRUE(Contains("1492 is what PPPoE")) << w.ProgressText();
    EXPECT_TRUE(Contains("Windows 2000 and XP")) << w.ProgressText();
    keytest::PressKey(VK_TAB);
    EXPECT_EQ(keytest::FocusedName(w), "btnUseMtu");
    keytest::PressKey(VK_RETURN);
    EXPECT_EQ(w.ModalResult, mrOk);
    EXPECT_EQ(w.FoundMtu(), 1492);
}

}  // namespace
}  // namespace brisbolt
