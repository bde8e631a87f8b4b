// Where a texture's copies go: tiled, centred or stretched over a W x H area.
#pragma once

#include <vector>

namespace brisbolt {

enum class TImageStyle { isTile, isCenter, isStretched };

// Right and bottom exclusive; a tile may reach past the area (it is clipped).
struct TexturePlace {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const TexturePlace&, const TexturePlace&) = default;
};

// Empty for an empty image or area.
std::vector<TexturePlace> PlaceTexture(TImageStyle style, int width, int height, int imageWidth, int imageHeight);

}  // namespace brisbolt
