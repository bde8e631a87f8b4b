#include "shell/frmBrisbolt.h"

#include <algorithm>
#include <utility>

#include "resources/ResourceNames.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "app/Globals.h"
#include "shell/ModalOnce.h"
#include "app/Services.h"
#include "shell/frmAbout.h"
#include "shell/frmBrisboltMain.h"
#include "tuning/frmMakeRegistryChanges.h"

namespace brisbolt {

void SetDispatcher(TfrmBrisbolt* dispatcher) {
    frmBrisbolt = dispatcher;
    SetDispatcherServices(dispatcher);
}

namespace {

constexpr int DesignLeft = 332, DesignTop = 230, DesignWidth = 194, DesignHeight = 162;
// Left of every screen, so the form is never seen while it is "visible".
constexpr int OffScreenLeft = 7000;
}  // namespace

TfrmBrisbolt::TfrmBrisbolt(TComponent* owner) : TForm(owner) {
    Name = "frmBrisbolt";
    SetCaption("BrisboltDispatcher");
    BorderStyle = TBorderStyle::None;
    SetBounds(DesignLeft, DesignTop, DesignWidth, DesignHeight);

    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->Name = "TrayIcon1";
    TIcon icon;
    if (!icon.LoadFromResource(resources::TrayIcon, 32)) icon.Assign(LoadIconA(nullptr, IDI_APPLICATION));
    TrayIcon1->SetIcon(icon);
    TrayIcon1->OnDblClick = [this](TComponent* sender) { mnuChangeSettingsClick(sender); };

    tmrDelayHide = new TTimer(this);
    tmrDelayHide->Name = "tmrDelayHide";
    tmrDelayHide->SetEnabled(false);
    tmrDelayHide->SetInterval(300);
    tmrDelayHide->OnTimer = [this](TComponent* sender) { tmrDelayHideTimer(sender); };

    WaveHolder1 = new TWaveHolder(this);
    WaveHolder1->Name = "WaveHolder1";
    WaveHolder1->BeginLoading();
    TInternalWave& tick = WaveHolder1->Internals().Add();
    tick.Looped = false;
    tick.SetWave("Tick.wav");
    tick.ReadFileContents(ResourceBytes(resources::TickWav));

    // Every hint of every window is drawn as a bubble from here on.
    SkinHint1 = new TSkinHint(this);
    SkinHint1->Name = "SkinHint1";
    TFont hintFont;
    hintFont.SetName("MS Sans Serif");
    hintFont.SetHeight(-11);
    SkinHint1->SetHintFont(hintFont);

    popIcon = new TPopupMenu(this);
    popIcon->Name = "popIcon";
    mnuChangeSettings =
        AddItem("mnuChangeSettings", "Change &Settings in Brisbolt", &TfrmBrisbolt::mnuChangeSettingsClick);
    RebootMySystemToLockInTheChanges1 =
        AddItem("RebootMySystemToLockInTheChanges1", "&Reboot My System To Lock In The Changes",
                &TfrmBrisbolt::RebootMySystemToLockInTheChanges1Click);
    RebootMySystemToLockInTheChanges1->Visible = false;
    About1 = AddItem("About1", "&About", &TfrmBrisbolt::About1Click);
    mnuClose = AddItem("mnuClose", "&Close", &TfrmBrisbolt::mnuCloseClick);
    N3 = AddItem("N3", "-", nullptr);
    Mycomputernameis1 = AddItem("Mycomputernameis1", "My computer name is: ", nullptr);
    IPaddressis1 = AddItem("IPaddressis1", "My IP address is: ", nullptr);
    TrayIcon1->PopupMenu = popIcon;

    WinReboot1 = new TWinReboot(this);
    WinReboot1->Name = "WinReboot1";

    HostAddress1 = new THostAddress(this);
    HostAddress1->Name = "HostAddress1";
    HostAddress1->OnAnswer = [this](TComponent*, const std::string& address) {
        IPaddressis1->Caption = "My IP address is: " + address;
    };

    SingleInstance1 = new TSingleInstance(this);
    SingleInstance1->Name = "SingleInstance1";
    SingleInstance1->OnAlreadyRunning = [this](TComponent* sender, std::uint32_t instance, HWND window) {
        SingleInstance1AlreadyRunning(sender, instance, window);
    };

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnShow = [this](TComponent* sender) { FormShow(sender); };
    // Closed from outside (the task list): as "Close" in the tray menu, so
    // that an open wizard's pending restart is not taken for a wish.
    OnClose = [this](TComponent*, TCloseAction& action) {
        action = TCloseAction::None;
        QuitProgram();
    };
}

TMenuItem* TfrmBrisbolt::AddItem(const char* name, const char* caption, void (TfrmBrisbolt::*handler)(TComponent*)) {
    auto* item = new TMenuItem(this);
    item->Name = name;
    item->Caption = caption;
    if (handler) item->OnClick = [this, handler](TComponent* sender) { (this->*handler)(sender); };
    popIcon->Add(item);
    return item;
}

void TfrmBrisbolt::FormCreate(TComponent*) {
    SetBounds(OffScreenLeft, DesignTop, DesignWidth, DesignHeight);
    ForgetOpenWindows();
    Mycomputernameis1->Caption = "My computer name is: " + GetLocalComputerName();
    // The name lookup may take seconds (or dial out): the start never waits
    // for it, the address comes into the menu when the answer does.
    IPaddressis1->Caption = "My IP address is: ";
    PostMessageA(Handle(), AddressLookupStart, 0, 0);
    Application->HintHidePause = 3500;
    Application->OnFormShown = [this](TForm*) { WindowShown(); };
}

void TfrmBrisbolt::FormShow(TComponent*) {
    // Add/Remove Programs and the Start menu start the uninstall this way.
    // It never opens the wizard, and a No ends the program: the user asked
    // for an uninstall, not for a Brisbolt in the tray.
    if (IsUninstallSwitch(Application->ParamStr(1))) {
        Uninstall();
        if (!Application->Terminated()) Application->Terminate();
        return;
    }
    if (Application->ParamStr(1) == "/S" && !TrayIcon1->Active()) {
        RunApplyWindow(0);
        GoToTray();
        return;
    }
    ShowWizard();
}

void TfrmBrisbolt::ShowWizard() {
    // Not during an apply run either: its writes and its question come first.
    if (frmBrisboltMain || frmMakeRegistryChanges) return;
    const int result = ShowModalOnce<TfrmBrisboltMain>(frmBrisboltMain, this);
    if (result == mrYes) {
        ApplyAndRestart();
        return;
    }
    if (result != mrRetry && ChangesPending) {
        WinReboot1->ExitWindows(RestartFlags);
        Application->Terminate();
    }
    GoToTray();
}

int TfrmBrisbolt::RunApplyWindow(int mode) {
    if (frmMakeRegistryChanges) return mrNo;
    return ShowModalOnce<TfrmMakeRegistryChanges>(frmMakeRegistryChanges, this,
                                                  [mode](TfrmMakeRegistryChanges& window) { window.StartRun(mode); });
}

void TfrmBrisbolt::ApplyAndRestart() {
    if (RunApplyWindow(1) == mrYes) {
        WinReboot1->ExitWindows(RestartFlags);
        Application->Terminate();
        return;
    }
    GoToTray();
}

void TfrmBrisbolt::GoToTray() {
    if (ChangesPending || RestartDeferred) RebootMySystemToLockInTheChanges1->Visible = true;
    TrayIcon1->SetActive(true);
    Application->ProcessMessages();
    tmrDelayHide->SetEnabled(true);
}

void TfrmBrisbolt::tmrDelayHideTimer(TComponent*) {
    tmrDelayHide->SetEnabled(false);
    Hide();
}

void TfrmBrisbolt::mnuChangeSettingsClick(TComponent*) { ShowWizard(); }

void TfrmBrisbolt::RebootMySystemToLockInTheChanges1Click(TComponent*) {
    PlaySound(0);
    WinReboot1->ExitWindows(RestartFlags);
}

void TfrmBrisbolt::About1Click(TComponent*) {
    if (!frmAbout) ShowModalOnce<TfrmAbout>(frmAbout, this);
}

void TfrmBrisbolt::mnuCloseClick(TComponent*) { QuitProgram(); }

// Bound to no tray item: next to "Close" one slip would rewrite the network
// values and remove the program. The Start menu and Add/Remove Programs
// reach Uninstall through the uninstall switch instead.
void TfrmBrisbolt::UnInstall1Click(TComponent*) { Uninstall(); }

void TfrmBrisbolt::SingleInstance1AlreadyRunning(TComponent*, std::uint32_t, HWND hPrevWnd) {
    // With Brisbolt in the tray (it starts with Windows), Add/Remove
    // Programs would otherwise only hear that it is running: the running
    // copy, which holds the tray icon, does the uninstall instead.
    // Its questions must come up in front, with the keyboard.
    if (IsUninstallSwitch(Application->ParamStr(1)) && hPrevWnd) {
        AllowAnyForeground();
        if (PostMessageA(hPrevWnd, UninstallRequest(), 0, 0)) {
            Application->Terminate();
            return;
        }
    }
    ShowMessage(AlreadyRunningMessage);
    // Then what the user started Brisbolt for: the running copy opens its
    // wizard, or brings its open window to the front.
    if (hPrevWnd) {
        AllowAnyForeground();
        DWORD_PTR front = 0;
        if (SendMessageTimeoutA(hPrevWnd, ShowRequest(), 0, 0, SMTO_ABORTIFHUNG, 10000, &front) && front &&
            IsWindow(reinterpret_cast<HWND>(front)))
            SetForegroundWindow(reinterpret_cast<HWND>(front));
    }
    Application->Terminate();
}

// Windows 2000 and later let only the foreground program hand the
// foreground on; 95 and NT 4.0 have no such function (and no such rule).
void TfrmBrisbolt::AllowAnyForeground() {
    using AllowFunction = BOOL(WINAPI*)(DWORD);
    if (auto allow = reinterpret_cast<AllowFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AllowSetForegroundWindow"))))
        allow(static_cast<DWORD>(-1));  // ASFW_ANY
}

void TfrmBrisbolt::QuitProgram() {
    TrayIcon1->SetActive(false);
    ChangesPending = false;
    Application->ProcessMessages();
    Application->Terminate();
}

void TfrmBrisbolt::PlaySound(int sound) {
    // The first sound loads the system's sound library, which takes as long
    // as a good part of a window's making: while a window is being made, its
    // sound waits for it to be shown.
    if (sound == 1) {
        heldSound_ = -1;
        WaveHolder1->StopSound();
    } else if (WindowBeingMade()) {
        heldSound_ = sound;
    } else {
        WaveHolder1->PlayInternal(sound % 128);
    }
    Application->ProcessMessages();
}

bool TfrmBrisbolt::DelayQuarterSeconds(int count) { return brisbolt::DelayQuarterSeconds(count); }

void TfrmBrisbolt::Uninstall() {
    // A second request while the first one asks its questions is the same request.
    if (uninstalling_) return;
    uninstalling_ = true;
    ShowMessage(HasSavedOriginals() ? UninstallNotice : UninstallNoticeNothingSaved);
    if (!AskQuestion(UninstallQuestion)) {
        uninstalling_ = false;
        return;
    }
    // A run that never opened the wizard (the autostart with "/S", the
    // uninstall switch) has not classified the system yet, and version 0
    // takes the NT branch: on 95, 98 or Me the restore would write nothing
    // back and drop the saved originals.
    GetWindowsVersion();
    RestoreReport report;
    // What could not be written back stays saved, and so does everything
    // the uninstaller would remove: it refuses while originals are saved.
    if (!RestoreOriginalValues(&report) || HasSavedOriginals()) {
        if (report.refusedForRights)
            ShowMessage(UninstallNotRestored);
        else
            ShowMessage(UninstallNotWrittenBack[0] +
                        (report.notWrittenBack.empty() ? std::string("HKEY_LOCAL_MACHINE") + OriginalsKey
                                                       : report.notWrittenBack) +
                        UninstallNotWrittenBack[1]);
        uninstalling_ = false;
        return;
    }
    ClearProgramSettings();
    char folder[255] = {};
    GetWindowsDirectoryA(folder, sizeof folder);
    TrayIcon1->SetActive(false);
    std::string uninstaller = std::string(folder) + "\\" + UninstallerName;
    if (report.hadSet) uninstaller += std::string(" ") + UninstallerRestoredSwitch;
    WinExec(uninstaller.c_str(), SW_SHOWNORMAL);
    // No restart on the way out: the uninstaller is at work.
    ChangesPending = RestartDeferred = false;
    Application->Terminate();
}

UINT TfrmBrisbolt::UninstallRequest() {
    static const UINT message = RegisterWindowMessageA("Brisbolt.UninstallRequest");
    return message;
}

UINT TfrmBrisbolt::QuitRequest() {
    static const UINT message = RegisterWindowMessageA("Brisbolt.QuitRequest");
    return message;
}

LRESULT TfrmBrisbolt::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == UninstallRequest() && msg != 0) {
        UnInstall1Click(this);
        return 0;
    }
    if (msg == ShowRequest() && msg != 0) return AnswerShowRequest(wp);
    if (msg == AddressLookupStart) return StartAddressLookup(), 0;
    if (msg == WM_TIMER && wp == AddressLookupStart) return LookupWaitOver(), 0;
    if (msg == QuitRequest() && msg != 0) {
        // An uninstall under way ends the program itself.
        if (!uninstalling_) QuitProgram();
        return 0;
    }
    return TForm::WndProc(msg, wp, lp);
}

bool TfrmBrisbolt::IsUninstallSwitch(const std::string& argument) {
    return TApplication::IsSwitch(argument, UninstallSwitch);
}

std::string TfrmBrisbolt::GetLocalComputerName() {
    char name[255] = {};
    DWORD size = 254;
    if (!GetComputerNameA(name, &size)) return "Not Found";
    return name;
}

TfrmBrisbolt::~TfrmBrisbolt() {
    if (Application) Application->OnFormShown = nullptr;
    if (frmBrisbolt == this) SetDispatcher(nullptr);
}

bool TfrmBrisbolt::WindowBeingMade() const {
    // Not a window hidden for a while, as the wizard is behind a method window.
    return std::any_of(OpenWindows.begin(), OpenWindows.end(), [](TForm* form) { return !form->EverShown(); });
}

void TfrmBrisbolt::StartAddressLookup() {
    // A window that pumps messages while it is being made (the wizard, the
    // apply window) is shown first: the lookup waits for the notice of its
    // showing (two seconds at most), and a moment more, so that loading
    // WinSock never holds up its first picture.
    if (!WindowBeingMade()) {
        HostAddress1->Start();
        return;
    }
    lookupWaits_ = true;
    SetTimer(Handle(), AddressLookupStart, 2000, nullptr);
}

void TfrmBrisbolt::WindowShown() {
    if (const int sound = std::exchange(heldSound_, -1); sound >= 0) PlaySound(sound);
    // The same timer, shortened.
    if (lookupWaits_) SetTimer(Handle(), AddressLookupStart, 50, nullptr);
}

void TfrmBrisbolt::LookupWaitOver() {
    if (!std::exchange(lookupWaits_, false)) return;
    KillTimer(Handle(), AddressLookupStart);
    HostAddress1->Start();
}

UINT TfrmBrisbolt::ShowRequest() {
    static const UINT message = RegisterWindowMessageA("Brisbolt.ShowRequest");
    return message;
}

TForm* TfrmBrisbolt::FrontWindow() {
    // The innermost first: the one opened last that takes input, else the
    // one opened last.
    for (auto it = OpenWindows.rbegin(); it != OpenWindows.rend(); ++it)
        if ((*it)->HandleAllocated() && IsWindowEnabled((*it)->Handle())) return *it;
    for (auto it = OpenWindows.rbegin(); it != OpenWindows.rend(); ++it)
        if ((*it)->HandleAllocated()) return *it;
    return nullptr;
}

// Answered at once, so the second copy never waits for the wizard: the
// wizard opens from a message the dispatcher posts to itself.
LRESULT TfrmBrisbolt::AnswerShowRequest(WPARAM fromSelf) {
    if (uninstalling_ || Application->Terminated()) return 0;
    if (TForm* front = FrontWindow()) {
        SetForegroundWindow(front->Handle());
        return reinterpret_cast<LRESULT>(front->Handle());
    }
    if (fromSelf)
        ShowWizard();
    else
        PostMessageA(Handle(), ShowRequest(), 1, 0);
    return 0;
}

}  // namespace brisbolt
