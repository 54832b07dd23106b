#pragma once
// Read access to the engine-wide frustum plane table, in the order right, left,
// bottom, top, near, far; each plane is (A, B, C, D) with a point inside when
// A x + B y + C z + D > 0.
#include <array>

namespace korvath {

using FrustumPlane = std::array<float, 4>;

std::array<FrustumPlane, 6> FrustumPlanes();

}  // namespace korvath
