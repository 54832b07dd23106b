#pragma once
// The lumps whose records change on the way into the level tables: names cut
// at their NUL, coordinates turned from the file's Z-up axes to the engine's
// Y-up axes ((x, y, z) becomes (x, z, -y)), and the PVS header. Each returns
// false when its lump does not lie inside the file or contradicts itself.
#include "world/BspFile.h"
#include "world/Level.h"

namespace korvath {

bool ReadTextures(const BspFile& file, Level& level);
bool ReadPlanes(const BspFile& file, Level& level);
bool ReadLeafs(const BspFile& file, Level& level);
// Also fills the base positions, and turns the texture coordinate t into -t.
bool ReadVertices(const BspFile& file, Level& level);
// A lump of length 0 leaves the level without PVS.
bool ReadPvs(const BspFile& file, Level& level);

}  // namespace korvath
