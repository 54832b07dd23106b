#include "world/Volumes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvath {

namespace {

constexpr float kEmptyExtent = 65536;

Matrix4 Translation(const VECTOR3& p) {
    Matrix4 m = MatrixIdentity();
    m[12] = p.x;
    m[13] = p.y;
    m[14] = p.z;
    return m;
}

Matrix4 RotationX(float degrees) {
    const float c = TableCosine(degrees), s = TableSine(degrees);
    Matrix4 m = MatrixIdentity();
    m[5] = c;
    m[6] = s;
    m[9] = -s;
    m[10] = c;
    return m;
}

Matrix4 RotationY(float degrees) {
    const float c = TableCosine(degrees), s = TableSine(degrees);
    Matrix4 m = MatrixIdentity();
    m[0] = c;
    m[2] = -s;
    m[8] = s;
    m[10] = c;
    return m;
}

Matrix4 RotationZ(float degrees) {
    const float c = TableCosine(degrees), s = TableSine(degrees);
    Matrix4 m = MatrixIdentity();
    m[0] = c;
    m[1] = s;
    m[4] = -s;
    m[5] = c;
    return m;
}

Matrix4 Scaling(const VECTOR3& v) {
    Matrix4 m = MatrixIdentity();
    m[0] = v.x;
    m[5] = v.y;
    m[10] = v.z;
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
    Matrix4 m = MatrixMultiply(Scaling(Scale), RotationZ(Rotation.z));
    m = MatrixMultiply(m, RotationY(Rotation.y));
    m = MatrixMultiply(m, RotationX(Rotation.x));
    return MatrixMultiply(m, Translation(Position));
}

bool RangesOverlap(float a0, float a1, float b0, float b1) {
    auto within = [](float v, float low, float high) { return v >= low && v <= high; };
    return within(b0, a0, a1) || within(b1, a0, a1) || within(a0, b0, b1) || within(a1, b0, b1);
}

bool SlabEntry(float start, float direction, float low, float high, float& tnear, float& tfar) {
    // A ray (nearly) parallel to the slab never crosses its planes: it hits only
    // if it already runs between them.
    if (std::fabs(direction) <= kVolumeEpsilon) return start >= low && start <= high;
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
