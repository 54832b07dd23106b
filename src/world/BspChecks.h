#pragma once
// The cross references of a level read from a file, checked once at load so the
// renderer and the collision trace can trust them (see Level.h).
#include <cstddef>

#include "world/Level.h"

namespace korvath {

// Face textures, vertex and mesh-vertex ranges, mesh-vertex values and patch
// sizes; a lightmap index outside the lightmaps becomes -1 (no lightmap).
bool CheckFaces(Level& level, size_t lightmapCount);

// Node planes and children (a tree no deeper than kMaxTreeDepth), leaf ranges
// and the indexes inside them, brushes and brush sides; a leaf cluster the PVS
// does not know becomes -1 (outside the map).
bool CheckReferences(Level& level);

}  // namespace korvath
