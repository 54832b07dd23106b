#pragma once
// Decoded pixels as the picture and video decoders hand them to texture creation;
// rows run bottom to top.
#include <cstdint>
#include <vector>

namespace korvath {

struct IMAGE {
    std::vector<uint8_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;
};

}  // namespace korvath
