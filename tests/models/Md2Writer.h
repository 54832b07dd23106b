#pragma once
// Writes MD2 files for tests: frames, texture coordinates and triangles are
// given as the file stores them; header fields can be spoilt afterwards.
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

struct Md2FileTriangle {
    int16_t Vertex[3];
    int16_t TexCoord[3];
};

struct Md2File {
    int32_t Version = 8;
    int32_t SkinWidth = 256, SkinHeight = 256;
    std::vector<std::array<int16_t, 2>> TexCoords;
    std::vector<Md2FileTriangle> Triangles;
    std::vector<Md2FileFrame> Frames;

    std::vector<uint8_t> Bytes() const;
};

// Header fields by byte offset.
enum Md2Field : size_t {
    kMd2Version = 4, kMd2FrameSize = 16, kMd2VertexCount = 24, kMd2TexCoordCount = 28, kMd2TriangleCount = 32,
    kMd2FrameCount = 40, kMd2TexCoordOffset = 48, kMd2TriangleOffset = 52, kMd2FrameOffset = 56,
};
int32_t Md2Header(const std::vector<uint8_t>& bytes, Md2Field field);
void SetMd2Header(std::vector<uint8_t>& bytes, Md2Field field, int32_t value);

// Frames named name1, name2, ... (first at 1) of a quad: four vertices of a
// unit square in the file's x-y plane, moved by the frame number along x.
std::vector<Md2FileFrame> QuadFrames(const std::string& name, int count);
// Two triangles over the four quad vertices and coordinates (0, 0) to (255, 255).
Md2File QuadModel(const std::vector<Md2FileFrame>& frames);

}  // namespace korvath::test
