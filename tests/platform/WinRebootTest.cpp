// The restart's privilege dance, watched through its call seam. Nothing
// here may end the session it runs in: ExitWindowsEx is refused for the
// whole test program, except in the throwaway-prefix proof.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/WinReboot.h"

using namespace brisbolt;

namespace {

BOOL WINAPI RefuseExitWindows(UINT, DWORD) { return FALSE; }
struct NoRestart : ::testing::Environment {
    void SetUp() override { TWinReboot::Calls.ExitWindowsEx = RefuseExitWindows; }
};
::testing::Environment* const noRestart = ::testing::AddGlobalTestEnvironment(new NoRestart);

bool ShutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    LUID id{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &id);
    PRIVILEGE_SET set{1, PRIVILEGE_SET_ALL_NECESSARY, {{id, 0}}};
    BOOL enabled = FALSE;
    PrivilegeCheck(token, &set, &enabled);
    CloseHandle(token);
    return enabled;
}

std::vector<std::string> calls;
bool noTokens = false, enabledDuringExit = false;
BOOL exitResult = FALSE;

BOOL WINAPI Open(HANDLE process, DWORD access, PHANDLE token) {
    calls.push_back("open " + std::to_string(access));
    return !noTokens && TWinReboot::SystemCalls.OpenProcessToken(process, access, token);
}
BOOL WINAPI Adjust(HANDLE token, BOOL all, PTOKEN_PRIVILEGES state, DWORD size, PTOKEN_PRIVILEGES old, PDWORD got) {
    calls.push_back("adjust " + std::to_string(state->Privileges[0].Attributes) + " " + std::to_string(size));
    return TWinReboot::SystemCalls.AdjustTokenPrivileges(token, all, state, size, old, got);
}
BOOL WINAPI Exit(UINT flags, DWORD reserved) {
    calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reserved));
    enabledDuringExit = ShutdownPrivilegeEnabled();
    return exitResult;
}

}  // namespace

TEST(WinRebootTest, PrivilegeIsHeldOnlyWhileExitWindowsExRuns) {
    const RebootCalls saved = TWinReboot::Calls;
    TWinReboot::Calls = {Open, TWinReboot::SystemCalls.LookupPrivilegeValueA, Adjust, Exit};
    TWinReboot reboot(nullptr);
    for (BOOL result : {TRUE, FALSE}) {
        calls.clear();
        exitResult = result;
        EXPECT_EQ(reboot.ExitWindows(EWX_REBOOT), result == TRUE);
        EXPECT_EQ(calls, (std::vector<std::string>{"open 40", "adjust 2 16", "exit 2 0", "open 40", "adjust 0 16"}));
        EXPECT_TRUE(enabledDuringExit);
        EXPECT_FALSE(ShutdownPrivilegeEnabled()) << "given up again, also after a failure";
    }
    // Windows 9x has no tokens: the restart is still tried.
    calls.clear();
    noTokens = true;
    exitResult = TRUE;
    EXPECT_TRUE(reboot.ExitWindows(EWX_REBOOT));
    EXPECT_EQ(calls, (std::vector<std::string>{"open 40", "exit 2 0", "open 40"}));
    noTokens = false;
    EXPECT_FALSE(reboot.SetPrivilege("SeNoSuchPrivilege", true));
    TWinReboot::Calls = saved;
}

// Only run by restart-proof.sh, on a throwaway Wine prefix.
TEST(WinRebootProof, DISABLED_RealRestart) {
    const char* out = std::getenv("BRISBOLT_RESTART_PROOF");
    if (!out || !*out) GTEST_SKIP();
    TWinReboot::Calls = TWinReboot::SystemCalls;
    const bool result = TWinReboot(nullptr).ExitWindows(EWX_REBOOT);
    if (FILE* f = std::fopen(out, "w")) std::fprintf(f, "%d\n", result), std::fclose(f);
    // The ending session should take us down long before this.
    for (DWORD until = GetTickCount() + 30000; GetTickCount() < until; Sleep(20)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    ExitProcess(9);
}
