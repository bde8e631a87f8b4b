// A readable, sorted listing of a key and everything below it, for comparing
// registry states in tests and diagnostics. Test and tool code: the program
// itself carries no text streams.
#pragma once

#include <string>
#include <string_view>

#include "settings/Registry.h"

namespace brisbolt {

// Empty text when the key is missing.
std::string DumpKeyTree(RegistryBackend& registry, RootKey root, std::string_view path);

}  // namespace brisbolt
