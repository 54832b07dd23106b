#include "Doors.h"

#include <korvath/VectorMath.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

using namespace korvath;

namespace {

constexpr float kLip = 8;
constexpr float kDefaultSpeed = 400;
constexpr float kReach = 120;  // how near the camera comes before a door opens

// The direction of a door's "angle" in engine axes (file x, z, -y).
VECTOR3 Direction(float angle) {
    if (angle == -1) return {0, 1, 0};
    if (angle == -2) return {0, -1, 0};
    const float radians = angle * 3.14159265f / 180;
    return {std::cos(radians), 0, -std::sin(radians)};
}

// The distance from p to the box, 0 inside it.
float DistanceToBox(const VECTOR3& p, const VECTOR3& low, const VECTOR3& high) {
    const VECTOR3 nearest = {std::clamp(p.x, low.x, high.x), std::clamp(p.y, low.y, high.y), std::clamp(p.z, low.z, high.z)};
    return VectorDistance(p, nearest);
}

}  // namespace

void Doors::Start(const Map& map) {
    doors_.clear();
    for (int32_t i = 0; i <= map.Entities(); ++i) {
        const ENTITY entity = map.Entity(i);
        if (entity.ClassName != "func_door" || entity.Model.size() < 2 || entity.Model[0] != '*') continue;
        Door door;
        door.model = std::atoi(entity.Model.c_str() + 1);
        if (door.model < 1 || door.model > map.BrushModels()) continue;
        const VOLUME box = map.BrushModel(door.model);
        door.low = box.Min, door.high = box.Max;
        const VECTOR3 d = Direction(entity.Angle);
        const float size = std::fabs(d.x) * (box.Max.x - box.Min.x) + std::fabs(d.y) * (box.Max.y - box.Min.y) +
                           std::fabs(d.z) * (box.Max.z - box.Min.z);
        const float distance = std::max(0.0f, size - kLip);
        door.travel = VectorScale(d, distance);
        door.seconds = distance / (entity.Speed > 0 ? entity.Speed : kDefaultSpeed);
        door.team = entity.Team;
        doors_.push_back(door);
    }
}

void Doors::Frame(Map& map, const Camera& camera, float seconds) {
    std::set<std::string> openTeams;
    std::vector<bool> near(doors_.size());
    for (size_t i = 0; i < doors_.size(); ++i) {
        near[i] = DistanceToBox(camera.Position(), doors_[i].low, doors_[i].high) < kReach;
        if (near[i] && !doors_[i].team.empty()) openTeams.insert(doors_[i].team);
    }
    for (size_t i = 0; i < doors_.size(); ++i) {
        Door& door = doors_[i];
        const bool open = near[i] || (!door.team.empty() && openTeams.count(door.team) > 0);
        const float step = door.seconds > 0 ? seconds / door.seconds : 1;
        door.opened = std::clamp(door.opened + (open ? step : -step), 0.0f, 1.0f);
        map.BrushModel(door.model, VectorScale(door.travel, door.opened));
    }
}
