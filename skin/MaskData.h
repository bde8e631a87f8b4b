// A window outline as a list of rectangles, and its stored form: a signed
// 4-byte byte count N, then N bytes laid out as Windows RGNDATA (a 32-byte
// header of type 1, then the rectangles). All integers little-endian.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace brisbolt {

// Right and bottom are exclusive.
struct MaskRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const MaskRect&, const MaskRect&) = default;
};

struct RegionRects {
    std::vector<MaskRect> rects;  // y-x banded, as Windows keeps them
    MaskRect bounds;
    friend bool operator==(const RegionRects&, const RegionRects&) = default;
};

inline constexpr std::size_t RegionHeaderSize = 32;

// The stored mask; nullopt means no outline (a rectangular window). That is
// the answer for N <= 0 and for data that does not hold together: fewer than
// N bytes after the count, a header that is not 32 bytes of type 1, or a
// rectangle count that disagrees with N. Bytes after the N are not looked at.
std::optional<RegionRects> ReadMaskData(std::span<const std::uint8_t> stored);

// The stored form; no outline writes N = 0 and nothing else.
std::vector<std::uint8_t> WriteMaskData(const std::optional<RegionRects>& outline);

// The bare RGNDATA bytes: what ExtCreateRegion takes and GetRegionData gives.
std::vector<std::uint8_t> RegionDataBytes(const RegionRects& outline);
std::optional<RegionRects> ParseRegionData(std::span<const std::uint8_t> rgndata);

// The outline of a picture the way a mask editor derives it: every pixel that
// differs from the transparent colour is inside. Each row is cut into runs,
// and neighbouring rows with the same runs share one band.
RegionRects MaskFromPicture(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixelAt,
                            std::uint32_t transparent);

}  // namespace brisbolt
