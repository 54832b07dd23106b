#include "world/Volumes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvath {

namespace {

constexpr float kEmptyExtent = 65536;

// The identity with the components of v at three entries: 12, 13, 14 make a
// translation, 0, 5, 10 a scale.
Matrix4 IdentityWith(const VECTOR3& v, int x, int y, int z) {
    Matrix4 m = MatrixIdentity();
    m[x] = v.x;
    m[y] = v.y;
    m[z] = v.z;
    return m;
}

// The rotation that turns axis u towards axis v: about x that is (y, z), about
// y (z, x) and about z (x, y).
Matrix4 AxisRotation(float degrees, int u, int v) {
    const float c = TableCosine(degrees), s = TableSine(degrees);
    Matrix4 m = MatrixIdentity();
    m[4 * u + u] = c;
    m[4 * u + v] = s;
    m[4 * v + u] = -s;
    m[4 * v + v] = c;
    return m;
}

}  // namespace

Box EmptyBox() {
    return {{kEmptyExtent, kEmptyExtent, kEmptyExtent}, {-kEmptyExtent, -kEmptyExtent, -kEmptyExtent}};
}

Box GrowBox(const Box& box, const VECTOR3& point) {
    return {{std::min(box.Min.x, point.x), std::min(box.Min.y, point.y), std::min(box.Min.z, point.z)},
            {std::max(box.Max.x, point.x), std::max(box.Max.y, point.y), std::max(box.Max.z, point.z)}};
}

Matrix4 ModelMatrix(const VECTOR3& Position, const VECTOR3& Rotation, const VECTOR3& Scale) {
    // MatrixMultiply(A, B) applies A first, so the chain reads from the point
    // outwards: scale, then z, y and x rotation, then the translation.
    Matrix4 m = MatrixMultiply(IdentityWith(Scale, 0, 5, 10), AxisRotation(Rotation.z, 0, 1));
    m = MatrixMultiply(m, AxisRotation(Rotation.y, 2, 0));
    m = MatrixMultiply(m, AxisRotation(Rotation.x, 1, 2));
    return MatrixMultiply(m, IdentityWith(Position, 12, 13, 14));
}

bool RangesOverlap(float a0, float a1, float b0, float b1) {
    auto within = [](float v, float low, float high) { return v >= low && v <= high; };
    return within(b0, a0, a1) || within(b1, a0, a1) || within(a0, b0, b1) || within(a1, b0, b1);
}

bool SlabEntry(float start, float direction, float low, float high, float& tnear, float& tfar) {
    // A ray parallel to the slab never crosses its planes: it hits only
    // if it already runs between them.
    if (direction == 0) return start >= low && start <= high;
    float t1 = (low - start) / direction;
    float t2 = (high - start) / direction;
    if (t1 > t2) std::swap(t1, t2);
    if (t1 > tnear) tnear = t1;
    if (t2 < tfar) tfar = t2;
    return tnear <= tfar;
}

VECTOR3 NearestOnLine(const VECTOR3& Start, const VECTOR3& Finish, const VECTOR3& Min, const VECTOR3& Max) {
    const float length = VectorDistance(Start, Finish);
    if (length == 0) return {};
    const VECTOR3 u = VectorDivide(VectorDelta(Start, Finish), length);
    const VECTOR3 centre = VectorDelta(Start, VectorDivide(VectorAdd(Min, Max), 2));
    const float along = VectorDot(centre, u);
    return {u.x * along, u.y * along, u.z * along};
}

}  // namespace korvath
