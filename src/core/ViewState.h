#pragma once
// The projection and the camera every 3D draw is seen through, and the whole-degree
// sine and cosine tables made while the engine is initialised.
#include <vector>

#include "korvath/Types.h"

namespace korvath {

// The projection Set2DProjection or Set3DProjection last loaded, so that a
// window that changes size gets it again on its new size.
enum class ProjectionKind { None, Flat, Perspective };

struct ViewState {
    float FieldOfView = 0, AspectRatio = 0, NearPlane = 0, FarPlane = 0;
    ProjectionKind Projection = ProjectionKind::None;
    VECTOR3 CameraPosition, CameraRotation;
    std::vector<float> CosineTable, SineTable;  // 361 entries while initialised
};

ViewState& View();

}  // namespace korvath
