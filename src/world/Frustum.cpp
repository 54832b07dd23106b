#include "korvath/Frustum.h"

#include <cmath>

#include "platform/GL.h"

namespace korvath {

namespace {

// Right, left, bottom, top, near, far; (A, B, C) of unit length after Update.
// One table for the whole engine: every Frustum object reads the same planes.
float g_planes[6][4] = {};

void NormalizePlane(int index) {
    float* p = g_planes[index];
    const float m = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    if (m == 0) return;  // degenerate matrices leave the plane as it is
    for (int k = 0; k < 4; ++k) p[k] /= m;
}

inline bool Inside(const float* p, float x, float y, float z) { return p[0] * x + p[1] * y + p[2] * z + p[3] > 0; }

// True when some corner lies strictly inside every plane's half-space, tested
// plane by plane (a box is rejected only when one plane has all corners out).
bool CornersInFrustum(const float (&corners)[8][3]) {
    for (const float* p : g_planes) {
        bool passed = false;
        for (const float* c : corners)
            if (Inside(p, c[0], c[1], c[2])) {
                passed = true;
                break;
            }
        if (!passed) return false;
    }
    return true;
}

}  // namespace

void Frustum::Update() {
    float proj[16], model[16], clip[16];
    glGetFloatv(GL_PROJECTION_MATRIX, proj);
    glGetFloatv(GL_MODELVIEW_MATRIX, model);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            clip[i * 4 + j] = model[i * 4 + 0] * proj[0 * 4 + j] + model[i * 4 + 1] * proj[1 * 4 + j] +
                              model[i * 4 + 2] * proj[2 * 4 + j] + model[i * 4 + 3] * proj[3 * 4 + j];
    // Each plane is the fourth column plus or minus one of the first three.
    const int axis[6] = {0, 0, 1, 1, 2, 2};
    const float sign[6] = {-1, 1, 1, -1, 1, -1};
    for (int k = 0; k < 6; ++k) {
        for (int r = 0; r < 4; ++r) g_planes[k][r] = clip[r * 4 + 3] + sign[k] * clip[r * 4 + axis[k]];
        NormalizePlane(k);
    }
}

bool Frustum::BoxInFrustum(const VECTOR3& Vertex1, const VECTOR3& Vertex2) const {
    const VECTOR3 &a = Vertex1, &b = Vertex2;
    const float corners[8][3] = {{b.x, b.y, b.z}, {a.x, b.y, b.z}, {b.x, a.y, b.z}, {a.x, a.y, b.z},
                                 {b.x, b.y, a.z}, {a.x, b.y, a.z}, {b.x, a.y, a.z}, {a.x, a.y, a.z}};
    return CornersInFrustum(corners);
}

bool Frustum::CubeInFrustum(float x, float y, float z, float s) const {
    const float corners[8][3] = {{x - s, y - s, z - s}, {x + s, y - s, z - s}, {x - s, y + s, z - s},
                                 {x + s, y + s, z - s}, {x - s, y - s, z + s}, {x + s, y - s, z + s},
                                 {x - s, y + s, z + s}, {x + s, y + s, z + s}};
    return CornersInFrustum(corners);
}

bool Frustum::PointInFrustum(float x, float y, float z, float Radius) const {
    for (const float* p : g_planes)
        if (p[0] * x + p[1] * y + p[2] * z + p[3] <= -Radius) return false;
    return true;
}

int32_t Frustum::VolumeInFrustum(const std::vector<VOLUME>& Volume) const {
    for (size_t i = 0; i < Volume.size(); ++i) {
        if (!Volume[i].Enabled) return -1;
        if (BoxInFrustum(Volume[i].Min, Volume[i].Max)) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

}  // namespace korvath
