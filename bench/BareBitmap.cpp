// The yardstick for the wizard: a program that shows a 600 x 228 window
// painted from a bitmap, with the same toolchain and C runtime.
#include <windows.h>

namespace {
HBITMAP picture = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(dc, 0, 0, 600, 228, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A picture of its own, drawn once, as a program would load one.
    HDC screen = GetDC(nullptr);
    picture = CreateCompatibleBitmap(screen, 600, 228);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, picture);
    for (int y = 0; y < 228; y += 4) {
        RECT band{0, y, 600, y + 4};
        HBRUSH brush = CreateSolidBrush(RGB(y, 64, 255 - y));
        FillRect(memory, &band, brush);
        DeleteObject(brush);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    WNDCLASSA type{};
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    type.lpszClassName = "BareBitmap";
    RegisterClassA(&type);
    HWND window = CreateWindowExA(0, "BareBitmap", "BareBitmap", WS_POPUP, 100, 100, 600, 228, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(picture);
    return 0;
}
