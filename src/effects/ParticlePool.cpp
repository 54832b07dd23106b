#include "effects/ParticlePool.h"

#include <algorithm>

namespace korvath {

namespace {
constexpr float kCornerTexCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};

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
    vertices.assign(n * 4, ParticleVertex{});
    for (size_t i = 0; i < vertices.size(); ++i) {
        vertices[i].TexCoord[0] = kCornerTexCoords[2 * (i % 4)];
        vertices[i].TexCoord[1] = kCornerTexCoords[2 * (i % 4) + 1];
    }
    quadIndices.resize(std::min(n, kQuadsPerDraw) * 6);
    for (size_t q = 0; q * 6 < quadIndices.size(); ++q) {
        const uint16_t first = static_cast<uint16_t>(q * 4);
        const uint16_t triangles[6] = {first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2),
                                       first, static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 3)};
        std::copy(std::begin(triangles), std::end(triangles), &quadIndices[q * 6]);
    }
}

}  // namespace korvath
