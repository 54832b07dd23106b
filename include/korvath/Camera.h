#pragma once
// Moves the one camera of the engine. A Camera holds nothing itself: every Camera
// object reads and writes the engine-wide camera position and rotation.
#include "korvath/Types.h"

namespace korvath {

class Camera {
public:
    // Speeds in units per second along the camera's yaw (scaled by FrameTime):
    // +z walks forward, +x to the left, +y down.
    void Move(float x, float y, float z);
    // Degrees added with one wrap into 0..360.
    void Rotate(float x, float y, float z);
    void Set2DFieldOfView(float Value);
    void Set3DFieldOfView(float Value);
    void SetPosition(float x, float y, float z);
    void SetRotation(float x, float y, float z);
    // The unit view direction from pitch and yaw.
    VECTOR3 Direction() const;
    VECTOR3 Rotation() const;
    void Rotation(const VECTOR3& Value);  // stored unchecked
    VECTOR3 Position() const;
    void Position(const VECTOR3& Value);
};

}  // namespace korvath
