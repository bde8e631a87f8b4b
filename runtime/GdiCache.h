// Pens, brushes and the off-screen paint buffer, made once and kept for the
// whole program: Windows 9x has a small GDI heap, and painting runs often.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "runtime/Win32Handles.h"

namespace brisbolt {

// Solid brushes and pens, one per colour (and width and style). A handle is
// good until the next request of the same kind: a full cache is emptied
// before it makes another, so draw with one pen and one brush at a time.
class GdiObjectCache {
public:
    static constexpr std::size_t Limit = 64;

    HBRUSH Brush(COLORREF color);
    HPEN Pen(COLORREF color, int width = 1, int style = PS_SOLID);
    std::size_t Brushes() const { return brushes_.size(); }
    std::size_t Pens() const { return pens_.size(); }

private:
    struct BrushEntry {
        COLORREF color;
        UniqueBrush brush;
    };
    struct PenEntry {
        COLORREF color;
        int width, style;
        UniquePen pen;
    };
    std::vector<BrushEntry> brushes_;
    std::vector<PenEntry> pens_;
};

// The program's one cache.
GdiObjectCache& GdiObjects();

// The off-screen picture every window paints into before it goes on
// screen: one screen-compatible bitmap in a memory DC, grown to the largest
// size asked for and kept. A loan hands it out black and in the DC's first
// state, as a new bitmap would be; a paint within a paint, or a bitmap the
// system cannot make, gets no DC (dc() is nullptr) and makes its own.
class PaintBufferLoan {
public:
    PaintBufferLoan(int width, int height);
    ~PaintBufferLoan();
    PaintBufferLoan(const PaintBufferLoan&) = delete;
    PaintBufferLoan& operator=(const PaintBufferLoan&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    int saved_ = 0;
};

}  // namespace brisbolt
