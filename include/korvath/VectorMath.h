#pragma once
// Vector and quaternion arithmetic on the engine's own records, inline so that
// per-vertex and per-plane loops (the engine's and the host's) pay no call.
// A quaternion is a VECTOR4 with w last, as everywhere in the engine.
#include <cmath>

#include "korvath/Types.h"

namespace korvath {

inline VECTOR3 VectorAdd(const VECTOR3& a, const VECTOR3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline VECTOR3 VectorSubtract(const VECTOR3& a, const VECTOR3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline VECTOR3 VectorDelta(const VECTOR3& a, const VECTOR3& b) { return VectorSubtract(b, a); }  // from a to b
inline VECTOR3 VectorScale(const VECTOR3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline VECTOR3 VectorDivide(const VECTOR3& v, float s) { return {v.x / s, v.y / s, v.z / s}; }
inline float VectorDot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 VectorCross(const VECTOR3& a, const VECTOR3& b) {
    return {a.y * b.z - a.z * b.y, b.x * a.z - b.z * a.x, a.x * b.y - a.y * b.x};
}
inline float VectorLength(const VECTOR3& v) { return std::sqrt(VectorDot(v, v)); }
// The zero vector comes back unchanged.
inline VECTOR3 VectorNormalize(const VECTOR3& v) {
    float length = VectorLength(v);
    if (length == 0) length = 1;
    return VectorDivide(v, length);
}
inline float VectorDistance(const VECTOR3& a, const VECTOR3& b) { return VectorLength(VectorSubtract(b, a)); }

// a then b applied to a vector is QuaternionMultiply(a, b) (the Hamilton product).
inline VECTOR4 QuaternionMultiply(const VECTOR4& a, const VECTOR4& b) {
    VECTOR4 r;
    r.w = a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z;
    r.x = a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y;
    r.y = a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z;
    r.z = a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x;
    return r;
}

inline float QuaternionDot(const VECTOR4& a, const VECTOR4& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }

// The zero quaternion comes back unchanged.
inline VECTOR4 QuaternionNormalize(const VECTOR4& q) {
    float length = std::sqrt(QuaternionDot(q, q));
    if (length == 0) length = 1;
    return {q.x / length, q.y / length, q.z / length, q.w / length};
}

// Spherical interpolation from a (t = 0) to b (t = 1) of unit quaternions, along
// the shorter way round; nearly equal rotations are blended linearly, where the
// arc's sine would lose its precision.
inline VECTOR4 QuaternionSlerp(const VECTOR4& a, VECTOR4 b, float t) {
    float cosine = QuaternionDot(a, b);
    if (cosine < 0) {
        cosine = -cosine;
        b = {-b.x, -b.y, -b.z, -b.w};
    }
    float wa = 1 - t, wb = t;
    if (cosine < 0.9995f) {
        const float angle = std::acos(cosine);
        const float sine = std::sin(angle);
        wa = std::sin((1 - t) * angle) / sine;
        wb = std::sin(t * angle) / sine;
    }
    return QuaternionNormalize({wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w});
}

}  // namespace korvath
