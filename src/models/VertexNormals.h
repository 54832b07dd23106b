#pragma once
// The vertex normal table the Quake model formats (MD2, MDL) index with one byte.
#include <array>
#include <cstddef>

#include "korvath/Types.h"

namespace korvath {

constexpr size_t kVertexNormalCount = 162;
extern const std::array<VECTOR3, kVertexNormalCount> kVertexNormals;

// The normal of a stored index; indexes past the table (162..255) read as entry 0.
inline const VECTOR3& VertexNormal(size_t index) {
    return kVertexNormals[index < kVertexNormalCount ? index : 0];
}

}  // namespace korvath
