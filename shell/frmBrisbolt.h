// The hidden dispatcher: the program's main form. It lies off-screen, owns
// the tray icon and its menu, the single-instance guard, the restart, the
// click sound and the address lookup whose answer goes into the menu, and
// offers the operations the other windows share.
#pragma once

#include <string>

#include "app/Globals.h"
#include "app/Services.h"
#include "platform/HostAddress.h"
#include "platform/SingleInstance.h"
#include "platform/TrayIcon.h"
#include "platform/WaveHolder.h"
#include "platform/WinReboot.h"
#include "runtime/Form.h"
#include "runtime/Menu.h"
#include "runtime/Timer.h"
#include "skin/SkinHint.h"

// windows.h makes PlaySound a macro for PlaySoundA.
#undef PlaySound

namespace brisbolt {

inline constexpr const char* AlreadyRunningMessage = "Brisbolt is already running !";
inline constexpr const char* UninstallQuestion = "Are you sure you want to uninstall Brisbolt ?";
inline constexpr const char* UninstallNotice =
    "Brisbolt will now put back the network settings it found before its first change, "
    "then its uninstaller removes the program.";
// No saved set on this machine: there is nothing to put back.
inline constexpr const char* UninstallNoticeNothingSaved =
    "Brisbolt keeps no saved network settings on this machine, so there is nothing to put back. "
    "Its uninstaller will now remove the program.";
// When the system keys cannot all be written, nothing is removed, so the
// originals are never lost. Said for rights only when a write was refused
// for them (no administrator rights on NT, 2000 or XP).
inline constexpr const char* UninstallNotRestored =
    "Brisbolt could not write all of the original network settings back: changing them needs administrator "
    "rights. Nothing has been uninstalled. Please ask an administrator to run \"Uninstall Brisbolt\".";
// Any other failure names the value; the text goes between the two parts.
inline constexpr const char* UninstallNotWrittenBack[] = {
    "Brisbolt could not write the original network settings back: \"",
    "\" could not be written. Nothing has been uninstalled, and the settings it found before its first change "
    "are still kept. Please run \"Uninstall Brisbolt\" again."};
// Tells the uninstaller that the original settings were written back, so
// that it may say a restart brings them into force.
inline constexpr const char* UninstallerRestoredSwitch = "/RESTORED";
inline constexpr const char* UninstallerName = "unbrb.exe";
// The first argument that runs the uninstall and nothing else (any case).
inline constexpr const char* UninstallSwitch = "/UNINSTALL";
// ExitWindowsEx: restart, without forcing other programs to close.
inline constexpr unsigned RestartFlags = 2;

class TfrmBrisbolt : public TForm, public DispatcherServices {
public:
    explicit TfrmBrisbolt(TComponent* owner);
    ~TfrmBrisbolt() override;

    void Click() override { PlaySound(0); }
    void EndProgram() override { QuitProgram(); }

    TSingleInstance* SingleInstance1;
    TTrayIcon* TrayIcon1;
    TTimer* tmrDelayHide;
    TWaveHolder* WaveHolder1;
    TSkinHint* SkinHint1;
    TPopupMenu* popIcon;
    TWinReboot* WinReboot1;
    THostAddress* HostAddress1;
    TMenuItem* mnuChangeSettings;
    TMenuItem* RebootMySystemToLockInTheChanges1;
    TMenuItem* About1;
    TMenuItem* mnuClose;
    TMenuItem* N3;
    TMenuItem* Mycomputernameis1;
    TMenuItem* IPaddressis1;

    // Shared with the other windows.
    void PlaySound(int sound);
    bool DelayQuarterSeconds(int count);
    void QuitProgram();
    void Uninstall();
    void GoToTray();
    // Opens the apply window in the mode given and returns its modal result;
    // 7 at once when it is open already.
    int RunApplyWindow(int mode);
    void ApplyAndRestart();
    // Opens the connection wizard (once at a time) and acts on its result.
    void ShowWizard();

    static bool IsUninstallSwitch(const std::string& argument);
    static void AllowAnyForeground();
    static std::string GetLocalComputerName();
    // Blocks until the host name is looked up; the menu asks without
    // waiting (HostAddress1 answers).
    static std::string GetLocalIPAddress() { return THostAddress::LookUp(); }
    static std::string LastAddressOf(const hostent* host) { return THostAddress::LastAddressOf(host); }

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormShow(TComponent* sender);
    void mnuChangeSettingsClick(TComponent* sender);
    void RebootMySystemToLockInTheChanges1Click(TComponent* sender);
    void About1Click(TComponent* sender);
    void mnuCloseClick(TComponent* sender);
    void UnInstall1Click(TComponent* sender);
    void tmrDelayHideTimer(TComponent* sender);
    void SingleInstance1AlreadyRunning(TComponent* sender, std::uint32_t hPrevInst, HWND hPrevWnd);

    // What a copy started with the uninstall switch asks of the copy that
    // is running already: to run the uninstall itself.
    static UINT UninstallRequest();
    // What the installer asks of a running copy before it replaces the
    // files: to end, as "Close" in the tray menu does.
    static UINT QuitRequest();
    // What a second start asks of the running copy: its open window to the
    // front (the answer is that window), or else the wizard (the answer is 0).
    static UINT ShowRequest();
    // The address lookup's start, posted by FormCreate so that it comes
    // once the start is over.
    static constexpr UINT AddressLookupStart = WM_APP + 2;
    // The window the user is working in: the one a modal window left
    // enabled, or nullptr when none is open.
    static TForm* FrontWindow();

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TMenuItem* AddItem(const char* name, const char* caption, void (TfrmBrisbolt::*handler)(TComponent*));
    bool WindowBeingMade() const;
    void StartAddressLookup();
    // A window was first shown: a click held for it sounds, and the lookup
    // starts a moment later.
    void WindowShown();
    // The wait for a window is over: the lookup starts.
    void LookupWaitOver();
    LRESULT AnswerShowRequest(WPARAM fromSelf);

    bool uninstalling_ = false;
    bool lookupWaits_ = false;
    // A sound asked for while a window was being made (the wizard clicks as
    // it checks the stored connection type), or -1.
    int heldSound_ = -1;
};

// Makes `dispatcher` (or none) the program's own: the windows' shared
// services go to it.
void SetDispatcher(TfrmBrisbolt* dispatcher);

}  // namespace brisbolt
