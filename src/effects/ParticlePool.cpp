#include "effects/ParticlePool.h"

#include <algorithm>

namespace korvath {

namespace {
constexpr float kCornerTexCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};
constexpr size_t kCornerFloats = 4 * 3, kColourFloats = 4 * 4, kTexCoordFloats = 4 * 2;

SHADER EmptyMaterial() {
    SHADER material;
    material.Stages.resize(1);
    return material;
}
}  // namespace

ParticlePool::ParticlePool(int32_t count) {
    Resize(count);
    for (PARTICLE& p : particles) {
        std::fill(std::begin(p.Color), std::end(p.Color), 1.0f);
        p.Visible = true;
    }
}

void ParticlePool::Resize(int32_t count) {
    const size_t n = static_cast<size_t>(std::max(count, 0));
    particles.assign(n, PARTICLE{});
    volumes.assign(n, VOLUME{});
    if (materials.size() < n) {
        // One group for the new ones: they all hold the same empty material.
        materialGroups.resize(n, NewGroup());
        materials.resize(n, EmptyMaterial());
    }
    corners.assign(n * kCornerFloats, 0.0f);
    colours.assign(n * kColourFloats, 0.0f);
    texCoords.resize(n * kTexCoordFloats);
    for (size_t i = 0; i < n; ++i) std::copy(std::begin(kCornerTexCoords), std::end(kCornerTexCoords), &texCoords[i * 8]);
}

}  // namespace korvath
