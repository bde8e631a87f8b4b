// System functions that not every Windows version has: looked up when first
// needed, with a way of our own where the system has none. The program
// imports statically only what Windows 95 has, or it would not start there.
#pragma once

#include <windows.h>

namespace brisbolt {

// The address of a function of a system DLL (loaded when it is not yet, and
// kept loaded); null where this Windows has no such DLL or function.
FARPROC SystemFunction(const char* module, const char* name);

template <typename Function>
Function SystemFunctionAs(const char* module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(module, name)));
}

// Asks for one WM_MOUSELEAVE when the mouse leaves the window. Uses
// TrackMouseEvent (USER32 of 98, NT 4.0 and later) or COMCTL32's
// _TrackMouseEvent (95 with Internet Explorer 3 or later); where neither
// exists, a short timer watches the mouse while it is over the window.
bool TrackMouseLeave(HWND window);

// Registers the common control classes: InitCommonControlsEx where COMCTL32
// has it, else InitCommonControls, which registers them all.
void InitCommonControlClasses(DWORD classes);

// For tests: the timer way of TrackMouseLeave, as on a system without
// TrackMouseEvent.
void UseMouseLeaveTimer(bool always);

// How often the timer way looks at the mouse, in milliseconds.
constexpr UINT MouseLeaveInterval = 50;

}  // namespace brisbolt
