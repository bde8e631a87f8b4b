#include "settings/MemoryRegistry.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {

RegistryBackend& TestRegistry() {
    static MemoryRegistry registry;
    return registry;
}

bool OnRealRegistry() { return false; }

std::vector<std::uint8_t> RunnableVersions(std::initializer_list<std::uint8_t> versions) { return versions; }

}  // namespace brisbolt::test
