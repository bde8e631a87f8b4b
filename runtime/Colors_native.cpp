// The portable build has no system to ask: system colours are those of the
// classic Windows scheme.
#include "runtime/Colors.h"

namespace brisbolt {

TColor ColorToRGB(TColor color) { return IsSystemColor(color) ? ClassicSystemColor(color & 0xFF) : color; }

}  // namespace brisbolt
