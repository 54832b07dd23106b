#pragma once
// Pixel extent of text in the font selected last (the one Font::Load made), as the
// line editor and the console's word wrap measure it.
#include <cstdint>
#include <string>

namespace korvath {

struct TextExtent {
    int32_t Width = 0;
    int32_t Height = 0;
};

TextExtent MeasureText(const std::string& text);

}  // namespace korvath
