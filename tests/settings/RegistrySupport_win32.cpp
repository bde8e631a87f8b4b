#include "settings/Win32Registry.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {

RegistryBackend& TestRegistry() {
    static Win32Registry registry;
    return registry;
}

bool OnRealRegistry() { return true; }

// The version is fixed for the life of the process: only it can run.
std::vector<std::uint8_t> RunnableVersions(std::initializer_list<std::uint8_t> versions) {
    std::uint8_t saved = WindowsVersion;
    WindowsVersion = 0;
    const std::uint8_t running = GetWindowsVersion();
    WindowsVersion = saved;
    for (auto v : versions)
        if (v == running) return {running};
    return {};
}

}  // namespace brisbolt::test
