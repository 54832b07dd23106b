#pragma once
// The state behind a KeyframeModel: its mesh, animations, frame clock, material
// and volume.
#include <cstdint>
#include <vector>

#include "korvath/KeyframeModel.h"
#include "models/KeyframeMesh.h"

namespace korvath {

struct KeyframeData {
    KeyframeMesh Mesh;
    std::vector<MD2_ANIMATION> Animations;
    int32_t AnimationIndex = -1;
    float Frame = 0;
    int32_t NextFrame = 0;
    float Velocity = 0;
    SHADER Material;
    VOLUME Volume;
};

}  // namespace korvath
