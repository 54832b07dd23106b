#pragma once
// Skinning every frame of an animation once, when it is loaded, so drawing a
// frame is interpolation only.
#include <cstddef>
#include <cstdint>

#include "models/Md5Data.h"

namespace korvath {

// The most positions (frames times vertices) one animation may bake: 800 MB.
constexpr size_t kMaxBakedPositions = size_t{1} << 26;

// The bind pose as an animation of one frame: the base meshes as they stand.
Md5Animation BindPoseAnimation(const Md5Data& model);
// Poses the skeleton at every frame of the animation and skins every mesh
// into its positions; the joints and base meshes are left in the last frame's
// pose. False, with nothing baked, when the frames would pass
// kMaxBakedPositions.
bool BakeAnimation(Md5Data& model, Md5Animation& animation);
// How many frames were baked.
int32_t BakedFrames(const Md5Animation& animation);
// The baked positions of mesh m in frame f (inside the baked frames).
const VECTOR3* BakedPositions(const Md5Data& model, const Md5Animation& animation, int32_t f, size_t m);

}  // namespace korvath
