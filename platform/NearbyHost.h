// The host a line measurement starts with: the default gateway, else the
// first DNS server, as this machine's TCP/IP settings hold them. Portable:
// it reads through the program's registry routines.
#pragma once

#include <string>

namespace brisbolt {

// A dotted address; empty when the registry names neither.
std::string FindNearbyHost();

// The first usable dotted address of a registry value's text: lists are
// separated by commas, blanks or (REG_MULTI_SZ) nulls; 0.0.0.0 is skipped.
std::string FirstAddressIn(const std::string& text);

}  // namespace brisbolt
