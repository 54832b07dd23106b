#pragma once
// A simple body that falls under gravity onto a flat ground height and slides by
// a direction while it is pushed back up out of the ground. The host feeds it a
// ground height (from Map::Collision), calls Update once per frame and reads the
// position back; the body never looks at the level itself.
#include "korvath/Types.h"

namespace korvath {

class Physics {
public:
    // One integration step over the last frame time. Friction divides the
    // sideways Direction step taken on the ground; the position itself is never
    // scaled. A step whose outcome is not a finite number is dropped: the body
    // keeps its last position and its fall restarts from rest.
    void Update();
    // Speeds along the body's own yaw, scaled by the frame time, as models move.
    void Move(float x, float y, float z);
    // Degrees added with one wrap into 0..360.
    void Rotate(float x, float y, float z);

    void SetFriction(float Force);
    void SetGravity(float Force);
    void SetWeight(float Weight);
    // Stores Ground rounded to two decimals, halves to even.
    void SetGround(float Ground);
    void SetDestination(float x, float y, float z);
    void SetDirection(float x, float y, float z);
    void SetPosition(float x, float y, float z);
    void SetRotation(float x, float y, float z);

    VECTOR3 Destination() const { return destination_; }
    void Destination(const VECTOR3& Value) { destination_ = Value; }
    VECTOR3 Direction() const { return direction_; }
    void Direction(const VECTOR3& Value) { direction_ = Value; }
    VECTOR3 Position() const { return position_; }
    void Position(const VECTOR3& Value) { position_ = Value; }
    VECTOR3 Rotation() const { return rotation_; }
    void Rotation(const VECTOR3& Value) { rotation_ = Value; }

    // The gravity of the current frame: the force times the frame time.
    float Gravity() const;
    void Gravity(float Value) { gravity_ = Value; }
    float Ground() const { return ground_; }
    void Ground(float Value) { ground_ = Value; }  // unrounded
    float Velocity() const { return velocity_; }
    void Velocity(float Value) { velocity_ = Value; }
    float Weight() const { return weight_; }
    void Weight(float Value) { weight_ = Value; }

private:
    VECTOR3 position_, rotation_, destination_, direction_;
    float fallStep_ = 0;
    float friction_ = 0;
    float velocity_ = 0;
    float gravity_ = 0;
    float ground_ = 0;
    float weight_ = 0;
};

}  // namespace korvath
