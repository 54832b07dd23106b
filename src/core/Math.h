#pragma once
// Vector and quaternion arithmetic, 4 x 4 matrices in GL column order, and the
// whole-degree sine and cosine look-ups every rotation in the engine goes through.
#include <array>
#include <cstdint>

#include "korvath/Types.h"

namespace korvath {

using Matrix4 = std::array<float, 16>;  // m[4 * column + row]

VECTOR3 VectorAdd(const VECTOR3& a, const VECTOR3& b);
VECTOR3 VectorDelta(const VECTOR3& a, const VECTOR3& b);  // b - a
VECTOR3 VectorDivide(const VECTOR3& v, float s);
float VectorDot(const VECTOR3& a, const VECTOR3& b);
VECTOR3 VectorCross(const VECTOR3& a, const VECTOR3& b);
VECTOR3 VectorNormalize(const VECTOR3& v);  // the zero vector comes back unchanged
float VectorDistance(const VECTOR3& a, const VECTOR3& b);
VECTOR3 VectorFill(const VECTOR3& v, float s);
VECTOR3 MakeVector(float x, float y, float z);
VECTOR2 MakeVector2(float a, float b);
VECTOR4 MakeQuaternion(float w, float x, float y, float z);
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
