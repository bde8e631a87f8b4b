#include "platform/TrayIcon.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "runtime/Application.h"
#include "runtime/SystemFunctions.h"

namespace brisbolt {

// Our record must line up with the head of the system's.
static_assert(offsetof(NotifyIconRecord, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(NotifyIconRecord, szTip) == offsetof(NOTIFYICONDATAA, szTip));

namespace {
constexpr std::size_t MaxToolTip = 62;
}

// SHELL32 is loaded when the icon first goes into the tray, not with the
// program, so that the start does not wait for it.
BOOL WINAPI SystemShellNotify(DWORD message, NotifyIconRecord* data) {
    using NotifyFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
    static const auto notify = SystemFunctionAs<NotifyFunction>("shell32.dll", "Shell_NotifyIconA");
    return notify && notify(message, reinterpret_cast<NOTIFYICONDATAA*>(data));
}

ShellNotifyFunction ShellNotify = SystemShellNotify;

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

TTrayIcon::~TTrayIcon() {
    if (Shown()) RemoveIcon();
}

bool TTrayIcon::Shown() const { return Designing() ? showDesigning_ : active_; }

void TTrayIcon::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (Designing()) return;
    if (value)
        AddIcon();
    else
        RemoveIcon();
}

void TTrayIcon::SetShowDesigning(bool value) {
    if (!Designing() || value == showDesigning_) return;
    showDesigning_ = value;
    if (value)
        AddIcon();
    else
        RemoveIcon();
}

void TTrayIcon::SetIcon(const TIcon& icon) {
    if (&icon == &icon_) return;
    icon_.Assign(icon);
    UpdateIcon();
}

void TTrayIcon::SetToolTip(const std::string& text) {
    // 62, not 63: that is what the shells of old showed reliably.
    toolTip_ = text.substr(0, MaxToolTip);
    UpdateIcon();
}

HWND TTrayIcon::WindowHandle() {
    if (!window_) window_.reset(CreateTopLevelMessageWindow(this));
    return hwnd_;
}

void TTrayIcon::FillNotifyData() {
    data_ = NotifyIconRecord{};
    data_.cbSize = sizeof(NotifyIconRecord);
    data_.hWnd = WindowHandle();
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAYICON;
    data_.hIcon = icon_.Handle();
    std::memcpy(data_.szTip, toolTip_.data(), toolTip_.size());
}

bool TTrayIcon::AddIcon() {
    FillNotifyData();
    const bool ok = ShellNotify(NIM_ADD, &data_) != FALSE;
    if (toolTip_.empty()) PostMessageA(WindowHandle(), WM_RESETTOOLTIP, 0, 0);
    return ok;
}

bool TTrayIcon::UpdateIcon() {
    if (!active_) return true;
    FillNotifyData();
    return ShellNotify(NIM_MODIFY, &data_) != FALSE;
}

bool TTrayIcon::RemoveIcon() { return ShellNotify(NIM_DELETE, &data_) != FALSE; }

void TTrayIcon::ShowPopup() {
    POINT at{};
    GetCursorPos(&at);
    if (PopupMenu) {
        // Without the foreground the menu would not close on a click elsewhere.
        if (Application) {
            SetForegroundWindow(Application->Handle());
            Application->ProcessMessages();
        }
        PopupMenu->Popup(at.x, at.y);
    }
    if (OnRightClick) OnRightClick(this, TMouseButton::Right, 0, at.x, at.y);
}

LRESULT TTrayIcon::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_RESETTOOLTIP: SetToolTip(std::string(toolTip_)); return 0;
        case WM_TRAYICON:
            switch (static_cast<UINT>(lp)) {
                case WM_LBUTTONUP:
                    if (OnClick) OnClick(this);
                    break;
                case WM_LBUTTONDBLCLK:
                    if (OnDblClick) OnDblClick(this);
                    break;
                case WM_RBUTTONUP: ShowPopup(); break;
                default: break;
            }
            return 0;
        default: break;
    }
    // A restarted shell has forgotten our icon: bring it back.
    if (taskbarCreated_ && msg == taskbarCreated_) {
        if (active_) AddIcon();
        return 0;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace brisbolt
