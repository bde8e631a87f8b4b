// Drawing: fonts, pens and brushes that make their GDI objects on demand, a
// canvas over a device context, off-screen bitmaps and icons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/Colors.h"
#include "runtime/Win32Handles.h"

namespace brisbolt {

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
public:
    std::string Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    unsigned Style() const { return style_; }
    void SetStyle(unsigned style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void Assign(const TFont& other);

    HFONT Handle() const;
    // Runs after every change (controls repaint).
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    unsigned style_ = 0;
    TColor color_ = clWindowText;
    mutable UniqueFont handle_;
};

enum class BrushStyle { Solid, Clear };
enum class PenStyle { Solid, Dash, Dot, Clear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
};

struct TBrush {
    TColor Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
};

class TBitmap;

// Draws on a device context it does not own.
class TCanvas {
public:
    explicit TCanvas(HDC dc = nullptr) : dc_(dc) {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc);

    TPen Pen;
    TBrush Brush;
    TFont Font;

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::string& text);
    // DrawText with the given DT_ flags; returns the height drawn.
    int DrawText(const std::string& text, RECT& rect, UINT flags);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const RECT& rect, const TBitmap& bitmap);
    void CopyRect(const RECT& dest, HDC source, const RECT& sourceRect);

private:
    HDC dc_;
};

// An off-screen 24-bit picture with a canvas of its own.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    void SetSize(int width, int height);
    TCanvas& Canvas();
    HBITMAP Handle() const { return bitmap_.get(); }
    HDC DC() const { return dc_.get(); }

    // From a BMP file's bytes (any depth the system reads); false when they are no bitmap.
    bool LoadFromBytes(const std::uint8_t* bytes, std::size_t size);
    // A BITMAP resource, or an RCDATA resource holding a BMP file; either may
    // be stored gzip-compressed.
    bool LoadFromResource(const char* name);
    // Writes a 24-bit BMP file.
    bool SaveToFile(const std::string& path) const;
    void Assign(const TBitmap& other);

    // When set, Draw leaves pixels of this colour out.
    bool Transparent = false;
    TColor TransparentColor = clLime;

private:
    void Release();

    int width_ = 0, height_ = 0;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    TCanvas canvas_;
};

// An icon owned by its holder.
class TIcon {
public:
    HICON Handle() const { return icon_.get(); }
    // Takes ownership of a copy of the icon.
    void Assign(HICON icon) { icon_.reset(icon ? CopyIcon(icon) : nullptr); }
    void Assign(const TIcon& other) { Assign(other.Handle()); }
    bool LoadFromResource(const char* name, int size = 32);
    bool Empty() const { return !icon_; }

private:
    UniqueIcon icon_;
};

// Reads raw resource bytes (RCDATA) of this program.
std::vector<std::uint8_t> ResourceBytes(const char* name, const char* type = MAKEINTRESOURCEA(10));

// Copies width x height pixels from source to target, leaving out every pixel
// of the key colour. Done with a monochrome mask and three plain blits, which
// every Windows version has (TransparentBlt is missing on 95 and NT 4.0 and
// leaks on 98).
void TransparentCopy(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     COLORREF key);

}  // namespace brisbolt
