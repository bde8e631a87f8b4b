// The Advanced window under real windows: the ways out with their results
// and what they leave in the record, help, the hover colours, the captions
// and the keyboard.
#include <gtest/gtest.h>

#include "tests/tuning/AdvancedWindowSupport.h"

namespace brisbolt {
namespace {

using namespace advancedtest;

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
