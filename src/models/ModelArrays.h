#pragma once
// A model's triangles as client arrays: vertices whose positions and normals
// the model refreshes before each draw (kept here so a frame allocates
// nothing) and whose texture coordinates are fixed at load, and three indexes
// per triangle in the order the file lists them, so each material stage is
// one draw call.
#include <cstdint>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

// Interleaved, so the driver copies one block per draw.
struct ModelVertex {
    VECTOR3 Position;
    VECTOR3 Normal;
    VECTOR2 TexCoord;
};

struct ModelArrays {
    std::vector<ModelVertex> Vertices;
    std::vector<uint32_t> Indices;
};

// A stretch of the indexes (one surface of a model of several) and the
// vertices it names, first to last.
struct IndexRange {
    uint32_t FirstIndex = 0, IndexCount = 0;
    uint32_t FirstVertex = 0, LastVertex = 0;
};

// Draws the triangles once per stage of the material, each stage applied
// before and reset after its draw; a material with a GLSL program is bound once
// and drawn once. Texturing is on during the passes and off afterwards.
void DrawMaterialPasses(SHADER& material, const ModelArrays& arrays);
// The same for the triangles of one range only.
void DrawMaterialPasses(SHADER& material, const ModelArrays& arrays, const IndexRange& range);
// How many draws the passes make: one per stage, or one for a program.
int32_t MaterialPassCount(const SHADER& material);

}  // namespace korvath
