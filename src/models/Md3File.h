#pragma once
// The MD3 file layout and its reader: one part (legs, torso, head or weapon)
// from bytes in memory, every count and offset checked against the file and
// its surface before anything is read or sized by it.
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

// One tag of one frame: where a child part hangs and how it is turned.
struct Md3TagFrame {
    VECTOR3 Origin;
    VECTOR3 Axis[3];
};

// A vertex of one frame as the file stores it: a position in 1/64 units and
// the normal as two angles of 256 steps.
struct Md3Vertex {
    int16_t X = 0, Y = 0, Z = 0;
    uint8_t Normal[2] = {};
};

struct Md3Surface {
    std::string Name;
    int32_t VertexCount = 0;  // per frame
    int32_t FrameCount = 0;
    std::vector<Md3Vertex> Vertices;  // frame f's vertex v at f × VertexCount + v
    std::vector<VECTOR2> TexCoords;   // (s, 1 - t), one per vertex
    std::vector<uint32_t> Indices;    // three per triangle, each below VertexCount
};

struct Md3PartFile {
    int32_t FrameCount = 0;
    std::vector<std::string> TagNames;  // up to the first NUL, at most 64 bytes
    std::vector<Md3TagFrame> Tags;      // frame f's tag t at f × TagNames.size() + t
    std::vector<Md3Surface> Surfaces;
};

// WrongHeader and WrongSurface have reported their lines; Failed is a file
// whose data does not fit (or is not there).
enum class Md3Result { Loaded, WrongHeader, WrongSurface, Failed };

Md3Result ReadMd3Part(const std::vector<uint8_t>& bytes, Md3PartFile& part);

// The normal of a stored vertex: angles a and b of the two bytes in steps of
// 2π/255, (cos a sin b, sin a sin b, cos b).
VECTOR3 DecodeNormal(const Md3Vertex& vertex);

}  // namespace korvath
