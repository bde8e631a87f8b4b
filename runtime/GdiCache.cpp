#include "runtime/GdiCache.h"

namespace brisbolt {

HBRUSH GdiObjectCache::Brush(COLORREF color) {
    for (const BrushEntry& entry : brushes_)
        if (entry.color == color) return entry.brush.get();
    UniqueBrush made(CreateSolidBrush(color));
    if (!made) return nullptr;
    if (brushes_.size() >= Limit) brushes_.clear();
    brushes_.push_back({color, std::move(made)});
    return brushes_.back().brush.get();
}

HPEN GdiObjectCache::Pen(COLORREF color, int width, int style) {
    for (const PenEntry& entry : pens_)
        if (entry.color == color && entry.width == width && entry.style == style) return entry.pen.get();
    UniquePen made(CreatePen(style, width, color));
    if (!made) return nullptr;
    if (pens_.size() >= Limit) pens_.clear();
    pens_.push_back({color, width, style, std::move(made)});
    return pens_.back().pen.get();
}

GdiObjectCache& GdiObjects() {
    static GdiObjectCache cache;
    return cache;
}

namespace {

struct SharedPaintBuffer {
    UniqueMemoryDC dc;
    UniqueBitmap bitmap;
    HGDIOBJ first = nullptr;
    int width = 0, height = 0;
    bool lent = false;

    ~SharedPaintBuffer() {
        if (dc && first) SelectObject(dc.get(), first);
    }

    bool Fit(int w, int h) {
        if (bitmap && w <= width && h <= height) return true;
        if (!dc) dc.reset(CreateCompatibleDC(nullptr));
        if (!dc) return false;
        const int newWidth = w > width ? w : width, newHeight = h > height ? h : height;
        ClientDC screen(nullptr);
        UniqueBitmap grown(CreateCompatibleBitmap(screen.get(), newWidth, newHeight));
        if (!grown) return false;
        HGDIOBJ old = SelectObject(dc.get(), grown.get());
        if (!first) first = old;
        bitmap = std::move(grown);
        width = newWidth;
        height = newHeight;
        return true;
    }
};

SharedPaintBuffer& TheBuffer() {
    static SharedPaintBuffer buffer;
    return buffer;
}

}  // namespace

PaintBufferLoan::PaintBufferLoan(int width, int height) {
    SharedPaintBuffer& buffer = TheBuffer();
    if (buffer.lent || !buffer.Fit(width < 1 ? 1 : width, height < 1 ? 1 : height)) return;
    buffer.lent = true;
    dc_ = buffer.dc.get();
    saved_ = SaveDC(dc_);
    PatBlt(dc_, 0, 0, width, height, BLACKNESS);
}

PaintBufferLoan::~PaintBufferLoan() {
    if (!dc_) return;
    if (saved_) RestoreDC(dc_, saved_);
    TheBuffer().lent = false;
}

}  // namespace brisbolt
