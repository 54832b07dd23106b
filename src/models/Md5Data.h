#pragma once
// The state behind an MD5 object: the skeleton, the meshes with their draw
// arrays, materials and volumes, the baked animations, the animation clock
// with its cross-fade, and the camera tracks.
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/MD5.h"
#include "models/Md5AnimFile.h"
#include "models/Md5CameraFile.h"
#include "models/Md5MeshFile.h"
#include "models/Md5Skeleton.h"

namespace korvath {

// An animation and its frames posed at load. What a frame keeps is its
// skeleton, 48 bytes a joint, not its skinned meshes: drawing skins the two
// frames it shows from them, with the same arithmetic a copy of the skinned
// meshes would have been made with, and rebuilds the normals the same way.
struct Md5Animation {
    std::string Name;
    Md5AnimFile File;
    int32_t JointCount = 0;
    std::vector<Md5JointMatrix> Poses;  // frame f's joint j at f × JointCount + j
};

struct Md5CameraTrack {
    MD5_CAMERA Camera;
    std::vector<int32_t> Cuts;  // kept, not used
};

// The animation clock; numbers are indexes into the animations.
struct Md5Clock {
    int32_t CurrentAnimation = 0, TargetAnimation = 0, PreviousTarget = 0;
    float Frame = 0;
    int32_t NextFrame = 0;
    float TargetFrame = 0;
    float BlendWeight = 0;
    float BlendSpeed = 0;
};

struct Md5Data {
    Md5Skeleton Skeleton;
    std::vector<Md5Mesh> Meshes;
    std::vector<SHADER> Materials;
    std::vector<VOLUME> Volumes;
    std::vector<Md5Animation> Animations;  // 0: the bind pose
    Md5Clock Clock;
    std::vector<Md5CameraTrack> Cameras;
};

}  // namespace korvath
