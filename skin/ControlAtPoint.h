// The control under a point of the screen, as the hint bubble hands it to its
// direction handler: the innermost visible one, disabled ones included.
#pragma once

#include <windows.h>

namespace brisbolt {

class TControl;

// Null when the point is over no window of the program. WindowFromPoint
// passes over disabled child windows, so this goes down through the
// controls themselves instead.
TControl* ControlAtScreenPoint(POINT screen);

}  // namespace brisbolt
