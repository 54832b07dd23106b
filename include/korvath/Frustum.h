#pragma once
// Culling against the view volume of the current GL matrices. The six planes are
// engine-wide: an Update through any Frustum object serves all of them.
#include <cstdint>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

class Frustum {
public:
    // Recomputes the planes from the current projection and modelview matrices.
    void Update();
    // Axis-aligned box with corners Vertex1 and Vertex2.
    bool BoxInFrustum(const VECTOR3& Vertex1, const VECTOR3& Vertex2) const;
    // Cube of centre (x, y, z) and half-width Size.
    bool CubeInFrustum(float x, float y, float z, float Size) const;
    // Sphere of centre (x, y, z).
    bool PointInFrustum(float x, float y, float z, float Radius) const;
    // One more than the index of the first visible element, 0 for none, -1 when
    // an element without a computed volume comes first.
    int32_t VolumeInFrustum(const std::vector<VOLUME>& Volume) const;
};

}  // namespace korvath
