#include "korvath/Camera.h"

#include "core/Math.h"
#include "core/Matrix.h"
#include "core/ViewState.h"

namespace korvath {

void Camera::Move(float x, float y, float z) {
    View().CameraPosition = MoveAlongRotation(View().CameraPosition, View().CameraRotation, x, y, z);
}

void Camera::Rotate(float x, float y, float z) {
    View().CameraRotation = AddRotation(View().CameraRotation, x, y, z);
}

void Camera::Set2DFieldOfView(float Value) {
    View().FieldOfView = Value;
    Set2DProjection();
}

void Camera::Set3DFieldOfView(float Value) {
    View().FieldOfView = Value;
    Set3DProjection();
}

void Camera::SetPosition(float x, float y, float z) { View().CameraPosition = {x, y, z}; }
void Camera::SetRotation(float x, float y, float z) { View().CameraRotation = AddRotation({}, x, y, z); }

VECTOR3 Camera::Direction() const {
    const VECTOR3& r = View().CameraRotation;
    return {TableSine(r.y), -TableSine(r.x), -TableCosine(r.y)};
}

VECTOR3 Camera::Rotation() const { return View().CameraRotation; }
void Camera::Rotation(const VECTOR3& Value) { View().CameraRotation = Value; }
VECTOR3 Camera::Position() const { return View().CameraPosition; }
void Camera::Position(const VECTOR3& Value) { View().CameraPosition = Value; }

}  // namespace korvath
