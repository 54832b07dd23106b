#include "materials/TgaReader.h"

#include <algorithm>
#include <utility>

#include "platform/Files.h"
#include "platform/GL.h"

namespace korvath {

namespace {
constexpr size_t kHeaderBytes = 18;
constexpr uint8_t kRunLengthBit = 8;     // types 9, 10 and 11 are 1, 2 and 3 encoded
constexpr uint8_t kTopOriginBit = 0x20;  // descriptor: first row is the top one
constexpr uint8_t kRightOriginBit = 0x10;

enum class Kind { ColourMapped = 1, TrueColour = 2, Grey = 3 };

uint32_t Word(const uint8_t* bytes) { return bytes[0] | bytes[1] << 8; }

// One pixel of the given depth, unpacked to R, G, B, A.
struct Rgba {
    uint8_t R, G, B, A;
};

Rgba UnpackPixel(const uint8_t* p, int32_t bits) {
    switch (bits) {
        case 8: return {p[0], p[0], p[0], 255};
        case 15:
        case 16: {
            // 5 bits a channel, scaled so that 31 becomes 255.
            const uint32_t v = Word(p);
            auto widen = [](uint32_t c) { return static_cast<uint8_t>(c * 255 / 31); };
            return {widen(v >> 10 & 31), widen(v >> 5 & 31), widen(v & 31), 255};
        }
        case 24: return {p[2], p[1], p[0], 255};
        default: return {p[2], p[1], p[0], p[3]};
    }
}

struct Header {
    Kind kind;
    bool encoded;
    int32_t width, height;
    int32_t pixelBits;   // bits of one stored pixel (an index for colour-mapped files)
    int32_t colourBits;  // bits of the colour a pixel ends as
    uint32_t mapFirst, mapLength;
    int32_t mapEntryBits;
    uint8_t descriptor;
    size_t mapOffset, pixelOffset;
};

size_t BytesOf(int32_t bits) { return (static_cast<size_t>(bits) + 7) / 8; }

bool ReadHeader(const uint8_t* data, size_t size, Header& header) {
    if (size < kHeaderBytes) return false;
    const uint8_t type = data[2];
    const uint8_t base = type & ~kRunLengthBit;
    if (base < 1 || base > 3 || (type & ~(kRunLengthBit | 3)) != 0) return false;
    header.kind = static_cast<Kind>(base);
    header.encoded = (type & kRunLengthBit) != 0;
    header.width = static_cast<int16_t>(Word(data + 12));
    header.height = static_cast<int16_t>(Word(data + 14));
    header.pixelBits = data[16];
    header.descriptor = data[17];
    header.mapFirst = Word(data + 3);
    header.mapLength = Word(data + 5);
    header.mapEntryBits = data[7];
    if (header.width <= 0 || header.height <= 0) return false;

    // A colour map may be present in any kind of file; only colour-mapped files use it.
    const size_t mapBytes = data[1] == 1 ? header.mapLength * BytesOf(header.mapEntryBits) : 0;
    header.mapOffset = kHeaderBytes + data[0];
    header.pixelOffset = header.mapOffset + mapBytes;
    if (header.pixelOffset > size) return false;

    auto trueColourDepth = [](int32_t bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; };
    switch (header.kind) {
        case Kind::TrueColour:
            header.colourBits = header.pixelBits;
            return trueColourDepth(header.pixelBits);
        case Kind::Grey:
            header.colourBits = 24;
            return header.pixelBits == 8;
        case Kind::ColourMapped:
            header.colourBits = header.mapEntryBits;
            return data[1] == 1 && (header.pixelBits == 8 || header.pixelBits == 16) &&
                   trueColourDepth(header.mapEntryBits);
    }
    return false;
}

// Turns stored pixels into output pixels: through the colour map for
// colour-mapped files, directly otherwise.
class PixelWriter {
public:
    PixelWriter(const Header& header, const uint8_t* data, uint8_t* out, size_t channels)
        : header_(header), data_(data), out_(out), channels_(channels) {}

    bool Write(const uint8_t* stored, size_t at) {
        const uint8_t* source = stored;
        int32_t bits = header_.pixelBits;
        if (header_.kind == Kind::ColourMapped) {
            const uint32_t index = header_.pixelBits == 8 ? stored[0] : Word(stored);
            if (index < header_.mapFirst || index - header_.mapFirst >= header_.mapLength) return false;
            source = data_ + header_.mapOffset + (index - header_.mapFirst) * BytesOf(header_.mapEntryBits);
            bits = header_.mapEntryBits;
        }
        const Rgba c = UnpackPixel(source, bits);
        uint8_t* p = out_ + at * channels_;
        p[0] = c.R, p[1] = c.G, p[2] = c.B;
        if (channels_ == 4) p[3] = c.A;
        return true;
    }

private:
    const Header& header_;
    const uint8_t* data_;
    uint8_t* out_;
    size_t channels_;
};

// Decodes every pixel in stored order. Run-length packets may cross rows; a
// run longer than the pixels left is cut at the last pixel.
bool DecodePixels(const Header& header, const uint8_t* data, size_t size, size_t count, PixelWriter& writer) {
    const size_t stride = BytesOf(header.pixelBits);
    size_t at = header.pixelOffset;
    if (!header.encoded) {
        if ((size - at) / stride < count) return false;
        for (size_t i = 0; i < count; ++i, at += stride)
            if (!writer.Write(data + at, i)) return false;
        return true;
    }
    for (size_t done = 0; done < count;) {
        if (at >= size) return false;
        const uint8_t packet = data[at++];
        const size_t run = std::min<size_t>((packet & 0x7F) + 1, count - done);
        if (packet & 0x80) {
            if (size - at < stride) return false;
            for (size_t i = 0; i < run; ++i)
                if (!writer.Write(data + at, done + i)) return false;
            at += stride;
        } else {
            if ((size - at) / stride < run) return false;
            for (size_t i = 0; i < run; ++i, at += stride)
                if (!writer.Write(data + at, done + i)) return false;
        }
        done += run;
    }
    return true;
}

// Brings stored order to bottom-up, left-to-right rows.
void Reorient(std::vector<uint8_t>& pixels, int32_t width, int32_t height, size_t channels, uint8_t descriptor) {
    const size_t row = width * channels;
    if (descriptor & kTopOriginBit)
        for (int32_t y = 0; y < height / 2; ++y)
            std::swap_ranges(pixels.begin() + y * row, pixels.begin() + (y + 1) * row,
                             pixels.begin() + (height - 1 - y) * row);
    if (descriptor & kRightOriginBit)
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width / 2; ++x)
                std::swap_ranges(pixels.begin() + y * row + x * channels, pixels.begin() + y * row + (x + 1) * channels,
                                 pixels.begin() + y * row + (width - 1 - x) * channels);
}
}  // namespace

int32_t DecodeTga(const uint8_t* data, size_t size, IMAGE& image) {
    image = IMAGE{};
    Header header;
    if (!data || !ReadHeader(data, size, header)) return 0;
    const size_t count = static_cast<size_t>(header.width) * header.height;
    // Even fully run-length encoded, one packet byte and one pixel yield at most
    // 128 pixels: a size beyond that is a lie, and is not allocated for.
    const size_t available = size - header.pixelOffset;
    const size_t storedBytes = BytesOf(header.pixelBits);
    if (count / 128 > available / (storedBytes + (header.encoded ? 1 : 0))) return 0;

    const size_t channels = header.colourBits == 32 ? 4 : 3;
    std::vector<uint8_t> pixels(count * channels);
    PixelWriter writer(header, data, pixels.data(), channels);
    if (!DecodePixels(header, data, size, count, writer)) return 0;
    Reorient(pixels, header.width, header.height, channels, header.descriptor);
    image.Pixels = std::move(pixels);
    image.Width = header.width;
    image.Height = header.height;
    return channels == 4 ? GL_RGBA : GL_RGB;
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
