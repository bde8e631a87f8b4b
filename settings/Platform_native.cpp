// The portable build has no system registry, no version query and no
// windows: a store in memory, no version, and dialogs written to stderr.
#include <cstdio>

#include "runtime/Dialogs.h"
#include "settings/MemoryRegistry.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"

namespace brisbolt {

RegistryBackend& DefaultRegistry() {
    static MemoryRegistry registry;
    return registry;
}

std::optional<SystemVersion> QuerySystemVersion() { return std::nullopt; }

bool QueryWinsock2() { return true; }

int SystemDialog(DialogKind kind, const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return kind == DialogKind::Question ? AnswerNo : AnswerOk;
}

}  // namespace brisbolt

#include "runtime/Colors.h"

namespace brisbolt {
TColor ColorToRGB(TColor color) { return IsSystemColor(color) ? ClassicSystemColor(color & 0xFF) : color; }
}  // namespace brisbolt
