#include "runtime/Application.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "runtime/Control.h"
#include "runtime/Form.h"
#include "runtime/Hint.h"

namespace brisbolt {

TApplication* Application = nullptr;

namespace {
constexpr UINT_PTR HintShowTimer = 1;
constexpr UINT_PTR HintHideTimer = 2;

std::vector<std::string> SplitCommandLine(const char* line) {
    std::vector<std::string> args;
    const char* p = line;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                quoted = !quoted;
            else
                arg += *p;
            ++p;
        }
        args.push_back(arg);
    }
    return args;
}
}  // namespace

TApplication::TApplication() {
    Application = this;
    // The program's timers and answer windows live under ours.
    SetMessageWindowParent(hwnd_);
    HintWindowClass = [] { return std::make_unique<THintWindow>(); };
}

TApplication::~TApplication() {
    CancelHint();
    SetMessageWindowParent(nullptr);
    if (Application == this) Application = nullptr;
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
        msg.message == WM_KEYDOWN) {
        if (msg.message != WM_MOUSEMOVE) CancelHint();
    }
    // The keys of a form's windows work as in a dialog.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        if (TForm* form = FormOfWindow(msg.hwnd); form && form->DialogMessage(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {}
}

void TApplication::HandleMessage() {
    if (!ProcessMessage() && !terminated_) WaitMessage();
}

void TApplication::Run() {
    while (!terminated_) {
        HandleMessage();
        if (MainForm && !MainForm->HandleAllocated()) break;
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::HintMouseMove(TControl* control) {
    const TControl* showing = hintControl_;
    if (control == showing) return;
    CancelHint();
    if (!control || !ShowHint || !control->EffectiveShowHint() || control->Hint.empty()) return;
    hintControl_ = control;
    SetTimer(Handle(), HintShowTimer, static_cast<UINT>(HintPause), nullptr);
}

void TApplication::CancelHint() {
    KillTimer(Handle(), HintShowTimer);
    KillTimer(Handle(), HintHideTimer);
    hintControl_ = nullptr;
    if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::ResetHintWindow() {
    CancelHint();
    hintWindow_.reset();
}

void TApplication::ShowHintNow() {
    KillTimer(Handle(), HintShowTimer);
    if (!hintControl_) return;
    POINT cursor;
    GetCursorPos(&cursor);
    // The mouse must still be over the control that asked.
    if (!hintControl_->ContainsScreenPoint(cursor)) {
        hintControl_ = nullptr;
        return;
    }
    if (!hintWindow_) hintWindow_ = HintWindowClass();
    RECT rect = hintWindow_->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), hintControl_->Hint);
    OffsetRect(&rect, cursor.x, cursor.y + 20);
    hintWindow_->ActivateHint(rect, hintControl_->Hint);
    SetTimer(Handle(), HintHideTimer, static_cast<UINT>(HintHidePause), nullptr);
}

LRESULT TApplication::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        if (wp == HintShowTimer)
            ShowHintNow();
        else if (wp == HintHideTimer)
            CancelHint();
        return 0;
    }
    return DefaultProc(msg, wp, lp);
}

std::string TApplication::ParamStr(int index) {
    auto args = SplitCommandLine(GetCommandLineA());
    if (index == 0) return ExeName();
    return index < static_cast<int>(args.size()) ? args[index] : std::string();
}

int TApplication::ParamCount() {
    const auto count = static_cast<int>(SplitCommandLine(GetCommandLineA()).size());
    return count > 0 ? count - 1 : 0;
}

bool TApplication::IsSwitch(const std::string& argument, const char* name) {
    return argument.size() == std::strlen(name) &&
           std::equal(argument.begin(), argument.end(), name,
                      [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b; });
}

std::string TApplication::ExeName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace brisbolt
