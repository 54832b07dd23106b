#pragma once
// Reading an IBSP file into a level, with a status line for every stage.
#include <memory>
#include <string>

#include "world/Level.h"

namespace korvath {

// The level of the file (a relative name resolves against the engine path), or
// null after the failure lines when the file is refused or cannot be read.
std::unique_ptr<Level> LoadLevel(const std::string& filename);
// Frees what a level holds outside its tables: materials and lightmap textures.
void ReleaseLevelResources(Level& level);
// A "BSP: ..." line for the log and the loading screen.
void BspStatus(const std::string& text);

}  // namespace korvath
