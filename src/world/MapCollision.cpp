#include "korvath/Map.h"

#include "world/Level.h"
#include "world/Trace.h"

namespace korvath {

COLLISION Map::Collision(const VECTOR3& Position, const VECTOR3& Destination, float Offset) {
    TraceState state;
    if (!nextCollision_.empty()) {
        SetTraceBox(state, nextCollision_.front());
        nextCollision_.clear();
    }
    return Collide(level_.get(), state, Position, Destination, Offset);
}

void Map::Volume(const std::vector<VOLUME>& Volumes) { nextCollision_ = Volumes; }

}  // namespace korvath
