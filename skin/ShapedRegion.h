// The outline of a shaped window: one region in window coordinates, read
// from and written to its stored form.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/Win32Handles.h"

namespace brisbolt {

class TShapedForm;

class TShapedRegion {
public:
    explicit TShapedRegion(TShapedForm* owner) : owner_(owner) {}
    TShapedRegion(const TShapedRegion&) = delete;
    TShapedRegion& operator=(const TShapedRegion&) = delete;

    TShapedForm* Owner() const { return owner_; }
    // Null: no outline.
    HRGN Region() const { return region_.get(); }

    // RGNDATA bytes; null bytes, or bytes the system refuses, leave no outline.
    void SetFromData(const void* bytes, std::size_t count);
    // Keeps a copy of the region; null leaves no outline.
    void SetFromRegion(HRGN region);

    // The stored form: a 4-byte count N, then N bytes of RGNDATA. Data that
    // does not hold together gives no outline.
    void ReadData(std::span<const std::uint8_t> stored);
    std::vector<std::uint8_t> WriteData() const;

    // A copy the window may own.
    UniqueRegion Copy() const;

private:
    TShapedForm* owner_;
    UniqueRegion region_;
};

}  // namespace brisbolt
