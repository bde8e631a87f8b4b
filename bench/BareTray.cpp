// The yardstick for Brisbolt's start: the least a tray program does, with
// the same toolchain and C runtime. A window, shown off-screen, then an
// icon in the notification area and the message loop.
#include <windows.h>
#include <shellapi.h>

namespace {
NOTIFYICONDATAA icon{};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_DESTROY) {
        // While the window still exists: an icon whose window has gone
        // stays behind, and holds up the next program's start.
        Shell_NotifyIconA(NIM_DELETE, &icon);
        PostQuitMessage(0);
    }
    return DefWindowProcA(window, message, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA type{};
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    type.lpszClassName = "BareTray";
    RegisterClassA(&type);
    HWND window =
        CreateWindowExA(0, "BareTray", "BareTray", WS_POPUP, 7000, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    Shell_NotifyIconA(NIM_ADD, &icon);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
