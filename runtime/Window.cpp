#include "runtime/Window.h"

#include <exception>

#include "runtime/Dialogs.h"

namespace brisbolt {

namespace {
constexpr const char* TargetProperty = "BrisboltTarget";
}  // namespace

struct WindowBinding {
    static void Bind(HWND hwnd, MessageTarget* target, WNDPROC systemProc) {
        SetPropA(hwnd, TargetProperty, target);
        target->hwnd_ = hwnd;
        target->systemProc_ = systemProc;
    }

    static void Unbind(HWND hwnd) {
        MessageTarget* target = FindTarget(hwnd);
        if (!target) return;
        if (target->systemProc_) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(target->systemProc_));
        RemovePropA(hwnd, TargetProperty);
        target->hwnd_ = nullptr;
        target->systemProc_ = nullptr;
    }

    static LRESULT Default(MessageTarget* target, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (target->systemProc_) return CallWindowProcA(target->systemProc_, hwnd, msg, wp, lp);
        return target->dialogDefaults_ ? DefDlgProcA(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
    }

    static LRESULT CALLBACK Entry(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* target = static_cast<MessageTarget*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
            if (target) Bind(hwnd, target, nullptr);
        }
        MessageTarget* target = FindTarget(hwnd);
        if (!target) return DefWindowProcA(hwnd, msg, wp, lp);
        LRESULT result = 0;
        try {
            result = target->WndProc(msg, wp, lp);
        } catch (const std::exception& e) {
            ReportHandlerError(e.what());
            result = Default(target, hwnd, msg, wp, lp);
        } catch (...) {
            ReportHandlerError("An unexpected error occurred.");
            result = Default(target, hwnd, msg, wp, lp);
        }
        // The object has seen the window's last message.
        if (msg == WM_NCDESTROY) Unbind(hwnd);
        return result;
    }
};

LRESULT MessageTarget::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return WindowBinding::Default(this, hwnd_, msg, wp, lp);
}

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

const char* BoundWindowClass(UINT style, const char* name, int extraBytes) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(ProgramInstance(), name, &existing)) return name;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.cbWndExtra = extraBytes;
    wc.lpfnWndProc = WindowBinding::Entry;
    wc.hInstance = ProgramInstance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(ProgramInstance(), "MAINICON");
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
    return name;
}

const char* FormWindowClass() { return BoundWindowClass(0, "BrisboltForm", DLGWINDOWEXTRA); }

HWND CreateBoundWindow(MessageTarget* target, DWORD exStyle, const char* className, const char* title, DWORD style,
                       int x, int y, int width, int height, HWND parent) {
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr, ProgramInstance(),
                           target);
}

namespace {
HWND messageParent = nullptr;
DWORD messageParentThread = 0;
}  // namespace

void SetMessageWindowParent(HWND parent) {
    messageParent = parent;
    messageParentThread = GetCurrentThreadId();
}

HWND CreateMessageWindow(MessageTarget* target) {
    if (!messageParent || messageParentThread != GetCurrentThreadId()) return CreateTopLevelMessageWindow(target);
    return CreateBoundWindow(target, WS_EX_NOPARENTNOTIFY, BoundWindowClass(0, "BrisboltMessages"), "", WS_CHILD, 0, 0,
                             0, 0, messageParent);
}

HWND CreateTopLevelMessageWindow(MessageTarget* target) {
    return CreateBoundWindow(target, 0, BoundWindowClass(0, "BrisboltMessages"), "", WS_POPUP, 0, 0, 0, 0, nullptr);
}

bool TakeOverWindow(HWND hwnd, MessageTarget* target) {
    if (!hwnd || !target || FindTarget(hwnd)) return false;
    const auto systemProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    WindowBinding::Bind(hwnd, target, systemProc);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowBinding::Entry));
    return true;
}

MessageTarget* FindTarget(HWND hwnd) {
    return hwnd ? static_cast<MessageTarget*>(GetPropA(hwnd, TargetProperty)) : nullptr;
}

void UnbindWindow(HWND hwnd) {
    if (hwnd) WindowBinding::Unbind(hwnd);
}

void ReportHandlerError(const char* what) {
    // A report while one is open would only pile up boxes (a failing paint
    // handler fails again on every repaint behind the box).
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    try {
        ShowMessage(what);
    } catch (...) {}
    reporting = false;
}

void UniqueWindow::reset(HWND hwnd) {
    HWND old = hwnd_;
    hwnd_ = hwnd;
    if (!old) return;
    UnbindWindow(old);
    DestroyWindow(old);
}

}  // namespace brisbolt
