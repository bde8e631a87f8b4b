#include "skin/ControlAtPoint.h"

#include "runtime/Control.h"

namespace brisbolt {

namespace {

// The visible child of parent at the point, or null. Child windows lie over
// the controls painted on their parent and, as the system stacks them, the
// first made on top; the painted ones are topmost-last.
TControl* ChildAt(const TWinControl& parent, POINT screen) {
    const auto& controls = parent.Controls();
    for (TControl* control : controls)
        if (control->AsWinControl() && control->Visible() && control->ContainsScreenPoint(screen)) return control;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (!(*it)->AsWinControl() && (*it)->Visible() && (*it)->ContainsScreenPoint(screen)) return *it;
    return nullptr;
}

}  // namespace

TControl* ControlAtScreenPoint(POINT screen) {
    TWinControl* window = FindControl(WindowFromPoint(screen));
    if (!window) return nullptr;
    // From the top: a disabled window may lie over the one the system found.
    while (window->Parent()) window = window->Parent();
    for (;;) {
        TControl* child = ChildAt(*window, screen);
        if (!child) return window;
        TWinControl* inner = child->AsWinControl();
        if (!inner) return child;
        window = inner;
    }
}

}  // namespace brisbolt
