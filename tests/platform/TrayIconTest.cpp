// The tray icon: what it tells the shell, and how the shell's callbacks
// turn into events. One case talks to the real notification area.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/TrayIcon.h"
#include "runtime/Application.h"

using namespace brisbolt;

namespace {

struct ShellCall {
    DWORD message;
    NotifyIconRecord data;
    BOOL result;
    std::string Tip() const { return data.szTip; }
};
std::vector<ShellCall> shellCalls;
bool forwardToShell = false;

BOOL WINAPI WatchShell(DWORD message, NotifyIconRecord* data) {
    const BOOL result = forwardToShell ? SystemShellNotify(message, data) : TRUE;
    shellCalls.push_back({message, *data, result});
    return result;
}

void Pump(DWORD milliseconds = 0) {
    const DWORD until = GetTickCount() + milliseconds;
    do {
        Application->ProcessMessages();
        if (milliseconds) Sleep(10);
    } while (GetTickCount() < until);
}

// While a menu is open: note it, move the mouse away, close the menu.
bool menuSeen = false;
void CALLBACK CloseMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND popup = FindWindowA("#32768", nullptr);
    menuSeen = popup && IsWindowVisible(popup);
    SetCursorPos(400, 300);
    EndMenu();
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ShellNotify;
        ShellNotify = WatchShell;
        shellCalls.clear();
        forwardToShell = false;
    }
    void TearDown() override {
        tray_.reset();
        ShellNotify = saved_;
    }
    LRESULT Callback(UINT mouseMessage) {
        return SendMessageA(tray_->WindowHandle(), WM_TRAYICON, 0, static_cast<LPARAM>(mouseMessage));
    }
    std::unique_ptr<TTrayIcon> tray_ = std::make_unique<TTrayIcon>(nullptr);

private:
    ShellNotifyFunction saved_ = nullptr;
};

}  // namespace

TEST_F(TrayIconTest, ActiveAddsAndRemovesOnlyOnChange) {
    TIcon icon;
    icon.Assign(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    tray_->SetIcon(icon);
    tray_->SetToolTip("Brisbolt");
    EXPECT_TRUE(shellCalls.empty()) << "an inactive icon only stores its changes";

    tray_->SetActive(true);
    tray_->SetActive(true);
    ASSERT_EQ(shellCalls.size(), 1u);
    const auto& add = shellCalls[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.data.cbSize, 88u);
    EXPECT_EQ(add.data.hWnd, tray_->WindowHandle());
    EXPECT_EQ(add.data.uID, 0u);
    EXPECT_EQ(add.data.uFlags, 7u);
    EXPECT_EQ(add.data.uCallbackMessage, 1025u);
    EXPECT_EQ(add.data.hIcon, tray_->Icon().Handle());
    EXPECT_NE(add.data.hIcon, icon.Handle()) << "the component keeps its own copy";
    EXPECT_EQ(add.Tip(), "Brisbolt");

    tray_->SetIcon(tray_->Icon());
    EXPECT_EQ(shellCalls.size(), 1u) << "its own icon object changes nothing";
    tray_->SetIcon(icon);
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(shellCalls[1].message, static_cast<DWORD>(NIM_MODIFY));

    tray_->SetActive(false);
    tray_->SetActive(false);
    ASSERT_EQ(shellCalls.size(), 3u);
    EXPECT_EQ(shellCalls[2].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shellCalls[2].data.hWnd, tray_->WindowHandle());

    tray_->SetActive(true);
    tray_.reset();
    ASSERT_EQ(shellCalls.size(), 5u);
    EXPECT_EQ(shellCalls[4].message, static_cast<DWORD>(NIM_DELETE)) << "an active icon goes with its component";
}

TEST_F(TrayIconTest, ToolTipKeepsAtMost62Characters) {
    tray_->SetActive(true);
    Pump();
    for (std::size_t length : {1u, 61u, 62u, 63u, 64u, 200u}) {
        shellCalls.clear();
        std::string text(length, 'x');
        text[0] = 'A';
        tray_->SetToolTip(text);
        const std::size_t kept = length < 62 ? length : 62;
        EXPECT_EQ(tray_->ToolTip(), text.substr(0, kept));
        ASSERT_EQ(shellCalls.size(), 1u);
        EXPECT_EQ(shellCalls[0].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(shellCalls[0].Tip(), text.substr(0, kept));
    }
}

TEST_F(TrayIconTest, AddWithEmptyToolTipAppliesTheLaterOneOnce) {
    tray_->SetActive(true);
    ASSERT_EQ(shellCalls.size(), 1u);
    tray_->SetToolTip("Set while the reset is on its way");
    // Count the resets waiting, then let them run.
    int resets = 0;
    MSG msg;
    while (PeekMessageA(&msg, tray_->WindowHandle(), WM_RESETTOOLTIP, WM_RESETTOOLTIP, PM_REMOVE)) {
        ++resets;
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(resets, 1);
    ASSERT_EQ(shellCalls.size(), 3u);
    EXPECT_EQ(shellCalls[2].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shellCalls[2].Tip(), "Set while the reset is on its way");

    // With a tooltip in place nothing is posted.
    tray_->SetActive(false);
    tray_->SetActive(true);
    EXPECT_FALSE(PeekMessageA(&msg, tray_->WindowHandle(), WM_RESETTOOLTIP, WM_RESETTOOLTIP, PM_NOREMOVE));
}

TEST_F(TrayIconTest, LeftButtonCallbacksBecomeClicks) {
    std::vector<std::string> events;
    tray_->OnClick = [&](TComponent* sender) { events.push_back(sender == tray_.get() ? "click" : "?"); };
    tray_->OnDblClick = [&](TComponent* sender) { events.push_back(sender == tray_.get() ? "double" : "?"); };
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN,
                   WM_MBUTTONUP}) {
        EXPECT_EQ(Callback(m), 0);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"click", "double", "click"}));

    tray_->OnClick = nullptr;
    tray_->OnDblClick = nullptr;
    Callback(WM_LBUTTONUP);
    Callback(WM_LBUTTONDBLCLK);
    Callback(WM_RBUTTONUP);  // no menu, no handler: nothing at all
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(TrayIconTest, RightClickReportsWhereTheButtonWasReleased) {
    std::vector<POINT> reported;
    tray_->OnRightClick = [&](TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
        EXPECT_EQ(button, TMouseButton::Right);
        EXPECT_EQ(shift, 0u);
        reported.push_back({x, y});
    };
    SetCursorPos(101, 121);
    Callback(WM_RBUTTONUP);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].x, 101);
    EXPECT_EQ(reported[0].y, 121);

    // With a menu: it opens at the cursor, and the position stays the one
    // read before it opened even though the mouse moves meanwhile.
    TPopupMenu menu(nullptr);
    TMenuItem item(nullptr);
    item.Caption = "&Close";
    menu.Add(&item);
    tray_->PopupMenu = &menu;
    menuSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, CloseMenuLater);
    ASSERT_NE(timer, 0u);
    SetCursorPos(150, 160);
    Callback(WM_RBUTTONUP);
    EXPECT_TRUE(menuSeen);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[1].x, 150);
    EXPECT_EQ(reported[1].y, 160);
    tray_->PopupMenu = nullptr;
}

TEST_F(TrayIconTest, ARestartedShellGetsTheIconBack) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    tray_->SetToolTip("Brisbolt");
    DWORD_PTR result = 0;
    // As the shell does it: to every top-level window.
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    EXPECT_TRUE(shellCalls.empty()) << "an inactive icon stays away";

    tray_->SetActive(true);
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(shellCalls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shellCalls[1].Tip(), "Brisbolt");
    EXPECT_EQ(shellCalls[1].data.hWnd, tray_->WindowHandle());
}

TEST_F(TrayIconTest, RealNotificationArea) {
    forwardToShell = true;
    TIcon icon;
    icon.Assign(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    tray_->SetIcon(icon);
    tray_->SetActive(true);
    tray_->SetToolTip("Brisbolt under test");
    Pump(300);
    HWND trayWindow = FindWindowA(nullptr, "Wine System Tray");
    const bool shown = trayWindow && IsWindowVisible(trayWindow);

    std::vector<std::string> events;
    tray_->OnClick = [&](TComponent*) { events.push_back("click"); };
    if (shown) {
        // A real click on the icon comes back through the shell.
        // The first icon sits in the middle of the first 18 x 20 cell.
        POINT icon{9, 10};
        ClientToScreen(trayWindow, &icon);
        SetCursorPos(icon.x, icon.y);
        Pump(100);
        INPUT clicks[2]{};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        for (int i = 0; i < 50 && events.empty(); ++i) Pump(20);
    }
    tray_->SetActive(false);
    Pump(300);

    ASSERT_EQ(shellCalls.size(), 4u);
    for (const auto& call : shellCalls) EXPECT_TRUE(call.result) << "shell message " << call.message;
    EXPECT_TRUE(shown) << "the icon appears in Wine's tray window";
    EXPECT_EQ(events, std::vector<std::string>{"click"});
}
