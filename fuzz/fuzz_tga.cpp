// The engine's TGA reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "materials/TgaReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    korvath::IMAGE image;
    korvath::DecodeTga(data, size, image);
    return 0;
}
