#pragma once
// Lightmaps: brightened and uploaded as 128 x 128 RGB textures.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvath {

constexpr size_t kLightmapSide = 128;
constexpr size_t kLightmapBytes = kLightmapSide * kLightmapSide * 3;

constexpr float kLightmapBrightness = 3;
constexpr float kOverbrightBrightness = 4;  // while the engine's Overbright setting is on

// Multiplies every texel by brightness; a texel that would pass 255 is scaled
// down as a whole so its brightest component reaches 255 and its hue is kept.
void BrightenLightmap(uint8_t* texels, size_t texelCount, float brightness);
// The same for count RGB colours stride bytes apart (a fourth byte is left alone).
void BrightenColours(uint8_t* colours, size_t count, size_t stride, float brightness);
// The brightness of the level's baked light, as the engine's Overbright setting says.
float LightBrightness();

// One GL texture name per whole lightmap of the lump, brightened as the
// engine's Overbright setting says.
std::vector<uint32_t> UploadLightmaps(const uint8_t* lump, size_t length);

}  // namespace korvath
