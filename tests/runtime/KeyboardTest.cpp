// The keyboard in the class library's windows, with the keys going through
// the program's own message loop: Tab and Shift+Tab in the tab order, the
// arrow keys within a group of radio buttons, Space, Enter and Esc, focus
// handed on from a control that goes, and back after another window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/StdControls.h"
#include "tests/skin_wine/KeySupport.h"

namespace brisbolt {
namespace {

using namespace keytest;

// A button without a window: counts its clicks, shows its Space press.
class Key final : public TGraphicControl {
public:
    Key(TWinControl* parent, const char* name, int left) : TGraphicControl(parent) {
        Name = name;
        tabStop_ = true;
        SetParent(parent);
        SetBounds(left, 4, 30, 20);
        OnClick = [this](TComponent*) { ++clicks; };
    }
    int clicks = 0;
    bool pressedLook = false;

protected:
    void ShowKeyPress(bool pressed) override { pressedLook = pressed; }
};

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->ResetTerminated();
        form = CreateForm<TForm>(nullptr);
        form->Name = "form";
        form->BorderStyle = TBorderStyle::None;
        form->SetBounds(120, 120, 300, 160);
    }
    void TearDown() override {
        delete form;
        Application->ResetTerminated();
    }
    TRadioButton* Radio(TWinControl* parent, const char* name, int top) {
        auto* radio = new TRadioButton(form);
        radio->Name = name;
        radio->SetParent(parent);
        radio->SetBounds(4, top, 100, 17);
        radio->OnClick = [this](TComponent* sender) { clicked.push_back(sender->Name); };
        return radio;
    }
    TPanel* Panel(const char* name, int left) {
        auto* panel = new TPanel(form);
        panel->Name = name;
        panel->SetParent(form);
        panel->SetBounds(left, 40, 120, 80);
        return panel;
    }
    void ShowActive() {
        form->Show();
        Application->ProcessMessages();
        ASSERT_EQ(GetActiveWindow(), form->Handle());
    }

    TForm* form = nullptr;
    std::vector<std::string> clicked;
};

TEST_F(KeyboardTest, TabVisitsTheStopsInTheirOrderAndShiftTabGoesBack) {
    Key* a = new Key(form, "a", 4);
    Key* gone = new Key(form, "gone", 40);
    Key* off = new Key(form, "off", 76);
    TPanel* group = Panel("group", 4);
    Radio(group, "r1", 4);
    TRadioButton* r2 = Radio(group, "r2", 24);
    Radio(group, "r3", 44);
    TPanel* none = Panel("none", 130);
    Radio(none, "n1", 4);
    Radio(none, "n2", 24);
    Key* last = new Key(form, "last", 112);
    auto* combo = new TComboBox(form);
    combo->Name = "combo";
    combo->Style = TComboBoxStyle::DropDown;
    combo->SetParent(none);
    combo->SetBounds(4, 50, 100, 21);
    auto* memo = new TMemo(form);
    memo->Name = "memo";
    memo->SetParent(form);
    memo->SetBounds(260, 4, 30, 30);
    memo->SetTabStop(false);
    gone->SetVisible(false);
    off->SetEnabled(false);
    r2->SetChecked(true);
    clicked.clear();
    // "last" first, then the rest in creation order.
    form->SetTabOrder({last, a});
    ShowActive();
    // The form's first stop has the keyboard.
    EXPECT_EQ(FocusedName(*form), "last");
    // A group: its checked radio button; one with none checked: its first.
    const std::vector<std::string> round{"a", "r2", "n1", "combo", "last"};
    EXPECT_EQ(TabRound(*form, round.size()), round);
    const std::vector<std::string> back{"combo", "n1", "r2", "a", "last"};
    EXPECT_EQ(TabRound(*form, back.size(), true), back);
    // Tab selects nothing, and it passes by what is hidden or disabled
    // until it is shown and enabled.
    EXPECT_TRUE(clicked.empty());
    gone->SetVisible(true);
    off->SetEnabled(true);
    EXPECT_EQ(TabRound(*form, 3), (std::vector<std::string>{"a", "gone", "off"}));
}

TEST_F(KeyboardTest, ArrowsMoveWithinAGroupAndSelectAsAClickDoesOnce) {
    TPanel* group = Panel("group", 4);
    TRadioButton* r1 = Radio(group, "r1", 4);
    TRadioButton* r2 = Radio(group, "r2", 24);
    TRadioButton* r3 = Radio(group, "r3", 44);
    TPanel* other = Panel("other", 130);
    TRadioButton* o1 = Radio(other, "o1", 4);
    Radio(other, "o2", 24);
    r1->SetChecked(true);
    o1->SetChecked(true);
    clicked.clear();
    ShowActive();
    ASSERT_EQ(FocusedName(*form), "r1");
    const struct {
        WORD key;
        const char* to;
    } steps[] = {{VK_DOWN, "r2"}, {VK_DOWN, "r3"},  {VK_DOWN, "r1"}, {VK_UP, "r3"},
                 {VK_LEFT, "r2"}, {VK_RIGHT, "r3"}, {VK_UP, "r2"}};
    std::vector<std::string> expected;
    for (const auto& step : steps) {
        PressKey(step.key);
        EXPECT_EQ(FocusedName(*form), step.to);
        expected.push_back(step.to);
        for (TRadioButton* radio : {r1, r2, r3}) {
            EXPECT_EQ(radio->Checked(), radio->Name == step.to) << step.to;
        }
    }
    // Each selection ran the handler once; the other group is untouched.
    EXPECT_EQ(clicked, expected);
    EXPECT_TRUE(o1->Checked());
    // Tab stops at the radio button now checked, Space on it changes nothing.
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedName(*form), "o1");
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedName(*form), "r2");
    PressKey(VK_SPACE);
    EXPECT_EQ(clicked, expected);
    EXPECT_TRUE(r2->Checked());
}

TEST_F(KeyboardTest, SpaceAndEnterPressTheFocusedButtonAndEscClicksTheCancelControl) {
    Key* ok = new Key(form, "ok", 4);
    Key* cancel = new Key(form, "cancel", 40);
    ShowActive();
    ASSERT_EQ(FocusedName(*form), "ok");
    // Space: pressed while held, one click on the release.
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_SPACE, 1 | (KF_REPEAT << 16));
    Application->ProcessMessages();
    EXPECT_TRUE(ok->pressedLook);
    EXPECT_EQ(ok->clicks, 0);
    PostMessageA(GetFocus(), WM_KEYUP, VK_SPACE, 1);
    Application->ProcessMessages();
    EXPECT_FALSE(ok->pressedLook);
    EXPECT_EQ(ok->clicks, 1);
    PressKey(VK_RETURN);
    EXPECT_EQ(ok->clicks, 2);
    // Space held and the keyboard taken away: no click, no pressed look.
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_SPACE, 1);
    Application->ProcessMessages();
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedName(*form), "cancel");
    EXPECT_FALSE(ok->pressedLook);
    EXPECT_EQ(ok->clicks, 2);
    // Esc: nothing without a cancel control, or with one that cannot be pressed.
    PressKey(VK_ESCAPE);
    form->CancelControl = cancel;
    cancel->SetEnabled(false);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancel->clicks, 0);
    cancel->SetEnabled(true);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancel->clicks, 1);
    EXPECT_EQ(ok->clicks, 2);
    EXPECT_EQ(FocusedName(*form), "ok");
    // A disabled button takes no key.
    ok->SetEnabled(false);
    EXPECT_EQ(FocusedName(*form), "cancel");
    PressKey(VK_RETURN);
    PressKey(VK_SPACE);
    EXPECT_EQ(cancel->clicks, 3);
    EXPECT_EQ(ok->clicks, 2);
}

TEST_F(KeyboardTest, AControlThatGoesHandsTheKeyboardOnAndItComesBackAfterAnotherWindow) {
    Key* a = new Key(form, "a", 4);
    Key* b = new Key(form, "b", 40);
    TPanel* group = Panel("group", 4);
    TRadioButton* r = Radio(group, "r", 4);
    form->ActiveControl = group;
    // Not shown yet: where the keyboard goes once the form is activated.
    b->SetFocus();
    ShowActive();
    EXPECT_EQ(FocusedName(*form), "b");
    // Hidden or disabled with the keyboard: it goes to the form's choice.
    b->SetVisible(false);
    EXPECT_EQ(FocusedName(*form), "r");
    a->SetFocus();
    a->SetEnabled(false);
    EXPECT_EQ(FocusedName(*form), "r");
    EXPECT_FALSE(a->CanFocus());
    a->SetFocus();
    EXPECT_EQ(FocusedName(*form), "r");
    // A container hidden with the keyboard within: the same.
    a->SetEnabled(true);
    group->SetVisible(false);
    EXPECT_EQ(FocusedName(*form), "a");
    EXPECT_FALSE(r->CanFocus());
    group->SetVisible(true);
    r->SetFocus();

    // Another window of the program, then this one again: back on "r".
    TForm* other = CreateForm<TForm>(nullptr);
    other->BorderStyle = TBorderStyle::None;
    other->SetBounds(200, 200, 50, 50);
    other->Show();
    Application->ProcessMessages();
    EXPECT_NE(GetActiveWindow(), form->Handle());
    EXPECT_FALSE(r->Focused());
    form->Show();
    Application->ProcessMessages();
    EXPECT_EQ(FocusedName(*form), "r");
    delete other;
}

}  // namespace
}  // namespace brisbolt
