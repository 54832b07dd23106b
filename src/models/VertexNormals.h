#pragma once
// The vertex normal table the Quake model formats (MD2, MDL) index with one byte.
#include <array>
#include <cstddef>

#include "korvath/Types.h"

namespace korvath {

constexpr size_t kVertexNormalCount = 162;
extern const std::array<VECTOR3, kVertexNormalCount> kVertexNormals;

}  // namespace korvath
