#include "runtime/Gzip.h"

#include <zlib.h>

namespace brisbolt {

namespace {
// Nothing the program carries unpacks to more than this.
constexpr std::size_t Largest = 16u << 20;
}  // namespace

bool IsGzip(const std::uint8_t* bytes, std::size_t size) {
    return size >= 18 && bytes[0] == 0x1F && bytes[1] == 0x8B && bytes[2] == 8;
}

std::vector<std::uint8_t> Gunzip(const std::uint8_t* bytes, std::size_t size) {
    if (!IsGzip(bytes, size)) return {};
    // The trailer's last four bytes give the unpacked size (modulo 4 GiB).
    const std::size_t expected = bytes[size - 4] | bytes[size - 3] << 8 | bytes[size - 2] << 16 |
                                 static_cast<std::size_t>(bytes[size - 1]) << 24;
    if (expected == 0 || expected > Largest) return {};
    std::vector<std::uint8_t> out(expected);

    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return {};
    stream.next_in = const_cast<Bytef*>(bytes);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == expected;
    inflateEnd(&stream);
    if (!whole) return {};
    return out;
}

}  // namespace brisbolt
