#include "world/LevelDeform.h"

#include <cmath>

#include "core/FrameTiming.h"
#include "materials/MaterialCodes.h"

namespace korvath {

namespace {

constexpr double kTwoPi = 6.283185307179586;

float WaveFactor(const WAVE& d, const VECTOR3& base) {
    const float offset = (base.y + base.x + base.z) / d.Position + d.Phase;
    float t = (offset + Timing().SceneTime) * d.Frequency;
    t -= std::trunc(t);
    return static_cast<float>(std::sin(kTwoPi * t)) * d.Amplitude + d.Base;
}

// A function outside 1..5 does not move the vertex.
float MoveFactor(WAVE& d) {
    const float x = d.Phase + d.Position;
    const bool firstHalf = (x - d.Base) < d.Amplitude / 2;
    float factor = 0;
    switch (d.Func) {
    case kFuncSin: factor = static_cast<float>(std::sin(kTwoPi * x)); break;
    case kFuncTriangle: factor = x; break;
    case kFuncSquare: factor = firstHalf ? 0.0f : 1.0f; break;
    case kFuncSawtooth: factor = firstHalf ? x : 1.0f; break;
    case kFuncInverseSawtooth: factor = 1 - (firstHalf ? x : 1.0f); break;
    default: break;
    }
    if (d.LastFunc != d.Func) {
        d.LastFunc = d.Func;
        d.Position = 0;
    }
    d.Position += Timing().FrameTime * d.Frequency;
    return factor;
}

}  // namespace

void DeformFace(Level& level, const BspFace& face, SHADER& material) {
    WAVE& d = material.Deform;
    for (int32_t v = face.FirstVertex; v < face.FirstVertex + face.VertexCount; ++v) {
        BspVertex& vertex = level.Vertices[static_cast<size_t>(v)];
        const VECTOR3& base = level.BasePositions[static_cast<size_t>(v)];
        VECTOR3 direction;
        float factor = 0;
        if (d.Kind == kDeformWave) {
            factor = WaveFactor(d, base);
            direction = vertex.Normal;
        } else if (d.Kind == kDeformMove) {
            factor = MoveFactor(d);
            direction = material.DeformMove;
        }
        vertex.Position = {base.x + direction.x * factor, base.y + direction.y * factor, base.z + direction.z * factor};
    }
}

}  // namespace korvath
