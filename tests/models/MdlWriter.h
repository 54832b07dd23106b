#pragma once
// Writes MDL files for tests: skins (plain or grouped), texture coordinates
// with their seam flags, triangles with their facing, and frames (plain or
// grouped); header fields can be spoilt afterwards by byte offset.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath::test {

struct MdlFileFrame {
    std::string Name;                              // NUL-padded to 16 bytes
    std::vector<std::array<uint8_t, 4>> Vertices;  // x, y, z, normal index
};

// Group 0 holds one picture; any other value is a skin group of several.
struct MdlFileSkin {
    int32_t Group = 0;
    std::vector<std::vector<uint8_t>> Pictures;
};

// Type 0 holds one frame; any other value is a frame group of several.
struct MdlFileFrameEntry {
    int32_t Type = 0;
    std::vector<MdlFileFrame> Frames;
};

struct MdlFile {
    std::string Ident = "IDPO";
    int32_t Version = 6;
    VECTOR3 Scale{1, 1, 1}, Translate;
    int32_t SkinWidth = 4, SkinHeight = 2;
    std::vector<MdlFileSkin> Skins;
    std::vector<std::array<int32_t, 3>> TexCoords;  // on-seam, s, t
    std::vector<std::array<int32_t, 4>> Triangles;  // faces-front, three vertexes
    std::vector<MdlFileFrameEntry> Frames;
    std::vector<uint8_t> Bytes() const;
};

// Header fields by byte offset.
enum MdlField : size_t {
    kMdlSkinCount = 48, kMdlSkinWidth = 52, kMdlSkinHeight = 56, kMdlVertexCount = 60,
    kMdlTriangleCount = 64, kMdlFrameCount = 68,
};
void SetMdlHeader(std::vector<uint8_t>& bytes, MdlField field, int32_t value);

// Plain frames name1, name2, ... of a unit square of four vertices (normal
// index 5), frame i moved to x = i.
std::vector<MdlFileFrameEntry> SquareFrames(const std::string& name, int count);
// The square on a 4 × 2 skin with two plain skins (indexes 0..7 and 8..15).
// Vertex 1 lies on the seam; triangle 0 faces front, triangle 1 back.
MdlFile SquareModel(const std::vector<MdlFileFrameEntry>& frames);

}  // namespace korvath::test
