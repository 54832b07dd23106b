#include "core/ViewState.h"
#include "korvath/Map.h"
#include "world/BrushModels.h"
#include "world/Level.h"
#include "world/LevelPlan.h"

// Queries outside the tables, or with no level loaded, answer an empty record.
namespace korvath {

namespace {

template <typename Table>
int32_t HighestIndex(const Level* level, const Table Level::*table) {
    return level ? static_cast<int32_t>((level->*table).size()) - 1 : -1;
}

}  // namespace

bool Map::Visible(const VECTOR3& Position) const {
    if (!level_ || level_->Leafs.empty()) return false;
    const BspLeaf& camera = level_->Leafs[static_cast<size_t>(FindLeaf(*level_, View().CameraPosition))];
    const BspLeaf& target = level_->Leafs[static_cast<size_t>(FindLeaf(*level_, Position))];
    return ClusterVisible(*level_, camera.Cluster, target.Cluster) != 0;
}

bool Map::Light(const VECTOR3& Position, VECTOR3& Ambient, VECTOR3& Directed, VECTOR3& Direction) const {
    LightSample sample;
    if (!level_ || !SampleLightGrid(level_->Grid, Position, sample)) return false;
    Ambient = sample.Ambient, Directed = sample.Directed, Direction = sample.Direction;
    return true;
}

int32_t Map::BrushModels() const { return HighestIndex(level_.get(), &Level::Models); }

VOLUME Map::BrushModel(int32_t Index) const {
    if (Index < 0 || Index > BrushModels()) return {};
    VOLUME box;
    box.Enabled = true;
    BrushModelBox(*level_, static_cast<size_t>(Index), box.Min, box.Max);
    box.Position = level_->ModelOffsets[static_cast<size_t>(Index)];
    return box;
}

void Map::BrushModel(int32_t Index, const VECTOR3& Offset) {
    if (Index < 1 || Index > BrushModels()) return;
    level_->ModelOffsets[static_cast<size_t>(Index)] = Offset;
}

int32_t Map::Entities() const { return HighestIndex(level_.get(), &Level::Entities); }

ENTITY Map::Entity(int32_t Index) const {
    if (Index < 0 || Index > Entities()) return {};
    return level_->Entities[static_cast<size_t>(Index)];
}

int32_t Map::Planes() const { return HighestIndex(level_.get(), &Level::Planes); }

PLANE Map::Plane(int32_t Index) const {
    if (Index < 0 || Index > Planes()) return {};
    const BspPlane& plane = level_->Planes[static_cast<size_t>(Index)];
    return {plane.Distance, plane.Normal};
}

// Only script materials carry a name; an empty name must not pick out the bare
// textures, which all have one.
SHADER Map::Shader(const std::string& Name) const {
    if (!level_ || Name.empty()) return {};
    for (auto it = level_->Materials.rbegin(); it != level_->Materials.rend(); ++it)
        if (it->Name == Name) return *it;
    return {};
}

void Map::Shader(const std::string& Name, const SHADER& Value) {
    if (!level_ || Name.empty()) return;
    for (size_t i = 0; i < level_->Materials.size(); ++i) {
        if (level_->Materials[i].Name != Name) continue;
        level_->Materials[i] = Value;
        PlanMaterial(*level_, i);
    }
}

}  // namespace korvath
