#include "korvath/Camera.h"

#include "core/Globals.h"
#include "core/Math.h"
#include "core/Matrix.h"

namespace korvath {

void Camera::Move(float x, float y, float z) {
    EngineState& s = State();
    s.CameraPosition = MoveAlongRotation(s.CameraPosition, s.CameraRotation, x, y, z);
}

void Camera::Rotate(float x, float y, float z) {
    EngineState& s = State();
    s.CameraRotation = AddRotation(s.CameraRotation, x, y, z);
}

void Camera::Set2DFieldOfView(float Value) {
    State().FieldOfView = Value;
    Set2DProjection();
}

void Camera::Set3DFieldOfView(float Value) {
    State().FieldOfView = Value;
    Set3DProjection();
}

void Camera::SetPosition(float x, float y, float z) { State().CameraPosition = {x, y, z}; }
void Camera::SetRotation(float x, float y, float z) { State().CameraRotation = AddRotation({}, x, y, z); }

VECTOR3 Camera::Direction() const {
    const VECTOR3& r = State().CameraRotation;
    return {TableSine(r.y), -TableSine(r.x), -TableCosine(r.y)};
}

VECTOR3 Camera::Rotation() const { return State().CameraRotation; }
void Camera::Rotation(const VECTOR3& Value) { State().CameraRotation = Value; }
VECTOR3 Camera::Position() const { return State().CameraPosition; }
void Camera::Position(const VECTOR3& Value) { State().CameraPosition = Value; }

}  // namespace korvath
