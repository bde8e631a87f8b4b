#include "runtime/Graphics.h"

#include <algorithm>
#include <cstring>

#include "runtime/GdiCache.h"
#include "runtime/Gzip.h"
#include "runtime/Window.h"

namespace brisbolt {

// --- TFont

void TFont::Changed() {
    handle_.reset();
    if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

void TFont::SetStyle(unsigned style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    if (OnChange) OnChange();
}

void TFont::Assign(const TFont& other) {
    // The same font again keeps its handle: no new GDI object per paint.
    if (name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_) return;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    Changed();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.reset(CreateFontIndirectA(&lf));
    }
    return handle_.get();
}

// --- TCanvas

namespace {

// From the program's cache: a canvas lives for one paint, its colours for good.
HPEN PenOf(const TPen& pen) {
    if (pen.Style == PenStyle::Clear) return static_cast<HPEN>(GetStockObject(NULL_PEN));
    const int style = pen.Style == PenStyle::Dash ? PS_DASH : pen.Style == PenStyle::Dot ? PS_DOT : PS_SOLID;
    return GdiObjects().Pen(static_cast<COLORREF>(ColorToRGB(pen.Color)), pen.Width, style);
}

HGDIOBJ BrushOf(const TBrush& brush) {
    if (brush.Style == BrushStyle::Clear) return GetStockObject(NULL_BRUSH);
    return GdiObjects().Brush(static_cast<COLORREF>(ColorToRGB(brush.Color)));
}

}  // namespace

void TCanvas::SetHandle(HDC dc) { dc_ = dc; }

void TCanvas::FillRect(const RECT& rect) {
    if (Brush.Style == BrushStyle::Clear) return;
    ::FillRect(dc_, &rect, static_cast<HBRUSH>(BrushOf(Brush)));
}

void TCanvas::FrameRect(const RECT& rect) {
    ::FrameRect(dc_, &rect, static_cast<HBRUSH>(BrushOf(TBrush{Brush.Color, BrushStyle::Solid})));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    ScopedSelect p(dc_, PenOf(Pen));
    ScopedSelect b(dc_, BrushOf(Brush));
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    ScopedSelect p(dc_, PenOf(Pen));
    ScopedSelect b(dc_, BrushOf(Brush));
    ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
    ScopedSelect p(dc_, PenOf(Pen));
    ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    ScopedSelect f(dc_, Font.Handle());
    SetTextColor(dc_, static_cast<COLORREF>(ColorToRGB(Font.Color())));
    if (Brush.Style == BrushStyle::Clear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, static_cast<COLORREF>(ColorToRGB(Brush.Color)));
    }
    ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags) {
    ScopedSelect f(dc_, Font.Handle());
    SetTextColor(dc_, static_cast<COLORREF>(ColorToRGB(Font.Color())));
    SetBkMode(dc_, TRANSPARENT);
    return ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    ScopedSelect f(dc_, Font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

TColor TCanvas::Pixel(int x, int y) const { return static_cast<TColor>(GetPixel(dc_, x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color) { SetPixelV(dc_, x, y, static_cast<COLORREF>(ColorToRGB(color))); }

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    if (bitmap.Transparent) {
        TransparentCopy(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0,
                        static_cast<COLORREF>(ColorToRGB(bitmap.TransparentColor)));
        return;
    }
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& rect, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bitmap.DC(), 0, 0,
               bitmap.Width(), bitmap.Height(), SRCCOPY);
}

void TCanvas::CopyRect(const RECT& dest, HDC source, const RECT& sourceRect) {
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source, sourceRect.left,
               sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, SRCCOPY);
}

// --- TBitmap

TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
    if (dc_ && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    canvas_.SetHandle(nullptr);
    width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return;
    ClientDC screen(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) return;
    dc_.reset(CreateCompatibleDC(screen.get()));
    oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    width_ = width;
    height_ = height;
    canvas_.SetHandle(dc_.get());
    // A new picture starts white, as an empty canvas does.
    RECT all{0, 0, width, height};
    ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TCanvas& TBitmap::Canvas() { return canvas_; }

bool TBitmap::LoadFromBytes(const std::uint8_t* bytes, std::size_t size) {
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M') return false;
    BITMAPFILEHEADER file;
    std::memcpy(&file, bytes, sizeof file);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes + sizeof file);
    if (file.bfOffBits >= size || info->bmiHeader.biWidth <= 0 || info->bmiHeader.biHeight == 0) return false;
    const int width = info->bmiHeader.biWidth;
    const int height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    // The rows must all be there before the system reads them.
    const std::size_t stride = ((static_cast<std::size_t>(width) * info->bmiHeader.biBitCount + 31) / 32) * 4;
    if (info->bmiHeader.biCompression == BI_RGB && file.bfOffBits + stride * height > size) return false;
    SetSize(width, height);
    if (!bitmap_) return false;
    SetDIBitsToDevice(dc_.get(), 0, 0, width, height, 0, 0, 0, height, bytes + file.bfOffBits, info, DIB_RGB_COLORS);
    return true;
}

bool TBitmap::LoadFromResource(const char* name) {
    // A BITMAP resource is the file without its 14-byte file header.
    auto dib = ResourceBytes(name, MAKEINTRESOURCEA(2));
    if (dib.size() > sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, dib.data(), sizeof header);
        std::size_t colors = header.biClrUsed;
        if (colors == 0 && header.biBitCount <= 8) colors = std::size_t{1} << header.biBitCount;
        const std::size_t masks = header.biCompression == BI_BITFIELDS ? 12 : 0;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = static_cast<DWORD>(sizeof file + header.biSize + masks + colors * sizeof(RGBQUAD));
        file.bfSize = static_cast<DWORD>(sizeof file + dib.size());
        std::vector<std::uint8_t> whole(sizeof file);
        std::memcpy(whole.data(), &file, sizeof file);
        whole.insert(whole.end(), dib.begin(), dib.end());
        return LoadFromBytes(whole.data(), whole.size());
    }
    auto bytes = ResourceBytes(name);
    if (IsGzip(bytes.data(), bytes.size())) bytes = Gunzip(bytes.data(), bytes.size());
    return !bytes.empty() && LoadFromBytes(bytes.data(), bytes.size());
}

bool TBitmap::SaveToFile(const std::string& path) const {
    if (!bitmap_) return false;
    const std::size_t stride = ((static_cast<std::size_t>(width_) * 3 + 3) / 4) * 4;
    std::vector<std::uint8_t> pixels(stride * height_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    if (!GetDIBits(dc_.get(), bitmap_.get(), 0, height_, pixels.data(), &info, DIB_RGB_COLORS)) return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    UniqueKernelHandle out(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    auto write = [&](const void* data, std::size_t size) {
        DWORD written = 0;
        return WriteFile(out.get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    };
    return write(&file, sizeof file) && write(&info.bmiHeader, sizeof info.bmiHeader) &&
           write(pixels.data(), pixels.size());
}

void TBitmap::Assign(const TBitmap& other) {
    SetSize(other.Width(), other.Height());
    if (!other.Empty() && bitmap_) BitBlt(dc_.get(), 0, 0, width_, height_, other.DC(), 0, 0, SRCCOPY);
    Transparent = other.Transparent;
    TransparentColor = other.TransparentColor;
}

// --- TIcon and resources

bool TIcon::LoadFromResource(const char* name, int size) {
    icon_.reset(static_cast<HICON>(LoadImageA(ProgramInstance(), name, IMAGE_ICON, size, size, 0)));
    return static_cast<bool>(icon_);
}

std::vector<std::uint8_t> ResourceBytes(const char* name, const char* type) {
    HRSRC found = FindResourceA(ProgramInstance(), name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(ProgramInstance(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(ProgramInstance(), found));
}

namespace {

// The monochrome mask of TransparentCopy, kept and grown to the largest
// picture drawn, like the paint buffer.
HDC MaskOfSize(int width, int height) {
    struct Mask {
        UniqueMemoryDC dc{CreateCompatibleDC(nullptr)};
        UniqueBitmap bitmap;
        HGDIOBJ first = nullptr;
        int width = 0, height = 0;
        ~Mask() {
            if (dc && first) SelectObject(dc.get(), first);
        }
    };
    static Mask mask;
    if (!mask.dc) return nullptr;
    if (!mask.bitmap || width > mask.width || height > mask.height) {
        const int w = std::max(width, mask.width), h = std::max(height, mask.height);
        UniqueBitmap grown(CreateBitmap(w, h, 1, 1, nullptr));
        if (!grown) return nullptr;
        const HGDIOBJ old = SelectObject(mask.dc.get(), grown.get());
        if (!mask.first) mask.first = old;
        mask.bitmap = std::move(grown);
        mask.width = w;
        mask.height = h;
    }
    return mask.dc.get();
}

}  // namespace

void TransparentCopy(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     COLORREF key) {
    if (width <= 0 || height <= 0) return;
    // Blitting colour into monochrome turns the source's background colour
    // white and everything else black.
    const HDC maskDC = MaskOfSize(width, height);
    if (!maskDC) return;
    const COLORREF sourceBack = SetBkColor(source, key);
    BitBlt(maskDC, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    SetBkColor(source, sourceBack);

    // target ^ source, then cleared where the picture is, then ^ source again:
    // the key pixels come back unchanged and the rest become the picture.
    const COLORREF targetBack = SetBkColor(target, RGB(255, 255, 255));
    const COLORREF targetText = SetTextColor(target, RGB(0, 0, 0));
    BitBlt(target, x, y, width, height, source, sourceX, sourceY, SRCINVERT);
    BitBlt(target, x, y, width, height, maskDC, 0, 0, SRCAND);
    BitBlt(target, x, y, width, height, source, sourceX, sourceY, SRCINVERT);
    SetTextColor(target, targetText);
    SetBkColor(target, targetBack);
}

}  // namespace brisbolt
