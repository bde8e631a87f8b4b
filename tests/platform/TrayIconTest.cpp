// The tray icon: what it tells the shell, how the shell's callbacks become
// events, and once the real notification area.
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
};
std::vector<ShellCall> shell;
bool realShell = false;
BOOL WINAPI Watch(DWORD message, NotifyIconRecord* data) {
    shell.push_back({message, *data, realShell ? SystemShellNotify(message, data) : TRUE});
    return shell.back().result;
}

void Pump(DWORD ms) {
    for (DWORD until = GetTickCount() + ms; GetTickCount() < until; Sleep(10)) Application->ProcessMessages();
}

bool menuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    menuSeen = IsWindowVisible(FindWindowA("#32768", nullptr));
    SetCursorPos(400, 300);  // the mouse moves on while the menu is open
    EndMenu();
}

struct TrayIconTest : ::testing::Test {
    void SetUp() override { shell.clear(), realShell = false, ShellNotify = Watch; }
    void TearDown() override { tray.reset(), ShellNotify = SystemShellNotify; }
    void Callback(UINT mouse) { SendMessageA(tray->WindowHandle(), WM_TRAYICON, 0, mouse); }
    std::unique_ptr<TTrayIcon> tray = std::make_unique<TTrayIcon>(nullptr);
};

}  // namespace

TEST_F(TrayIconTest, TheShellHearsOfChangesOnlyWhileActive) {
    TIcon icon;
    icon.Assign(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    tray->SetIcon(icon);
    tray->SetToolTip(std::string(63, 'x'));
    EXPECT_EQ(tray->ToolTip(), std::string(62, 'x'));
    tray->SetActive(true);
    tray->SetActive(true);
    tray->SetIcon(tray->Icon());  // its own icon: nothing
    tray->SetToolTip("Brisbolt");
    tray->SetActive(false);
    ASSERT_EQ(shell.size(), 3u);
    const auto& add = shell[0].data;
    EXPECT_EQ(shell[0].message, DWORD(NIM_ADD));
    EXPECT_EQ(add.cbSize, sizeof(void*) == 4 ? 88u : 104u);  // the first record layout
    EXPECT_EQ(add.hWnd, tray->WindowHandle());
    EXPECT_EQ(add.uID, 0u);
    EXPECT_EQ(add.uFlags, 7u);
    EXPECT_EQ(add.uCallbackMessage, 1025u);
    EXPECT_EQ(add.hIcon, tray->Icon().Handle());
    EXPECT_EQ(std::string(add.szTip), std::string(62, 'x'));
    EXPECT_EQ(shell[1].message, DWORD(NIM_MODIFY));
    EXPECT_STREQ(shell[1].data.szTip, "Brisbolt");
    EXPECT_EQ(shell[2].message, DWORD(NIM_DELETE));
}

TEST_F(TrayIconTest, AnEmptyToolTipIsAppliedOnceMoreAfterTheAdd) {
    tray->SetActive(true);
    tray->SetToolTip("Set before the reset arrives");
    int resets = 0;
    for (MSG msg; PeekMessageA(&msg, tray->WindowHandle(), WM_RESETTOOLTIP, WM_RESETTOOLTIP, PM_REMOVE); ++resets)
        DispatchMessageA(&msg);
    EXPECT_EQ(resets, 1);
    ASSERT_EQ(shell.size(), 3u);
    EXPECT_EQ(shell[2].message, DWORD(NIM_MODIFY));
    EXPECT_STREQ(shell[2].data.szTip, "Set before the reset arrives");
}

TEST_F(TrayIconTest, CallbacksBecomeEvents) {
    std::vector<std::string> events;
    tray->OnClick = [&](TComponent* s) { events.push_back(s == tray.get() ? "click" : "?"); };
    tray->OnDblClick = [&](TComponent*) { events.push_back("double"); };
    Callback(WM_RBUTTONUP);  // no menu, no handler: nothing
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Callback(m);
    tray->OnRightClick = [&](TComponent*, TMouseButton b, TShiftState shift, int x, int y) {
        events.push_back("right " + std::to_string(b == TMouseButton::Right) + std::to_string(shift) + " " +
                         std::to_string(x) + "," + std::to_string(y));
    };
    SetCursorPos(101, 121);
    Callback(WM_RBUTTONUP);
    TPopupMenu menu(nullptr);
    TMenuItem item(nullptr);
    item.Caption = "&Close";
    menu.Add(&item);
    tray->PopupMenu = &menu;
    SetTimer(nullptr, 0, 300, CloseMenu);
    SetCursorPos(150, 160);
    Callback(WM_RBUTTONUP);
    EXPECT_TRUE(menuSeen);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "double", "click", "right 10 101,121", "right 10 150,160"}));
}

TEST_F(TrayIconTest, ARestartedShellGetsTheIconBack) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    // Broadcasts reach only top-level windows.
    EXPECT_EQ(GetAncestor(tray->WindowHandle(), GA_PARENT), GetDesktopWindow());
    DWORD_PTR ignored;
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    EXPECT_TRUE(shell.empty()) << "an inactive icon stays away";
    tray->SetToolTip("Brisbolt");
    tray->SetActive(true);
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ASSERT_EQ(shell.size(), 2u);
    EXPECT_EQ(shell[1].message, DWORD(NIM_ADD));
    EXPECT_STREQ(shell[1].data.szTip, "Brisbolt");
}

TEST_F(TrayIconTest, RealNotificationArea) {
    realShell = true;
    std::vector<std::string> events;
    tray->OnClick = [&](TComponent*) { events.push_back("click"); };
    tray->SetActive(true);
    tray->SetToolTip("Brisbolt under test");
    Pump(300);
    HWND area = FindWindowA(nullptr, "Wine System Tray");
    ASSERT_TRUE(area && IsWindowVisible(area)) << "the icon shows in Wine's tray window";
    // A real click on the first icon (the middle of its cell) comes back
    // through the shell.
    POINT icon{9, 10};
    ClientToScreen(area, &icon);
    SetCursorPos(icon.x, icon.y);
    Pump(100);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN, click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    for (int i = 0; i < 50 && events.empty(); ++i) Pump(20);
    tray->SetActive(false);
    EXPECT_EQ(events, std::vector<std::string>{"click"});
    ASSERT_EQ(shell.size(), 4u);
    for (const auto& call : shell) EXPECT_TRUE(call.result) << "shell message " << call.message;
}
