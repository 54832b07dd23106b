#pragma once
// The engine's own reader of uncompressed true-colour TGA files.
#include <cstddef>
#include <cstdint>

#include "materials/Texture.h"

namespace korvath {

// Fills image with the file's rows in file order, each pixel reordered from
// B, G, R (, A) to R, G, B (, A). Returns GL_RGB for 24-bit files, GL_RGBA for
// 32-bit files and 0 for any other depth, a zero size or too few pixel bytes.
int32_t DecodeTga(const uint8_t* data, size_t size, IMAGE& image);

}  // namespace korvath
