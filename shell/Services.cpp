#include "shell/Services.h"

#include <windows.h>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "shell/Globals.h"
#include "shell/frmBrisbolt.h"

namespace brisbolt {

void PlayClick() {
    if (frmBrisbolt)
        frmBrisbolt->PlaySound(0);
    else
        Application->ProcessMessages();
}

bool DelayQuarterSeconds(int count) {
    if (count > 20) count = 1;
    for (int i = 0; i < count; ++i) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 250) {
            Application->ProcessMessages();
            Sleep(10);
        }
        Application->ProcessMessages();
    }
    return true;
}

void QuitProgram() {
    if (frmBrisbolt) frmBrisbolt->QuitProgram();
}

void QuitWhenConfirmed() {
    if (SystemAccelerated || AskQuestion(QuitQuestion)) QuitProgram();
}

}  // namespace brisbolt
