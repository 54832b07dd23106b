#include "korvath/Map.h"
#include "world/Level.h"
#include "world/LevelRender.h"

namespace korvath {

void Map::Render() {
    if (level_) RenderLevel(*level_);
}

}  // namespace korvath
