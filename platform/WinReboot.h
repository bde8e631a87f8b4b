// Ends the Windows session (restart, shut down, log off), taking the
// shutdown privilege that NT needs for it and giving it up afterwards.
#pragma once

#include <windows.h>

#include <string>

// winuser.h makes ExitWindows a two-argument macro; our method needs the name.
#undef ExitWindows

#include "runtime/Component.h"

namespace brisbolt {

// The system calls behind a restart, replaceable so that tests can watch
// the privilege dance without ending the session they run in.
struct RebootCalls {
    BOOL(WINAPI* OpenProcessToken)(HANDLE process, DWORD access, PHANDLE token);
    BOOL(WINAPI* LookupPrivilegeValueA)(LPCSTR system, LPCSTR name, PLUID luid);
    BOOL(WINAPI* AdjustTokenPrivileges)
    (HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length, PTOKEN_PRIVILEGES previous, PDWORD returned);
    BOOL(WINAPI* ExitWindowsEx)(UINT flags, DWORD reason);
};

class TWinReboot : public TComponent {
public:
    explicit TWinReboot(TComponent* owner) : TComponent(owner) {}

    // Asks the system to end the session with the ExitWindowsEx flags;
    // true unless ExitWindowsEx itself failed.
    bool ExitWindows(unsigned flags);
    // Enables or disables one privilege of this process's token.
    bool SetPrivilege(const std::string& privilegeName, bool enable);

    // The calls every instance makes; the real ones unless replaced.
    static RebootCalls Calls;
    static const RebootCalls SystemCalls;
};

}  // namespace brisbolt
