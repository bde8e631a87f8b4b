// Reads REGEDIT4 files into a registry: keys, "name"="text", dword:, hex:,
// hex(n):, @ for the unnamed value, "name"=- and [-key] for deletions.
// A malformed file stops with an error naming the file and line.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/Registry.h"

namespace brisbolt {

class RegFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Applies the text; `source` names it in error messages.
void LoadRegText(RegistryBackend& registry, std::string_view text, const std::string& source);
void LoadRegFile(RegistryBackend& registry, const std::string& path);

}  // namespace brisbolt
