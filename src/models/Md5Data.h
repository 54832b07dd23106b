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

// An animation and its frames skinned at load. Only the positions are kept:
// the normals drawn with a frame are rebuilt from them, exactly as they were
// computed, so a frame costs 12 bytes a vertex.
struct Md5Animation {
    std::string Name;
    Md5AnimFile File;
    int32_t VertexTotal = 0;          // of all meshes together
    std::vector<VECTOR3> Positions;   // frame f's vertex v of all meshes at f × VertexTotal + v
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
    std::vector<int32_t> MeshFirstVertex;  // where each mesh starts in a baked frame
    std::vector<SHADER> Materials;
    std::vector<VOLUME> Volumes;
    std::vector<Md5Animation> Animations;  // 0: the bind pose
    Md5Clock Clock;
    std::vector<Md5CameraTrack> Cameras;
};

}  // namespace korvath
