#pragma once
// The picture loader: BMP, DIB, GIF and JPEG files into the rows a
// device-independent bitmap holds (bottom row first, B, G, R, each row padded to
// a multiple of 4 bytes). The format is recognised from the bytes, not the name.
#include <cstddef>
#include <cstdint>

#include "platform/Image.h"

namespace korvath::platform {

// Bytes per row of a 24-bit bitmap of the given width.
constexpr size_t BgrRowBytes(int32_t width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

// Compressed data cannot describe more pixels than this (an LZW code stands for
// at most 4096 pixels); a larger size announced by a header is a lie that would
// only cost memory.
bool SizeFitsData(int64_t width, int64_t height, size_t dataBytes);

// True and image filled for a readable bitmap picture. Icons, cursors, metafiles,
// pictures whose size the data cannot hold and anything unreadable give false
// and an empty image.
bool DecodePicture(const uint8_t* data, size_t size, IMAGE& image);

}  // namespace korvath::platform
