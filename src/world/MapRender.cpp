#include "korvath/Map.h"

#include "world/Level.h"

// Placeholder until the level renderer lands.
namespace korvath {

void Map::Render() {}

}  // namespace korvath
