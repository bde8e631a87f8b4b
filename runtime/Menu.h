// Popup menus: items with "&" accelerators, "-" for a separator, Visible and
// OnClick. The menu is built afresh from its items each time it opens.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/Component.h"

namespace brisbolt {

class TMenuItem final : public TComponent {
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}

    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    std::function<void(TComponent* sender)> OnClick;

    bool IsSeparator() const { return Caption == "-"; }
    void Click() {
        if (OnClick) OnClick(this);
    }
};

class TPopupMenu final : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}

    // Items in menu order; the menu does not own them.
    void Add(TMenuItem* item) { items_.push_back(item); }
    const std::vector<TMenuItem*>& Items() const { return items_; }

    // Shows the menu at a screen position and returns when it closes; the
    // chosen item's OnClick runs before that.
    void Popup(int x, int y);

    // The system menu for the items now visible (ids are item index + 1).
    HMENU BuildMenu() const;

private:
    std::vector<TMenuItem*> items_;
};

}  // namespace brisbolt
