#include "runtime/Window.h"

#include <exception>

namespace brisbolt {

namespace {

LRESULT CALLBACK BoundProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* target = reinterpret_cast<MessageTarget*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!target) return DefWindowProcA(hwnd, msg, wp, lp);
    try {
        return target->HandleMessage(hwnd, msg, wp, lp);
    } catch (const std::exception& e) {
        // Nothing may unwind through the system's code; say what went wrong.
        MessageBoxA(nullptr, e.what(), "Brisbolt", MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(nullptr, "An unexpected error occurred.", "Brisbolt", MB_OK | MB_ICONERROR);
    }
    return 0;
}

}  // namespace

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

const char* BoundWindowClass(UINT style, const char* name) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(ProgramInstance(), name, &existing)) return name;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = BoundProc;
    wc.hInstance = ProgramInstance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(ProgramInstance(), "MAINICON");
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
    return name;
}

HWND CreateBoundWindow(MessageTarget* target, DWORD exStyle, const char* className, const char* title, DWORD style,
                       int x, int y, int width, int height, HWND parent) {
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr, ProgramInstance(),
                           target);
}

void UnbindWindow(HWND hwnd) {
    if (hwnd) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

MessageWindow::MessageWindow(MessageTarget* target) {
    hwnd_ = CreateBoundWindow(target, 0, BoundWindowClass(0, "BrisboltMessages"), "", WS_POPUP, 0, 0, 0, 0, nullptr);
}

MessageWindow::~MessageWindow() {
    UnbindWindow(hwnd_);
    if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace brisbolt
