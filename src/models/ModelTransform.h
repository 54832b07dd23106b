#pragma once
// The two things every model's Render does with its placement: the modelview
// transform and the start of the bounding volume it grows while drawing.
#include <cstdint>
#include <vector>

#include "core/Math.h"
#include "korvath/Map.h"
#include "korvath/Model.h"
#include "korvath/Types.h"

namespace korvath {

// View transform, placement and scale on the modelview matrix. In a shadow pass
// the matrix is left as the pass set it: the caster is placed by the light.
void ApplyModelTransform(const ModelPlacement& placement);

// What every model's Render does first: lights the model from the level it
// was given (if any, and if the level has light there), then applies the
// model transform. The lighting is put back when the drawing ends.
class ModelDrawing {
public:
    ModelDrawing(const ModelPlacement& placement, const Map* level);
    ~ModelDrawing();
    ModelDrawing(const ModelDrawing&) = delete;
    ModelDrawing& operator=(const ModelDrawing&) = delete;

private:
    bool levelLit_ = false;
};

// Marks the volume in use, copies the placement into it and empties its box;
// returns the model matrix the drawn points are to be transformed by.
Matrix4 StartVolume(VOLUME& volume, const ModelPlacement& placement);
// Adds a point in model space to the box.
void GrowVolume(VOLUME& volume, const Matrix4& matrix, const VECTOR3& point);

// The Volume property of the models of several parts: -1 gives every volume,
// an index of one a one-element array, anything else an empty one.
std::vector<VOLUME> SelectVolumes(const std::vector<VOLUME>& volumes, int32_t index);

}  // namespace korvath
