#include "korvath/Map.h"

#include "world/Level.h"

// Placeholder until the collision trace lands.
namespace korvath {

COLLISION Map::Collision(const VECTOR3& Position, const VECTOR3& Destination, float Offset) {
    COLLISION result;
    result.Position = Destination;
    result.AxisLimits = Position;
    return result;
}

void Map::Volume(const std::vector<VOLUME>& Volumes) { nextCollision_ = Volumes; }

}  // namespace korvath
