#pragma once
// The transform steps every renderer shares; each acts on the current GL matrix.
#include "korvath/Types.h"

namespace korvath {

// Identity, the world scale 0.1 and, unless Relative, the camera rotation (x, y,
// then z) and the translation by minus the camera position.
void ApplyViewTransform(bool Relative);
// Translation by Position, then rotation about x, y and z.
void ApplyPlacement(const VECTOR3& Position, const VECTOR3& Rotation);
void ApplyRotation(const VECTOR3& Rotation);
void ApplyTranslation(const VECTOR3& V);
void ApplyScale(const VECTOR3& V);
void ApplyMatrix(const float* M);
// Orthographic 0..ScreenWidth x 0..ScreenHeight; modelview identity.
void Set2DProjection();
// Perspective from FieldOfView, AspectRatio, NearPlane and FarPlane; modelview identity.
void Set3DProjection();
// The projection last set, again on the current screen size (after the window
// changed size); the modelview matrix is kept.
void ReloadProjection();

}  // namespace korvath
