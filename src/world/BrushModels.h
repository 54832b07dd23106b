#pragma once
// The level's brush models: doors, platforms and other movers built into the
// level file, drawn and solid where the host has moved them.
#include "world/Level.h"
#include "world/LevelDraw.h"

namespace korvath {

// Gives every brush model an offset of zero and empties any whose face or
// brush range leaves its table, so that drawing and tracing need not check.
void KeepBrushModels(Level& level);

// A brush model's box where it was built, in engine axes.
void BrushModelBox(const Level& level, size_t model, VECTOR3& low, VECTOR3& high);

// Every brush model inside the view, at its offset, after the world.
void DrawBrushModels(Level& level, const TextureUnits& units);

}  // namespace korvath
