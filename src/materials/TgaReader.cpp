#include "materials/TgaReader.h"

#include <utility>

#include "core/Math.h"
#include "platform/Files.h"
#include "platform/GL.h"

namespace korvath {

namespace {
constexpr size_t kHeaderBytes = 18;

// Header sizes are signed 16-bit values.
int32_t SignedWord(const uint8_t* bytes) {
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | bytes[1] << 8));
}
}  // namespace

// The image-ID length, colour map, image type and descriptor are not consulted:
// pixels follow the header directly, bottom row first. RLE and colour-mapped
// files are therefore not decoded, only read as if they were plain.
int32_t DecodeTga(const uint8_t* data, size_t size, IMAGE& image) {
    image = IMAGE{};
    if (size < kHeaderBytes) return 0;
    const int32_t width = SignedWord(data + 12);
    const int32_t height = SignedWord(data + 14);
    const int32_t bytesPerPixel = RoundHalfEven(data[16] / 8.0);
    if (bytesPerPixel != 3 && bytesPerPixel != 4) return 0;
    if (width <= 0 || height <= 0) return 0;
    const size_t pixelBytes = static_cast<size_t>(width) * height * bytesPerPixel;
    if (size - kHeaderBytes < pixelBytes) return 0;

    std::vector<uint8_t> pixels(data + kHeaderBytes, data + kHeaderBytes + pixelBytes);
    for (size_t i = 0; i < pixelBytes; i += bytesPerPixel) std::swap(pixels[i], pixels[i + 2]);
    image.Pixels = std::move(pixels);
    image.Width = width;
    image.Height = height;
    return bytesPerPixel == 3 ? GL_RGB : GL_RGBA;
}

int32_t TgaTextureFromBytes(const std::vector<uint8_t>& bytes) {
    IMAGE image;
    const int32_t format = DecodeTga(bytes.data(), bytes.size(), image);
    return format ? CreateTexture(format, image) : 0;
}

int32_t LoadTgaTexture(const std::string& path) {
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return TgaTextureFromBytes(bytes);
}

}  // namespace korvath
