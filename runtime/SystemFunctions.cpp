#include "runtime/SystemFunctions.h"

#include <commctrl.h>

namespace brisbolt {

namespace {

using TrackMouseEventFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitCommonControlsFunction = void(WINAPI*)();

// An id no other timer of the program's windows uses.
constexpr UINT_PTR LeaveTimerId = 0xB501;

bool timerOnly = false;

TrackMouseEventFunction SystemTrackMouseEvent() {
    static const TrackMouseEventFunction found = [] {
        auto function = SystemFunctionAs<TrackMouseEventFunction>("user32.dll", "TrackMouseEvent");
        return function ? function : SystemFunctionAs<TrackMouseEventFunction>("comctl32.dll", "_TrackMouseEvent");
    }();
    return found;
}

void CALLBACK WatchMouse(HWND window, UINT, UINT_PTR id, DWORD) {
    POINT cursor;
    if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == window) return;
    KillTimer(window, id);
    PostMessageA(window, WM_MOUSELEAVE, 0, 0);
}

}  // namespace

FARPROC SystemFunction(const char* module, const char* name) {
    HMODULE handle = GetModuleHandleA(module);
    if (!handle) handle = LoadLibraryA(module);
    return handle ? GetProcAddress(handle, name) : nullptr;
}

bool TrackMouseLeave(HWND window) {
    if (!window) return false;
    if (TrackMouseEventFunction track = timerOnly ? nullptr : SystemTrackMouseEvent()) {
        TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
        return track(&request) != FALSE;
    }
    return SetTimer(window, LeaveTimerId, MouseLeaveInterval, WatchMouse) != 0;
}

// COMCTL32 is loaded here, by the first window that needs one of its
// controls, not with the program: loading it takes longer than the whole
// rest of the start.
void InitCommonControlClasses(DWORD classes) {
    static const auto initEx = SystemFunctionAs<InitCommonControlsExFunction>("comctl32.dll", "InitCommonControlsEx");
    if (initEx) {
        INITCOMMONCONTROLSEX request{sizeof request, classes};
        if (initEx(&request)) return;
    }
    static const auto init = SystemFunctionAs<InitCommonControlsFunction>("comctl32.dll", "InitCommonControls");
    if (init) init();
}

void UseMouseLeaveTimer(bool always) { timerOnly = always; }

}  // namespace brisbolt
