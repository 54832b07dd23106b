#pragma once
// The engine's vector and quaternion arithmetic (public, in korvath/VectorMath.h),
// 4 x 4 matrices in GL column order, and the
// whole-degree sine and cosine look-ups every rotation in the engine goes through.
#include <array>
#include <cmath>
#include <cstdint>

#include "korvath/Types.h"
#include "korvath/VectorMath.h"

namespace korvath {

using Matrix4 = std::array<float, 16>;  // m[4 * column + row]

// The engine's degree-to-radian factor: a Single constant, used in double
// precision wherever the tables or a rotation are computed.
constexpr double kDegreeFactor = static_cast<double>(0.0174532f);

// Rounding to the nearest whole number, halves to even.
inline int32_t RoundHalfEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

inline VECTOR3 VectorFill(const VECTOR3&, float s) { return {s, s, s}; }
inline VECTOR3 MakeVector(float x, float y, float z) { return {x, y, z}; }
inline VECTOR2 MakeVector2(float a, float b) { return {a, b}; }
inline VECTOR4 MakeQuaternion(float w, float x, float y, float z) { return {x, y, z, w}; }

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
