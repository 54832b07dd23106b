#pragma once
// Writes MD2 files for tests: frames, texture coordinates and triangles as the
// file stores them; header fields can be spoilt afterwards by byte offset.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath::test {

struct Md2FileFrame {
    std::string Name;  // NUL-padded to 16 bytes
    VECTOR3 Scale{1, 1, 1};
    VECTOR3 Translate;
    std::vector<std::array<uint8_t, 4>> Vertices;  // x, y, z, normal index
};

struct Md2File {
    int32_t Version = 8;
    std::vector<std::array<int16_t, 2>> TexCoords;  // on a 256 x 256 skin
    std::vector<std::array<int16_t, 6>> Triangles;  // three vertexes, three coordinates
    std::vector<Md2FileFrame> Frames;
    std::vector<uint8_t> Bytes() const;
};

// Header fields by byte offset.
enum Md2Field : size_t {
    kMd2FrameSize = 16, kMd2VertexCount = 24, kMd2TexCoordCount = 28, kMd2TriangleCount = 32,
    kMd2FrameCount = 40, kMd2TexCoordOffset = 48, kMd2TriangleOffset = 52, kMd2FrameOffset = 56,
};
void SetMd2Header(std::vector<uint8_t>& bytes, Md2Field field, int32_t value);

// Frames name1, name2, ... of a unit square of four vertices (normal index 5)
// in the file's x-y plane, frame i moved to x = i.
std::vector<Md2FileFrame> QuadFrames(const std::string& name, int count);
// The square's two triangles and coordinates (0, 0) to (255, 255) over frames.
Md2File QuadModel(const std::vector<Md2FileFrame>& frames);

}  // namespace korvath::test
