#include "core/Math.h"

#include <random>

#include "core/FrameTiming.h"
#include "core/ViewState.h"

namespace korvath {

Matrix4 MatrixIdentity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[4 * i + k] * b[4 * k + j];
            r[4 * i + j] = sum;
        }
    return r;
}

VECTOR3 TransformPoint(const float* m, const VECTOR3& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

float RandomRange(float Min, float Max) {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    return unit(generator) * (Max - Min + 1) + Min;
}

int32_t DegreeIndex(float degrees) {
    if (!std::isfinite(degrees)) return 0;
    // Reduce huge values first so the rounding stays inside 32 bits.
    const double reduced = std::fabs(degrees) > 1e6 ? std::fmod(static_cast<double>(degrees), 360.0) : degrees;
    int32_t index = RoundHalfEven(reduced);
    if (index < 0 || index > 360) index = ((index % 360) + 360) % 360;
    return index;
}

namespace {

// The table entry of the angle, or the function computed as the table would
// hold it while there is no table.
float TableLookup(const std::vector<float>& table, double (*function)(double), float degrees) {
    const int32_t index = DegreeIndex(degrees);
    if (table.size() > static_cast<size_t>(index)) return table[static_cast<size_t>(index)];
    return static_cast<float>(function(index * kDegreeFactor));
}

}  // namespace

float TableSine(float degrees) { return TableLookup(View().SineTable, std::sin, degrees); }
float TableCosine(float degrees) { return TableLookup(View().CosineTable, std::cos, degrees); }

VECTOR3 MoveAlongRotation(const VECTOR3& P, const VECTOR3& R, float x, float y, float z) {
    const float c = TableCosine(R.y), s = TableSine(R.y), t = Timing().FrameTime;
    // Each product is a Single before the two are combined.
    const float xc = x * c, zs = z * s, xs = x * s, zc = z * c;
    return {P.x - (xc - zs) * t, P.y - y * t, P.z - (xs + zc) * t};
}

VECTOR3 AddRotation(const VECTOR3& R, float x, float y, float z) {
    auto wrap = [](float s) { return s < 0 ? s + 360 : (s > 360 ? s - 360 : s); };
    return {wrap(R.x + x), wrap(R.y + y), wrap(R.z + z)};
}

}  // namespace korvath
