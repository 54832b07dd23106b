#pragma once
// A model's triangles as one set of client arrays: positions and normals the
// model refreshes before each draw (kept here so a frame allocates nothing),
// texture coordinates fixed at load, and three indexes per triangle in the
// order the file lists them, so each material stage is one draw call.
#include <cstdint>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

struct ModelArrays {
    std::vector<VECTOR3> Positions;
    std::vector<VECTOR3> Normals;
    std::vector<VECTOR2> TexCoords;
    std::vector<uint32_t> Indices;
};

// Draws the triangles once per stage of the material, each stage applied
// before and reset after its draw; a material with a GLSL program is bound once
// and drawn once. Texturing is on during the passes and off afterwards.
void DrawMaterialPasses(SHADER& material, const ModelArrays& arrays);

}  // namespace korvath
