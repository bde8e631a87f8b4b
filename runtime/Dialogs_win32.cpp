// The system's message boxes, over the window that is active.
#include <windows.h>

#include "runtime/Dialogs.h"

namespace brisbolt {

int SystemDialog(DialogKind kind, const std::string& text) {
    HWND owner = GetActiveWindow();
    if (kind == DialogKind::Question)
        return MessageBoxA(owner, text.c_str(), "Brisbolt", MB_YESNO | MB_ICONINFORMATION);
    return MessageBoxA(owner, text.c_str(), "Brisbolt", MB_OK);
}

}  // namespace brisbolt
