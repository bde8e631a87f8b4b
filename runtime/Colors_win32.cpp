// System colours as this Windows paints them now.
#include <windows.h>

#include "runtime/Colors.h"

namespace brisbolt {

TColor ColorToRGB(TColor color) {
    return IsSystemColor(color) ? static_cast<TColor>(GetSysColor(color & 0xFF)) : color;
}

}  // namespace brisbolt
