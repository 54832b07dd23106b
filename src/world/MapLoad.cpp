#include "core/LoadingScreen.h"
#include "korvath/Map.h"
#include "world/Level.h"
#include "world/LevelLoad.h"

namespace korvath {

Map::Map() = default;
Map::~Map() { UnLoad(); }

void Map::Load(const std::string& Filename) {
    UnLoad();
    level_ = LoadLevel(Filename);
}

void Map::UnLoad() {
    if (!level_) return;
    const std::unique_ptr<Level> level = std::move(level_);
    ReleaseLevelResources(*level);
    BspStatus("BSP: Unloaded");
    ShowLoadStatus("", false, 0, false);
}

bool Map::Loaded() const { return level_ != nullptr; }

}  // namespace korvath
