#pragma once
// Posing every frame of an animation once, when it is loaded, so drawing a
// frame is skinning and interpolation only.
#include <cstddef>
#include <cstdint>

#include "models/Md5Data.h"

namespace korvath {

// The most joint poses (frames times joints) one animation may bake: 800 MB.
constexpr size_t kMaxBakedPoses = size_t{1} << 24;

// The bind pose as an animation of one frame: the skeleton as it stands.
Md5Animation BindPoseAnimation(const Md5Data& model);
// Poses the skeleton at every frame of the animation and keeps each pose; the
// joints and base meshes are left in the last frame's pose. False, with
// nothing baked, when the frames would pass kMaxBakedPoses.
bool BakeAnimation(Md5Data& model, Md5Animation& animation);
// How many frames were baked.
int32_t BakedFrames(const Md5Animation& animation);
// The joints of frame f (inside the baked frames).
const Md5JointMatrix* BakedPose(const Md5Animation& animation, int32_t f);

}  // namespace korvath
