#pragma once
// The md5anim reader: per joint the channels a frame animates and its base
// pose, per frame the bounds and the animated components. Lines it cannot use
// are passed over, as a frame with too few values keeps the base values of
// the rest.
#include <cstdint>
#include <string_view>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

struct Md5JointChannels {
    int32_t Parent = 0;  // read, not used: the mesh's links pose the joints
    int32_t Flags = 0;   // bits 1, 2, 4: position x, y, z; 8, 16, 32: orientation x, y, z
    int32_t StartIndex = 0;
};

struct Md5Bounds {  // kept, not used
    VECTOR3 Centre, Min, Max;
};

struct Md5BaseJoint {
    VECTOR3 Position;
    VECTOR4 Orientation;  // w is completed when a pose is computed
};

// Where a frame's components stand in Values: only what the file holds, so
// a component count is never used to size anything.
struct Md5FrameSpan {
    size_t First = 0;
    int64_t Count = 0;
};

struct Md5AnimFile {
    int32_t FrameRate = 0;
    int32_t NumAnimatedComponents = 0;
    int32_t NumFrames = 0;
    int32_t JointCount = 0;
    std::vector<Md5JointChannels> Hierarchy;
    std::vector<Md5Bounds> Bounds;
    std::vector<Md5BaseJoint> BaseFrame;
    std::vector<Md5FrameSpan> Frames;  // NumFrames entries
    std::vector<float> Values;         // a value that was no number is NaN
};

enum class Md5AnimResult { Loaded, NotMd5, Malformed };

// Malformed only for a frame count the file's lines cannot hold; every
// other fault is passed over.
Md5AnimResult ReadMd5Anim(std::string_view text, Md5AnimFile& animation);

}  // namespace korvath
