// The yardstick for the wizard: the least a program does to show a window
// like it, with the same toolchain, C runtime and static linking. A hidden
// owner window (Brisbolt's dispatcher), then a 600 x 228 popup with a
// rounded outline and 30 child windows of a class it paints itself.
#include <windows.h>

#include <cstdio>

namespace {
constexpr int Width = 600, Height = 228, Columns = 6, Rows = 5;
HFONT font = nullptr;
HBRUSH childBrush = nullptr;

LRESULT CALLBACK ChildProcedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, childBrush);
        char caption[32];
        GetWindowTextA(window, caption, sizeof caption);
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, caption, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wp, lp);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wp, lp);
}

void Register(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSA type{};
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    type.lpszClassName = name;
    RegisterClassA(&type);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Register(instance, "BareOwner", DefWindowProcA);
    Register(instance, "BareWizard", Procedure);
    Register(instance, "BareChild", ChildProcedure);
    LOGFONTA look{};
    look.lfHeight = -11;
    look.lfWeight = FW_BOLD;
    lstrcpyA(look.lfFaceName, "MS Sans Serif");
    font = CreateFontIndirectA(&look);
    childBrush = CreateSolidBrush(RGB(0, 0, 0));

    HWND owner =
        CreateWindowExA(0, "BareOwner", "BareOwner", WS_POPUP, 7000, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    HWND window = CreateWindowExA(0, "BareWizard", "BareWizard", WS_POPUP | WS_CLIPCHILDREN, 212, 270, Width, Height,
                                  owner, nullptr, instance, nullptr);
    const int cellWidth = (Width - 40) / Columns, cellHeight = (Height - 40) / Rows;
    for (int i = 0; i < Columns * Rows; ++i) {
        char caption[32];
        std::snprintf(caption, sizeof caption, "Child %d", i + 1);
        CreateWindowExA(0, "BareChild", caption, WS_CHILD | WS_VISIBLE, 20 + (i % Columns) * cellWidth,
                        20 + (i / Columns) * cellHeight, cellWidth - 4, cellHeight - 4, window, nullptr, instance,
                        nullptr);
    }
    // The window owns the region once it is set.
    SetWindowRgn(window, CreateRoundRectRgn(0, 0, Width + 1, Height + 1, 40, 40), FALSE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(owner);
    DeleteObject(childBrush);
    DeleteObject(font);
    return 0;
}
