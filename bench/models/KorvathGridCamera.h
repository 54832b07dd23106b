#pragma once
// The Korvath camera of the model benchmarks: on the axis through the grid's
// centre at the grid's distance, looking at it with the grid's field of view.
#include <korvath/Korvath.h>

#include "ModelGrid.h"

namespace modelbench {

inline void FaceGrid() {
    korvath::Camera camera;
    camera.Set3DFieldOfView(kFieldOfView);
    camera.SetPosition(0, 0, kCameraDistance);
    camera.SetRotation(0, 0, 0);
}

}  // namespace modelbench
