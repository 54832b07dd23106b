#include "korvath/Frustum.h"

#include <cmath>
#include <cstring>

#include "platform/GL.h"
#include "world/EngineFrustum.h"
#include "world/FrustumPlanes.h"

namespace korvath {

namespace {

// Four planes side by side, one coefficient per vector, so a box is tested
// against a whole group at once without branches.
using Lanes = float __attribute__((vector_size(16)));
using LaneMasks = int32_t __attribute__((vector_size(16)));

struct PlaneGroup {
    Lanes a, b, c, d;
};

// The engine-wide table: planes 0-3 in the first group, 4 and 5 in the second,
// whose last two lanes repeat planes 4 and 5 so every lane holds a real plane.
// Until the first Update every plane is 0 x + 0 y + 0 z + 1: nothing is culled.
PlaneGroup g_planes[2] = {{{}, {}, {}, {1, 1, 1, 1}}, {{}, {}, {}, {1, 1, 1, 1}}};

void StorePlane(int slot, const float (&plane)[4]) {
    PlaneGroup& group = g_planes[slot / 4];
    const int lane = slot % 4;
    group.a[lane] = plane[0];
    group.b[lane] = plane[1];
    group.c[lane] = plane[2];
    group.d[lane] = plane[3];
}

void NormalizePlane(float (&plane)[4]) {
    const float m = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    if (m == 0) return;  // degenerate matrices leave a plane without direction
    for (float& k : plane) k /= m;
}

// The larger of two terms, where a NaN term is never chosen over a number: a
// corner whose value is NaN cannot pass a plane, so the other corner decides.
inline Lanes LargerTerm(Lanes p, Lanes q) { return ((q > p) | (p != p)) ? q : p; }

// Lanes where some corner of the box lies strictly inside the plane. The corner
// with the larger term on every axis has the largest value of all eight corners,
// because rounded sums never decrease when a term grows, so testing it alone
// decides the plane exactly as trying the corners one by one.
inline LaneMasks CornerPasses(const PlaneGroup& p, const VECTOR3& v1, const VECTOR3& v2) {
    const Lanes x = LargerTerm(p.a * v2.x, p.a * v1.x);
    const Lanes y = LargerTerm(p.b * v2.y, p.b * v1.y);
    const Lanes z = LargerTerm(p.c * v2.z, p.c * v1.z);
    return ((x + y) + z) + p.d > 0;
}

uint64_t LaneBits(LaneMasks m, bool all) {
    uint64_t halves[2];
    std::memcpy(halves, &m, sizeof halves);
    return all ? halves[0] & halves[1] : halves[0] | halves[1];
}

bool AllLanes(LaneMasks m) { return LaneBits(m, true) == ~uint64_t{0}; }
bool AnyLane(LaneMasks m) { return LaneBits(m, false) != 0; }

}  // namespace

std::array<FrustumPlane, 6> FrustumPlanes() {
    std::array<FrustumPlane, 6> planes;
    for (int k = 0; k < 6; ++k) {
        const PlaneGroup& group = g_planes[k / 4];
        const int lane = k % 4;
        planes[k] = {group.a[lane], group.b[lane], group.c[lane], group.d[lane]};
    }
    return planes;
}

void Frustum::Update() {
    // Zeroed first: without a current context GL leaves the arrays untouched.
    float proj[16] = {}, model[16] = {}, clip[16];
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
        float plane[4];
        for (int r = 0; r < 4; ++r) plane[r] = clip[r * 4 + 3] + sign[k] * clip[r * 4 + axis[k]];
        NormalizePlane(plane);
        StorePlane(k, plane);
        if (k >= 4) StorePlane(k + 2, plane);
    }
}

bool Frustum::BoxInFrustum(const VECTOR3& Vertex1, const VECTOR3& Vertex2) const {
    return AllLanes(CornerPasses(g_planes[0], Vertex1, Vertex2) & CornerPasses(g_planes[1], Vertex1, Vertex2));
}

bool Frustum::CubeInFrustum(float x, float y, float z, float s) const {
    // The same eight corners as this box, and the test does not depend on their order.
    return BoxInFrustum({x - s, y - s, z - s}, {x + s, y + s, z + s});
}

bool Frustum::PointInFrustum(float x, float y, float z, float Radius) const {
    for (const PlaneGroup& p : g_planes) {
        if (AnyLane(((p.a * x + p.b * y) + p.c * z) + p.d <= -Radius)) return false;
    }
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

namespace korvath {

Frustum& EngineFrustum() {
    static Frustum frustum;
    return frustum;
}

}  // namespace korvath
