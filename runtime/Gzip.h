// Pictures are stored gzip-compressed inside the program and unpacked when
// they are loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brisbolt {

bool IsGzip(const std::uint8_t* bytes, std::size_t size);
// The unpacked bytes; empty when the data is damaged or not gzip.
std::vector<std::uint8_t> Gunzip(const std::uint8_t* bytes, std::size_t size);

}  // namespace brisbolt
