#pragma once
// Opaque faces a material at a time. Once every face whose first stage is
// opaque has laid its depth, each pixel keeps only the nearest of them, so the
// order in which they are then drawn no longer shows. Those faces are grouped
// by material and lightmap and each group is drawn in one call per stage from
// a vertex buffer made at load, instead of one call per face and stage from
// client arrays: on a software rasteriser the per-call work is most of a frame.
// Faces whose stages step an animation or colour wave each time they are
// applied stay with the faces drawn one at a time, so their clocks run as before.
#include "world/Level.h"
#include "world/LevelDraw.h"

namespace korvath {

// The Drawn mark of a face its batch has drawn this frame.
constexpr uint8_t kDrawnInBatch = 2;

// Fills the level's vertex buffer and triangle tables; leaves VertexBuffer 0
// (and batching off) when the driver has no vertex buffers.
void BuildBatchTables(Level& level);
// Deletes the vertex buffer.
void ReleaseBatchTables(Level& level);

// Whether this frame may batch: laid depth, the shortcut on and a vertex buffer.
bool Batching(const Level& level, bool layDepth);
// Picks the depth-list faces that batch, sorted into groups, and marks each
// with Drawn kDrawnInBatch so the one-at-a-time passes skip it.
void CollectBatches(Level& level);
// The depth of the batched faces, in at most two calls. The others lay theirs
// one at a time, from the same vertices they are then drawn with: a patch's
// strips and its batched triangles need not give the same depths to the bit.
void LayBatchedDepth(Level& level);
// Draws the batched faces a group at a time.
void DrawBatches(Level& level, const TextureUnits& units);

}  // namespace korvath
