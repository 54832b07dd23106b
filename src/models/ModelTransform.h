#pragma once
// The two things every model's Render does with its placement: the modelview
// transform and the start of the bounding volume it grows while drawing.
#include "core/Math.h"
#include "korvath/Model.h"
#include "korvath/Types.h"

namespace korvath {

// View transform, placement and scale on the modelview matrix. In a shadow pass
// the matrix is left as the pass set it: the caster is placed by the light.
void ApplyModelTransform(const ModelPlacement& placement);

// Marks the volume in use, copies the placement into it and empties its box;
// returns the model matrix the drawn points are to be transformed by.
Matrix4 StartVolume(VOLUME& volume, const ModelPlacement& placement);
// Adds a point in model space to the box.
void GrowVolume(VOLUME& volume, const Matrix4& matrix, const VECTOR3& point);

}  // namespace korvath
