#include "world/BspLightmaps.h"

#include <cmath>

#include "core/Lighting.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace korvath {

void BrightenLightmap(uint8_t* texels, size_t texelCount, float brightness) {
    BrightenColours(texels, texelCount, 3, brightness);
}

void BrightenColours(uint8_t* colours, size_t count, size_t stride, float brightness) {
    for (size_t t = 0; t < count; ++t) {
        uint8_t* texel = colours + t * stride;
        float c[3];
        float scale = 1;
        for (int i = 0; i < 3; ++i) {
            c[i] = texel[i] * brightness / 255.0f;
            if (c[i] == 0) c[i] = 1 / 255.0f;
            if (c[i] > 1 && 1 / c[i] < scale) scale = 1 / c[i];
        }
        for (int i = 0; i < 3; ++i) texel[i] = static_cast<uint8_t>(std::nearbyint(c[i] * scale * 255));
    }
}

float LightBrightness() { return Lighting().Overbright ? kOverbrightBrightness : kLightmapBrightness; }

std::vector<uint32_t> UploadLightmaps(const uint8_t* lump, size_t length) {
    std::vector<uint32_t> names(length / kLightmapBytes);
    IMAGE image;
    image.Width = image.Height = static_cast<int32_t>(kLightmapSide);
    const float brightness = LightBrightness();
    for (size_t i = 0; i < names.size(); ++i) {
        image.Pixels.assign(lump + i * kLightmapBytes, lump + (i + 1) * kLightmapBytes);
        BrightenLightmap(image.Pixels.data(), kLightmapSide * kLightmapSide, brightness);
        names[i] = static_cast<uint32_t>(CreateTexture(GL_RGB, image));
    }
    return names;
}

}  // namespace korvath
