// The picture loader (BMP, DIB, GIF, JPEG) on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    korvath::IMAGE image;
    if (korvath::platform::DecodePicture(data, size, image) &&
        image.Pixels.size() != korvath::platform::BgrRowBytes(image.Width) * image.Height)
        std::abort();
    return 0;
}
