#pragma once
// What drawing one MD3 part needs, prepared once at load: every surface's
// vertices side by side in one set of client arrays (texture coordinates
// fixed, positions and normals refreshed per pose), each surface's stretch of
// them, and the distinct third corners of its triangles for the volume.
#include <cstdint>
#include <vector>

#include "core/Math.h"
#include "models/Md3File.h"
#include "models/ModelArrays.h"

namespace korvath {

struct Md3SurfaceDraw {
    IndexRange Triangles;  // three indexes per triangle in the part's arrays
    std::vector<uint32_t> VolumeCorners;  // draw vertices
};

struct Md3PartMesh {
    Md3PartFile File;
    std::vector<Md3SurfaceDraw> Surfaces;  // one per file surface
    ModelArrays Arrays;
};

void PrepareMd3Drawing(Md3PartMesh& mesh);

// The pose between clock frames current and next (see FileFrame), weight of
// next the fraction, into the arrays: positions in file units (1/64 of the
// stored ones), normals blended and made unit length again.
void PoseMd3Part(Md3PartMesh& mesh, int32_t current, int32_t next, float fraction);

// The transform of tag t between the same frames: axes, made unit length, as
// the first three columns, origin as the fourth. Identity for a part without
// tag frames.
Matrix4 Md3TagMatrix(const Md3PartFile& part, size_t t, int32_t current, int32_t next, float fraction);

// The index of the first frame-0 tag named name (case-sensitive), or -1.
int32_t FindMd3Tag(const Md3PartFile& part, const std::string& name);

}  // namespace korvath
