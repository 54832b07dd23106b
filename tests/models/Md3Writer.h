#pragma once
// Writes MD3 part files for tests: frames, tags and surfaces as the file
// stores them; header fields, of the file or of a surface, can be spoilt
// afterwards by byte offset.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath::test {

struct Md3FileVertex {
    int16_t X = 0, Y = 0, Z = 0;  // 1/64 units
    uint8_t Normal[2] = {};
};

struct Md3FileSurface {
    std::string Name;
    std::vector<std::array<int32_t, 3>> Triangles;
    std::vector<std::array<float, 2>> TexCoords;
    std::vector<std::vector<Md3FileVertex>> Frames;  // each holds every vertex
};

struct Md3FileTag {
    std::string Name;  // NUL-padded to 64 bytes; 64 characters leave no NUL
    VECTOR3 Origin;
    VECTOR3 Axis[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

struct Md3File {
    int32_t Version = 15;
    int32_t FrameCount = 1;
    std::vector<std::vector<Md3FileTag>> Tags;  // by frame
    std::vector<Md3FileSurface> Surfaces;
    std::vector<uint8_t> Bytes() const;
};

// Header fields by byte offset.
enum Md3Field : size_t {
    kMd3FrameCount = 76, kMd3TagCount = 80, kMd3SurfaceCount = 84, kMd3FrameOffset = 92, kMd3TagOffset = 96,
    kMd3SurfaceOffset = 100,
};
// Surface header fields by byte offset from the surface's start.
enum Md3SurfaceField : size_t {
    kSurfaceFrameCount = 72, kSurfaceShaderCount = 76, kSurfaceVertexCount = 80, kSurfaceTriangleCount = 84,
    kSurfaceTriangleOffset = 88, kSurfaceShaderOffset = 92, kSurfaceTexCoordOffset = 96, kSurfaceVertexOffset = 100,
    kSurfaceEnd = 104,
};
void SetMd3Field(std::vector<uint8_t>& bytes, size_t offset, int32_t value);
// Where surface s of the written file starts.
size_t Md3SurfaceStart(const std::vector<uint8_t>& bytes, size_t s);

// A unit square of four vertices at height z (in whole units) over frames
// frames, frame f moved f units along x; normals straight up (bytes 0, 0).
Md3FileSurface SquareSurface(const std::string& name, int frames, float z = 0);
// Two squares ("first", "second" at z = 1) and one tag per name whose origin
// is (0, 0, 10 + f) in frame f.
Md3File TwoSquarePart(int frames, const std::vector<std::string>& tags);

}  // namespace korvath::test
