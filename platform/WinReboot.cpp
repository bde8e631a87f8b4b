#include "platform/WinReboot.h"

#include "runtime/SystemFunctions.h"
#include "runtime/Win32Handles.h"

namespace brisbolt {

namespace {

// The token functions exist on the NT family only: looked up when called, so
// that the program still starts on Windows 95, 98 and Me, where they fail.
template <const char* Name, typename Function>
struct Advapi;

template <const char* Name, typename... Args>
struct Advapi<Name, BOOL(WINAPI*)(Args...)> {
    static BOOL WINAPI Call(Args... args) {
        static const auto call = SystemFunctionAs<BOOL(WINAPI*)(Args...)>("advapi32.dll", Name);
        if (call) return call(args...);
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
};

constexpr char OpenProcessTokenName[] = "OpenProcessToken";
constexpr char LookupPrivilegeValueName[] = "LookupPrivilegeValueA";
constexpr char AdjustTokenPrivilegesName[] = "AdjustTokenPrivileges";

}  // namespace

const RebootCalls TWinReboot::SystemCalls{
    Advapi<OpenProcessTokenName, decltype(RebootCalls::OpenProcessToken)>::Call,
    Advapi<LookupPrivilegeValueName, decltype(RebootCalls::LookupPrivilegeValueA)>::Call,
    Advapi<AdjustTokenPrivilegesName, decltype(RebootCalls::AdjustTokenPrivileges)>::Call, ::ExitWindowsEx};
RebootCalls TWinReboot::Calls = TWinReboot::SystemCalls;

// One privilege exactly fills the 16-byte previous-state buffer we pass.
static_assert(sizeof(TOKEN_PRIVILEGES) == 16);

bool TWinReboot::ExitWindows(unsigned flags) {
    SetPrivilege("SeShutdownPrivilege", true);
    const bool result = Calls.ExitWindowsEx(flags, 0) != FALSE;
    // Never leave the process holding shutdown rights, whatever happened.
    SetPrivilege("SeShutdownPrivilege", false);
    return result;
}

bool TWinReboot::SetPrivilege(const std::string& privilegeName, bool enable) {
    UniqueKernelHandle token;
    HANDLE raw = nullptr;
    // Windows 9x has no tokens: this fails there and the caller goes on.
    if (!Calls.OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
    token.reset(raw);

    LUID id{};
    if (!Calls.LookupPrivilegeValueA(nullptr, privilegeName.c_str(), &id)) return false;

    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Luid = id;
    wanted.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    return Calls.AdjustTokenPrivileges(token.get(), FALSE, &wanted, sizeof previous, &previous, &returned) != FALSE;
}

}  // namespace brisbolt
