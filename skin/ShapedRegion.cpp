#include "skin/ShapedRegion.h"

#include "skin/MaskData.h"

namespace brisbolt {

void TShapedRegion::SetFromData(const void* bytes, std::size_t count) {
    region_.reset();
    if (!bytes || count < sizeof(RGNDATAHEADER)) return;
    region_.reset(ExtCreateRegion(nullptr, static_cast<DWORD>(count), static_cast<const RGNDATA*>(bytes)));
}

void TShapedRegion::SetFromRegion(HRGN region) {
    if (!region) {
        region_.reset();
        return;
    }
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<std::uint8_t> data(size);
    if (size == 0 || GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())) == 0) {
        region_.reset();
        return;
    }
    SetFromData(data.data(), data.size());
}

void TShapedRegion::ReadData(std::span<const std::uint8_t> stored) {
    const auto outline = ReadMaskData(stored);
    if (!outline) {
        region_.reset();
        return;
    }
    const auto bytes = RegionDataBytes(*outline);
    SetFromData(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> TShapedRegion::WriteData() const {
    if (!region_) return WriteMaskData(std::nullopt);
    const DWORD size = GetRegionData(region_.get(), 0, nullptr);
    std::vector<std::uint8_t> data(size);
    if (size == 0 || GetRegionData(region_.get(), size, reinterpret_cast<RGNDATA*>(data.data())) == 0)
        return WriteMaskData(std::nullopt);
    return WriteMaskData(ParseRegionData(data));
}

UniqueRegion TShapedRegion::Copy() const {
    if (!region_) return UniqueRegion();
    UniqueRegion copy(CreateRectRgn(0, 0, 0, 0));
    if (copy && CombineRgn(copy.get(), region_.get(), nullptr, RGN_COPY) == ERROR) copy.reset();
    return copy;
}

}  // namespace brisbolt
