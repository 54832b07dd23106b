#include "Walk.h"

#include <algorithm>
#include <cmath>

#include "FlyThrough.h"

using namespace korvath;

namespace {
constexpr float kEyeHeight = 40;    // the camera above the feet
constexpr float kKneeHeight = 24;   // walls are felt this high, so stairs do not stop a walk
constexpr float kBodyRadius = 12;
constexpr float kFloorProbe = 4096;  // how far below the eyes a floor is looked for
constexpr float kGravity = 800;     // units per second squared

VECTOR3 Raised(VECTOR3 v, float height) {
    v.y += height;
    return v;
}
}  // namespace

Walker::Walker() {
    body_.SetGravity(kGravity);
    body_.SetWeight(1);
    body_.SetFriction(1);
}

void Walker::Start(const Camera& camera) {
    body_.Position(Raised(camera.Position(), -kEyeHeight));
    body_.Velocity(0);
    body_.Ground(body_.Position().y);
    heightBeforeStep_ = body_.Position().y;
}

float Walker::Step(Map& map, Keyboard& keys, const Joystick& joystick, Camera& camera, float seconds) {
    const MoveSpeeds move = ReadMoveSpeeds(keys, joystick);
    const VECTOR3 from = body_.Position();
    body_.SetRotation(0, camera.Rotation().y, 0);
    body_.Move(move.left, 0, move.forward);

    VECTOR3 to = body_.Position();
    const COLLISION wall = map.Collision(Raised(from, kKneeHeight), Raised(to, kKneeHeight), kBodyRadius);
    to.x = wall.Position.x;
    to.z = wall.Position.z;

    // The floor is where a ray straight down from the eyes ends. (The collision's
    // Ground answer traces only down to the height -Offset, so it misses floors
    // below the level's origin.) The body sinks below the floor on the step that
    // crosses it, by as much as it fell in that step, so the ray starts from
    // where the body was before that step. Over a hole with no floor in reach the
    // last floor holds.
    VECTOR3 eye = Raised(to, kEyeHeight);
    eye.y = std::max(eye.y, heightBeforeStep_ + kEyeHeight);
    const COLLISION floor = map.Collision(eye, Raised(eye, -kFloorProbe));
    if (floor.Collided) body_.SetGround(floor.Position.y);

    body_.Position(to);
    const bool onFloor = to.y <= body_.Ground();
    heightBeforeStep_ = to.y;
    body_.Update();
    camera.Position(Raised(body_.Position(), kEyeHeight));
    TurnOneFrame(keys, joystick, camera, seconds);
    return onFloor ? std::hypot(to.x - from.x, to.z - from.z) : 0;
}
