#pragma once
// Vector and quaternion arithmetic, 4 x 4 matrices in GL column order, and the
// whole-degree sine and cosine look-ups every rotation in the engine goes through.
#include <array>
#include <cmath>
#include <cstdint>

#include "korvath/Types.h"

namespace korvath {

using Matrix4 = std::array<float, 16>;  // m[4 * column + row]

// The engine's degree-to-radian factor: a Single constant, used in double
// precision wherever the tables or a rotation are computed.
constexpr double kDegreeFactor = static_cast<double>(0.0174532f);

// Rounding to the nearest whole number, halves to even.
inline int32_t RoundHalfEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

// Small vector helpers, inline because collision and drawing call them per plane
// and per vertex.
inline VECTOR3 VectorAdd(const VECTOR3& a, const VECTOR3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline VECTOR3 VectorDelta(const VECTOR3& a, const VECTOR3& b) { return {b.x - a.x, b.y - a.y, b.z - a.z}; }  // b - a
inline VECTOR3 VectorDivide(const VECTOR3& v, float s) { return {v.x / s, v.y / s, v.z / s}; }
inline float VectorDot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 VectorCross(const VECTOR3& a, const VECTOR3& b) {
    return {a.y * b.z - a.z * b.y, b.x * a.z - b.z * a.x, a.x * b.y - a.y * b.x};
}
// The zero vector comes back unchanged.
inline VECTOR3 VectorNormalize(const VECTOR3& v) {
    float length = std::sqrt(VectorDot(v, v));
    if (length == 0) length = 1;
    return VectorDivide(v, length);
}
inline float VectorDistance(const VECTOR3& a, const VECTOR3& b) {
    const VECTOR3 d = VectorDelta(a, b);
    return std::sqrt(VectorDot(d, d));
}
inline VECTOR3 VectorFill(const VECTOR3&, float s) { return {s, s, s}; }
inline VECTOR3 MakeVector(float x, float y, float z) { return {x, y, z}; }
inline VECTOR2 MakeVector2(float a, float b) { return {a, b}; }
inline VECTOR4 MakeQuaternion(float w, float x, float y, float z) { return {x, y, z, w}; }
VECTOR4 QuaternionMultiply(const VECTOR4& a, const VECTOR4& b);

Matrix4 MatrixIdentity();
Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b);
VECTOR3 TransformPoint(const float* m, const VECTOR3& p);

// A Single in [Min, Max + 1).
float RandomRange(float Min, float Max);

// The table index of an angle in degrees: rounded half to even, and wrapped into
// 0..359 when it falls outside 0..360 (360 itself has an entry).
int32_t DegreeIndex(float degrees);
// Sine and cosine of whole degrees from the engine's tables; computed directly
// while the tables do not exist (before Initialize, after teardown).
float TableSine(float degrees);
float TableCosine(float degrees);

// Moves P in the horizontal plane of the yaw R.y by speeds scaled with FrameTime.
VECTOR3 MoveAlongRotation(const VECTOR3& P, const VECTOR3& R, float x, float y, float z);
// Adds the deltas with one wrap into 0..360.
VECTOR3 AddRotation(const VECTOR3& R, float x, float y, float z);

}  // namespace korvath
