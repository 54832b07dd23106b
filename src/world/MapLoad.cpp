#include "korvath/Map.h"

#include "world/Level.h"

// Placeholder until the level loader lands.
namespace korvath {

Map::Map() = default;
Map::~Map() { UnLoad(); }

void Map::Load(const std::string&) {}
void Map::UnLoad() { level_.reset(); }
bool Map::Loaded() const { return level_ != nullptr; }

}  // namespace korvath
