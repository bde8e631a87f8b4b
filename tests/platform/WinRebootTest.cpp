// The restart component's privilege dance, watched through its call seam.
// No test here may end the session it runs in: a global guard refuses
// ExitWindowsEx for the whole test program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/WinReboot.h"

using namespace brisbolt;

namespace {

BOOL WINAPI RefuseExitWindows(UINT, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

class NoRestartEnvironment : public ::testing::Environment {
public:
    void SetUp() override { TWinReboot::Calls.ExitWindowsEx = RefuseExitWindows; }
};
::testing::Environment* const noRestart = ::testing::AddGlobalTestEnvironment(new NoRestartEnvironment);

// Whether SeShutdownPrivilege is enabled in this process's token now.
bool ShutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID shutdown{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown);
    std::vector<char> buffer(4096);
    DWORD length = 0;
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer.data(), buffer.size(), &length)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const auto& p = privileges->Privileges[i];
            if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart)
                enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

struct Record {
    std::vector<std::string> calls;
    bool noTokens = false;
    bool lookupFails = false;
    BOOL exitResult = FALSE;
    bool enabledDuringExit = false;
    HANDLE lastToken = nullptr;
};
Record* record = nullptr;

BOOL WINAPI WatchOpen(HANDLE process, DWORD access, PHANDLE token) {
    record->calls.push_back("open " + std::to_string(access));
    if (record->noTokens) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    const BOOL ok = TWinReboot::SystemCalls.OpenProcessToken(process, access, token);
    record->lastToken = *token;
    return ok;
}

BOOL WINAPI WatchLookup(LPCSTR system, LPCSTR name, PLUID luid) {
    record->calls.push_back(std::string("lookup ") + (system ? "remote " : "") + name);
    if (record->lookupFails) return FALSE;
    return TWinReboot::SystemCalls.LookupPrivilegeValueA(system, name, luid);
}

BOOL WINAPI WatchAdjust(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length, PTOKEN_PRIVILEGES previous,
                        PDWORD returned) {
    record->calls.push_back("adjust " + std::to_string(state->PrivilegeCount) + " " +
                            std::to_string(state->Privileges[0].Attributes) + (disableAll ? " all" : "") + " " +
                            std::to_string(length) + (*returned == 0 ? "" : " dirty"));
    return TWinReboot::SystemCalls.AdjustTokenPrivileges(token, disableAll, state, length, previous, returned);
}

BOOL WINAPI WatchExit(UINT flags, DWORD reserved) {
    record->calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reserved));
    record->enabledDuringExit = ShutdownPrivilegeEnabled();
    return record->exitResult;
}

class WinRebootTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = TWinReboot::Calls;
        record = &record_;
        TWinReboot::Calls = {WatchOpen, WatchLookup, WatchAdjust, WatchExit};
    }
    void TearDown() override {
        TWinReboot::Calls = saved_;
        record = nullptr;
    }
    Record record_;
    TWinReboot reboot_{nullptr};

private:
    RebootCalls saved_{};
};

}  // namespace

TEST_F(WinRebootTest, PrivilegeIsHeldOnlyWhileExitWindowsExRuns) {
    for (BOOL exitResult : {TRUE, FALSE}) {
        record_ = Record{};
        record_.exitResult = exitResult;
        EXPECT_EQ(reboot_.ExitWindows(EWX_REBOOT), exitResult == TRUE);
        const std::vector<std::string> expected{
            "open 40", "lookup SeShutdownPrivilege", "adjust 1 2 16", "exit 2 0",
            "open 40", "lookup SeShutdownPrivilege", "adjust 1 0 16",
        };
        EXPECT_EQ(record_.calls, expected);
        EXPECT_TRUE(record_.enabledDuringExit) << "the token really had the privilege during the call";
        EXPECT_FALSE(ShutdownPrivilegeEnabled()) << "and gave it up afterwards";
        // The token handle is closed again.
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(record_.lastToken, &flags));
    }
}

TEST_F(WinRebootTest, WithoutTokensTheRestartIsStillAttempted) {
    record_.noTokens = true;
    record_.exitResult = TRUE;
    EXPECT_TRUE(reboot_.ExitWindows(EWX_REBOOT | EWX_FORCE));
    const std::vector<std::string> expected{"open 40", "exit 6 0", "open 40"};
    EXPECT_EQ(record_.calls, expected);
    EXPECT_FALSE(reboot_.SetPrivilege("SeShutdownPrivilege", true));
}

TEST_F(WinRebootTest, UnknownPrivilegeFailsAndClosesTheToken) {
    EXPECT_FALSE(reboot_.SetPrivilege("SeNoSuchPrivilege", true));
    EXPECT_EQ(record_.calls.size(), 2u) << "nothing is adjusted";
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(record_.lastToken, &flags));

    record_ = Record{};
    record_.lookupFails = true;
    EXPECT_FALSE(reboot_.SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_FALSE(GetHandleInformation(record_.lastToken, &flags));
}

TEST_F(WinRebootTest, RealTokenCallsEnableAndDisable) {
    TWinReboot::Calls = TWinReboot::SystemCalls;
    TWinReboot::Calls.ExitWindowsEx = RefuseExitWindows;
    EXPECT_TRUE(reboot_.SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
    EXPECT_TRUE(reboot_.SetPrivilege("SeShutdownPrivilege", false));
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
    EXPECT_FALSE(reboot_.ExitWindows(EWX_REBOOT));
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
}

// Run only by the restart proof, in a child on a throwaway Wine prefix:
// the real call, which ends that whole session.
TEST(WinRebootProof, DISABLED_RealRestart) {
    const char* out = std::getenv("BRISBOLT_RESTART_PROOF");
    if (!out || !*out) GTEST_SKIP() << "only inside the restart proof";
    TWinReboot::Calls = TWinReboot::SystemCalls;
    TWinReboot reboot(nullptr);
    const bool result = reboot.ExitWindows(EWX_REBOOT);
    if (FILE* f = std::fopen(out, "w")) {
        std::fprintf(f, "%d\n", result ? 1 : 0);
        std::fclose(f);
    }
    // The session should end us; pump messages so we can be asked politely.
    const DWORD until = GetTickCount() + 30000;
    MSG msg;
    while (GetTickCount() < until) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    ExitProcess(9);
}
