// The portable build has no system registry and no version query: a store
// in memory and no version.
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

}  // namespace brisbolt
