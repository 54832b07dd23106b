#pragma once
// The engine's own TGA reader: true-colour, grey and colour-mapped images,
// plain or run-length encoded, at either origin.
#include <cstddef>
#include <cstdint>

#include "materials/Texture.h"

namespace korvath {

// Fills image with the picture's rows bottom row first (the order GL uploads),
// each pixel as R, G, B (, A). Returns GL_RGBA when the picture carries alpha
// (32-bit pixels or 32-bit colour-map entries), GL_RGB otherwise, and 0 for a
// file it cannot decode completely: unknown type or depth, zero size, a colour
// index outside the map, or fewer bytes than the pixels need.
int32_t DecodeTga(const uint8_t* data, size_t size, IMAGE& image);

}  // namespace korvath
