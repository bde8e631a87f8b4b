#include "app/Services.h"

#include <windows.h>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "app/Globals.h"

namespace brisbolt {

namespace {
DispatcherServices* dispatcher = nullptr;
}  // namespace

void SetDispatcherServices(DispatcherServices* services) { dispatcher = services; }

void PlayClick() {
    if (dispatcher)
        dispatcher->Click();
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
    if (dispatcher) dispatcher->EndProgram();
}

void QuitWhenConfirmed() {
    if (SystemAccelerated || AskQuestion(QuitQuestion)) QuitProgram();
}

}  // namespace brisbolt
