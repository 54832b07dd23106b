#pragma once
// Lightmaps: brightened and uploaded as 128 x 128 RGB textures.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvath {

constexpr size_t kLightmapSide = 128;
constexpr size_t kLightmapBytes = kLightmapSide * kLightmapSide * 3;

// Triples every texel; a texel that would pass 255 is scaled down as a whole so
// its brightest component reaches 255 and its hue is kept.
void BrightenLightmap(uint8_t* texels, size_t texelCount);

// One GL texture name per whole lightmap of the lump.
std::vector<uint32_t> UploadLightmaps(const uint8_t* lump, size_t length);

}  // namespace korvath
