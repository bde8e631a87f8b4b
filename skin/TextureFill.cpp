#include "skin/TextureFill.h"

#include "skin/SkinDraw.h"

namespace brisbolt {

void TTextureFill::SetImage(const TBitmap& value) {
    image_.Assign(value);
    Changed();
}

void TTextureFill::Assign(const TTextureFill& other) {
    image_.Assign(other.image_);
    imageStyle_ = other.imageStyle_;
    transparentColor_ = other.transparentColor_;
    transparentBackground_ = other.transparentBackground_;
    Changed();
}

void TTextureFill::PaintTexture(HDC target, int width, int height) const {
    if (image_.Empty() || width <= 0 || height <= 0) return;
    const int iw = image_.Width(), ih = image_.Height();
    TBitmap replaced;
    const TBitmap* source = &image_;
    if (transparentColor_ != clNone) {
        replaced.SetSize(iw, ih);
        FillSolid(replaced.DC(), RECT{0, 0, iw, ih}, transparentBackground_);
        DrawTransparent(TransparentMode::KeyColor, replaced.DC(), image_, transparentColor_, 0, 0);
        source = &replaced;
    }
    const int saved = SaveDC(target);
    IntersectClipRect(target, 0, 0, width, height);
    SetStretchBltMode(target, COLORONCOLOR);
    for (const TexturePlace& p : PlaceTexture(imageStyle_, width, height, iw, ih))
        StretchBlt(target, p.left, p.top, p.right - p.left, p.bottom - p.top, source->DC(), 0, 0, iw, ih, SRCCOPY);
    RestoreDC(target, saved);
}

}  // namespace brisbolt
