#pragma once
// The level's geometry in GL buffers. A client array is copied by the driver on
// every draw that reads it, and most faces are drawn more than once a frame
// (depth, then each stage); from a buffer the same 44-byte records are read in
// place.
#include "world/Level.h"

namespace korvath {

// Fills the level's buffers from its tables; without buffer support (or a
// context) they stay 0 and faces are drawn from the tables.
void UploadLevelBuffers(Level& level);
void ReleaseLevelBuffers(Level& level);
// Binds the buffers for the following draws (when the level has them and the
// shortcut is on) or unbinds them; Level::FromBuffers tells the draws which.
void UseLevelBuffers(Level& level, bool use);

// Where the draws point: a byte offset into the bound buffer, or the table itself.
const void* FaceVertices(const Level& level, const BspFace& face);
const void* FaceIndexes(const Level& level, const BspFace& face);
const void* PieceVertices(const Level& level, const BspFace& face, size_t piece);
const void* PieceIndexes(const Level& level, const BspFace& face, size_t piece, int32_t row);

}  // namespace korvath
