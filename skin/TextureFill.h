// A picture that fills a skin background: tiled, centred or stretched, with
// an optional colour made into another one first.
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/Graphics.h"
#include "skin/TextureLayout.h"

namespace brisbolt {

class TTextureFill {
public:
    const TBitmap& Image() const { return image_; }
    TImageStyle ImageStyle() const { return imageStyle_; }
    // clNone: the image has no transparent colour.
    TColor TransparentColor() const { return transparentColor_; }
    TColor TransparentBackground() const { return transparentBackground_; }

    // Copies the picture.
    void SetImage(const TBitmap& value);
    void SetImageStyle(TImageStyle value) {
        imageStyle_ = value;
        Changed();
    }
    void SetTransparentColor(TColor value) {
        transparentColor_ = value;
        Changed();
    }
    void SetTransparentBackground(TColor value) {
        transparentBackground_ = value;
        Changed();
    }
    void Assign(const TTextureFill& other);

    // Paints nothing for an empty image.
    void PaintTexture(HDC target, int width, int height) const;

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    TBitmap image_;
    TImageStyle imageStyle_ = TImageStyle::isTile;
    TColor transparentColor_ = clNone;
    TColor transparentBackground_ = clBtnFace;
};

}  // namespace brisbolt
