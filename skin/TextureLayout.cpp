#include "skin/TextureLayout.h"

namespace brisbolt {

std::vector<TexturePlace> PlaceTexture(TImageStyle style, int width, int height, int imageWidth, int imageHeight) {
    std::vector<TexturePlace> places;
    if (imageWidth <= 0 || imageHeight <= 0 || width <= 0 || height <= 0) return places;
    switch (style) {
        case TImageStyle::isStretched: places.push_back({0, 0, width, height}); break;
        case TImageStyle::isCenter: {
            const int x = imageWidth < width ? (width - imageWidth) / 2 : 0;
            const int y = imageHeight < height ? (height - imageHeight) / 2 : 0;
            places.push_back({x, y, x + imageWidth, y + imageHeight});
            break;
        }
        case TImageStyle::isTile:
            for (int c = 0; c * imageWidth < width; ++c)
                for (int r = 0; r * imageHeight < height; ++r)
                    places.push_back({c * imageWidth, r * imageHeight, (c + 1) * imageWidth, (r + 1) * imageHeight});
            break;
    }
    return places;
}

}  // namespace brisbolt
