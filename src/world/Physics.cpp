#include "korvath/Physics.h"

#include <cmath>

#include "core/FrameTiming.h"
#include "core/Math.h"

namespace korvath {

namespace {
bool Finite(const VECTOR3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
}  // namespace

void Physics::Update() {
    // A NaN factor compares false against 1, so it is caught with the small ones.
    if (!(weight_ >= 1)) weight_ = 1;
    if (!(friction_ >= 1)) friction_ = 1;

    const float dt = Timing().FrameTime;
    VECTOR3 position = position_;
    float velocity = velocity_;
    fallStep_ = gravity_ * weight_ * dt;
    if (position.y > ground_) {
        velocity += fallStep_ * dt;
        position.y -= velocity;
    } else {
        velocity += fallStep_ / 3;
        if (position.y < ground_) {
            position.x += direction_.x / friction_;
            position.y += velocity;
            position.z += direction_.z / friction_;
            if (position.y > ground_) position.y = ground_;
        }
        velocity = 0;
    }

    // An infinite frame time, force or direction would otherwise carry its NaN
    // into every later frame through the position and the velocity.
    if (!Finite(position) || !std::isfinite(velocity)) {
        velocity_ = 0;
        return;
    }
    position_ = position;
    velocity_ = velocity;
}

void Physics::Move(float x, float y, float z) { position_ = MoveAlongRotation(position_, rotation_, x, y, z); }
void Physics::Rotate(float x, float y, float z) { rotation_ = AddRotation(rotation_, x, y, z); }

void Physics::SetFriction(float Force) { friction_ = Force; }
void Physics::SetGravity(float Force) { gravity_ = Force; }
void Physics::SetWeight(float Weight) { weight_ = Weight; }
void Physics::SetGround(float Ground) {
    ground_ = static_cast<float>(std::nearbyint(static_cast<double>(Ground) * 100) / 100);
}
void Physics::SetDestination(float x, float y, float z) { destination_ = {x, y, z}; }
void Physics::SetDirection(float x, float y, float z) { direction_ = {x, y, z}; }
void Physics::SetPosition(float x, float y, float z) { position_ = {x, y, z}; }
void Physics::SetRotation(float x, float y, float z) { rotation_ = {x, y, z}; }

float Physics::Gravity() const { return gravity_ * Timing().FrameTime; }

}  // namespace korvath
