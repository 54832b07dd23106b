#pragma once
// Stages folded into one multitexture draw. A material whose first drawn stage
// is opaque and whose later drawn stages only multiply what lies below
// ("blendfunc filter" and its kin), double the product ("gl_dst_color
// gl_src_color", detail images) or add to it ("add", glows) gives, pass after
// pass, what one draw with stage k's texture on unit 2k and its lightmap on
// unit 2k + 1 makes with the texture combiner, to 8-bit rounding, without
// rasterising and blending the face once per stage.
#include <cstddef>

#include "platform/GL.h"
#include "world/Level.h"
#include "world/LevelDraw.h"

namespace korvath {

// The number of drawn stages a face of the material folds into one draw, or 0
// when it must be drawn stage by stage (the shortcut is off, a stage blends
// otherwise, doubles or adds while lit by the lightmap, tests alpha, changes the depth test, waves its colour or uses a
// cube map, or the driver has too few texture units).
// Stages before first are not drawn (hidden under stage first, see
// FirstVisibleStage).
int32_t FoldedStageCount(const Level& level, const SHADER& material, const TextureUnits& units, size_t first = 0);
// The same whether or not the shortcut is on, for unitCount texture units;
// unlit: for stages no lightmap lights wherever they are drawn (a sky's layers).
int32_t FoldableStageCount(const Level& level, const SHADER& material, int32_t unitCount, size_t first = 0,
                           bool unlit = false);
// The active texture unit as the k-th of a folded draw: stage k's texture,
// combined with what the units before it made as its blend would combine it
// with what lay below (unit 0 takes its texture as it is). Undone by
// ResetFoldedUnit on the same unit.
void ApplyFoldedUnit(SHADER_STAGE& stage, int32_t k);
void ResetFoldedUnit(const SHADER_STAGE& stage, int32_t k);
// Draws a polygon or patch face with the material's stages folded (stages as
// counted by FoldedStageCount). lightmap 0: the lightmap units stay off. Each
// stage is applied once, as stage by stage, so animations advance alike.
// A batch draws in place of the face's own triangles (see DrawFace).
// Expects the texturing state DrawFace sets up and leaves it as found.
void DrawFolded(Level& level, const BspFace& face, const TextureUnits& units, size_t first, int32_t stages,
                GLuint lightmap, const FaceBatch* batch);

}  // namespace korvath
