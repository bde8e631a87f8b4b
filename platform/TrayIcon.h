// One icon with a tooltip in the notification area; mouse actions on it
// become events, and a right click opens the attached popup menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "runtime/Component.h"
#include "runtime/Control.h"
#include "runtime/Graphics.h"
#include "runtime/Menu.h"
#include "runtime/Window.h"

namespace brisbolt {

// The callback message the shell sends for mouse actions on the icon.
constexpr UINT WM_TRAYICON = WM_USER + 1;
// Posted to ourselves: apply the current tooltip again.
constexpr UINT WM_RESETTOOLTIP = WM_USER + 2;

// The notification record in its first form, which every shell from
// Windows 95 on accepts: 88 bytes in a 32-bit program, 104 in a 64-bit one.
struct NotifyIconRecord {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    char szTip[64];
};
static_assert(sizeof(NotifyIconRecord) == NOTIFYICONDATAA_V1_SIZE);
static_assert(sizeof(void*) != 4 || sizeof(NotifyIconRecord) == 88);

// Shell_NotifyIconA, replaceable so that tests can see every call.
using ShellNotifyFunction = BOOL(WINAPI*)(DWORD message, NotifyIconRecord* data);
extern ShellNotifyFunction ShellNotify;
BOOL WINAPI SystemShellNotify(DWORD message, NotifyIconRecord* data);

class TTrayIcon : public TComponent, private MessageTarget {
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    bool ShowDesigning() const { return showDesigning_; }
    void SetShowDesigning(bool value);
    const TIcon& Icon() const { return icon_; }
    void SetIcon(const TIcon& icon);
    // At most 62 characters are kept.
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::string& text);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // After the popup menu (if any) has closed; X and Y are where the
    // right button was released.
    TMouseEvent OnRightClick;
    TPopupMenu* PopupMenu = nullptr;  // not owned

    // The hidden window that receives the shell's callbacks, made when
    // first needed: the icon goes into the tray after the first window is
    // up, and the start need not wait for one more top-level window.
    HWND WindowHandle();
    const NotifyIconRecord& NotifyData() const { return data_; }

protected:
    void FillNotifyData();
    bool AddIcon();
    bool UpdateIcon();
    bool RemoveIcon();
    virtual void ShowPopup();
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool Shown() const;

    bool active_ = false;
    bool showDesigning_ = false;
    TIcon icon_;
    std::string toolTip_;
    NotifyIconRecord data_{};
    // Broadcast by the shell when it (re)creates the taskbar.
    UINT taskbarCreated_;
    // Top-level, for the shell's broadcast; last, as it may receive
    // messages as soon as it exists.
    UniqueWindow window_;
};

}  // namespace brisbolt
