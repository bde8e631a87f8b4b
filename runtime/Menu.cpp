#include "runtime/Menu.h"

#include "runtime/Application.h"
#include "runtime/Win32Handles.h"

namespace brisbolt {

HMENU TPopupMenu::BuildMenu() const {
    HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem* item = items_[i];
        if (!item->Visible) continue;
        if (item->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (item->Enabled ? 0 : MF_GRAYED);
        AppendMenuA(menu, flags, i + 1, item->Caption.c_str());
    }
    return menu;
}

void TPopupMenu::Popup(int x, int y) {
    UniqueMenu menu(BuildMenu());
    HWND owner = Application ? Application->Handle() : nullptr;
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    menu.reset();
    // Lets the menu of a background window close properly next time.
    if (owner) PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen > 0 && chosen <= items_.size()) items_[chosen - 1]->Click();
}

}  // namespace brisbolt
