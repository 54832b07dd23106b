#pragma once
// The projection that flattens points onto a plane as seen from a point light.
#include "core/Math.h"
#include "korvath/Types.h"

namespace korvath {

// Plane a·x + b·y + c·z + d = 0, light at L (w = 1): M = L ⊗ P - (P · L)·I in
// GL column order. A point's image lies on the plane after the divide by w.
Matrix4 PlanarShadowMatrix(const VECTOR3& light, float a, float b, float c, float d);

}  // namespace korvath
