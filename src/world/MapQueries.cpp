#include "korvath/Map.h"

#include "world/Level.h"

// Placeholder until the level queries land.
namespace korvath {

bool Map::Visible(const VECTOR3&) const { return false; }
int32_t Map::Entities() const { return -1; }
ENTITY Map::Entity(int32_t) const { return {}; }
int32_t Map::Planes() const { return -1; }
PLANE Map::Plane(int32_t) const { return {}; }
SHADER Map::Shader(const std::string&) const { return {}; }
void Map::Shader(const std::string&, const SHADER&) {}

}  // namespace korvath
