#include "skin/MaskData.h"

#include <algorithm>

namespace brisbolt {
namespace {

constexpr std::uint32_t RectangleListType = 1;
constexpr std::size_t RectSize = 16;

std::int32_t ReadInt(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t v = std::uint32_t(bytes[at]) | (std::uint32_t(bytes[at + 1]) << 8) |
                      (std::uint32_t(bytes[at + 2]) << 16) | (std::uint32_t(bytes[at + 3]) << 24);
    return static_cast<std::int32_t>(v);
}

void WriteInt(std::vector<std::uint8_t>& out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

MaskRect ReadRect(std::span<const std::uint8_t> bytes, std::size_t at) {
    return {ReadInt(bytes, at), ReadInt(bytes, at + 4), ReadInt(bytes, at + 8), ReadInt(bytes, at + 12)};
}

void WriteRect(std::vector<std::uint8_t>& out, const MaskRect& r) {
    WriteInt(out, r.left);
    WriteInt(out, r.top);
    WriteInt(out, r.right);
    WriteInt(out, r.bottom);
}

}  // namespace

std::optional<RegionRects> ParseRegionData(std::span<const std::uint8_t> rgndata) {
    if (rgndata.size() < RegionHeaderSize) return std::nullopt;
    if (ReadInt(rgndata, 0) != std::int32_t(RegionHeaderSize)) return std::nullopt;
    if (ReadInt(rgndata, 4) != std::int32_t(RectangleListType)) return std::nullopt;
    std::int32_t count = ReadInt(rgndata, 8);
    if (count < 0 || std::size_t(count) != (rgndata.size() - RegionHeaderSize) / RectSize ||
        RegionHeaderSize + std::size_t(count) * RectSize != rgndata.size())
        return std::nullopt;
    // The list size may be left 0 ("not known"); otherwise it has to agree.
    std::int32_t listSize = ReadInt(rgndata, 12);
    if (listSize != 0 && std::int64_t(listSize) != std::int64_t(count) * std::int64_t(RectSize)) return std::nullopt;
    RegionRects outline;
    outline.bounds = ReadRect(rgndata, 16);
    outline.rects.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i)
        outline.rects.push_back(ReadRect(rgndata, RegionHeaderSize + std::size_t(i) * RectSize));
    return outline;
}

std::optional<RegionRects> ReadMaskData(std::span<const std::uint8_t> stored) {
    if (stored.size() < 4) return std::nullopt;
    std::int32_t n = ReadInt(stored, 0);
    if (n <= 0 || std::size_t(n) > stored.size() - 4) return std::nullopt;
    return ParseRegionData(stored.subspan(4, std::size_t(n)));
}

std::vector<std::uint8_t> RegionDataBytes(const RegionRects& outline) {
    std::vector<std::uint8_t> out;
    out.reserve(RegionHeaderSize + outline.rects.size() * RectSize);
    auto count = static_cast<std::int32_t>(outline.rects.size());
    WriteInt(out, std::int32_t(RegionHeaderSize));
    WriteInt(out, std::int32_t(RectangleListType));
    WriteInt(out, count);
    WriteInt(out, count * std::int32_t(RectSize));
    WriteRect(out, outline.bounds);
    for (const auto& r : outline.rects) WriteRect(out, r);
    return out;
}

std::vector<std::uint8_t> WriteMaskData(const std::optional<RegionRects>& outline) {
    std::vector<std::uint8_t> out;
    if (!outline) {
        WriteInt(out, 0);
        return out;
    }
    std::vector<std::uint8_t> data = RegionDataBytes(*outline);
    WriteInt(out, static_cast<std::int32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

RegionRects MaskFromPicture(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixelAt,
                            std::uint32_t transparent) {
    RegionRects outline;
    std::vector<std::pair<int, int>> band;  // runs of the band being built
    int bandTop = 0;
    auto closeBand = [&](int bottom) {
        for (auto [left, right] : band) outline.rects.push_back({left, bandTop, right, bottom});
    };
    for (int y = 0; y < height; ++y) {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < width;) {
            if (pixelAt(x, y) == transparent) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && pixelAt(x, y) != transparent) ++x;
            runs.emplace_back(start, x);
        }
        if (runs != band || runs.empty()) {
            closeBand(y);
            band = std::move(runs);
            bandTop = y;
        }
    }
    closeBand(height);
    if (!outline.rects.empty()) {
        MaskRect& b = outline.bounds;
        b = outline.rects.front();
        for (const auto& r : outline.rects) {
            b.left = std::min(b.left, r.left);
            b.right = std::max(b.right, r.right);
            b.bottom = std::max(b.bottom, r.bottom);
        }
    }
    return outline;
}

}  // namespace brisbolt
