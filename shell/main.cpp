// Brisbolt's entry point: the dispatcher form as the main form, then the
// message loop until the program is asked to end.
#include <windows.h>

#include "runtime/Application.h"
#include "app/Globals.h"
#include "platform/MtuProbe.h"
#include "shell/frmBrisbolt.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace brisbolt;
    // The line measurement for scripts: one message box, no tray, and no
    // single-instance guard, so it runs beside a Brisbolt in the tray.
    if (IsFindMtuSwitch(TApplication::ParamStr(1))) return RunFindMtuCommand(TApplication::ParamStr(2));
    TApplication application;
    SetDispatcher(CreateForm<TfrmBrisbolt>(nullptr));
    application.MainForm = frmBrisbolt;
    // A copy that found another one running has asked to end while it was
    // being made; it shows nothing and leaves the tray alone. Off every
    // screen, the dispatcher does not take the foreground: the window it
    // opens takes it.
    if (!application.Terminated()) frmBrisbolt->ShowWithoutActivating();
    application.Run();
    TfrmBrisbolt* dispatcher = frmBrisbolt;
    SetDispatcher(nullptr);
    delete dispatcher;
    return 0;
}
