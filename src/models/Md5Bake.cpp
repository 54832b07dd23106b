#include "models/Md5Bake.h"

#include <algorithm>

namespace korvath {

Md5Animation BindPoseAnimation(const Md5Data& model) {
    Md5Animation bind;
    bind.JointCount = static_cast<int32_t>(model.Skeleton.Joints.size());
    bind.Poses = model.Skeleton.Matrices;
    return bind;
}

bool BakeAnimation(Md5Data& model, Md5Animation& animation) {
    const size_t joints = model.Skeleton.Joints.size();
    const size_t frames = static_cast<size_t>(animation.File.NumFrames);
    if (joints > 0 && frames > kMaxBakedPoses / joints) return false;
    animation.JointCount = static_cast<int32_t>(joints);
    animation.Poses.resize(frames * joints);
    for (size_t f = 0; f < frames; ++f) {
        PoseSkeleton(model.Skeleton, animation.File, static_cast<int32_t>(f));
        std::copy(model.Skeleton.Matrices.begin(), model.Skeleton.Matrices.end(), animation.Poses.begin() + f * joints);
    }
    if (frames > 0)
        for (Md5Mesh& mesh : model.Meshes) ComputeMeshPose(model.Skeleton, mesh);
    return true;
}

// A skeleton without joints keeps no poses, yet every frame of it exists.
int32_t BakedFrames(const Md5Animation& animation) {
    if (animation.JointCount <= 0) return animation.File.NumFrames > 0 ? animation.File.NumFrames : 1;
    return static_cast<int32_t>(animation.Poses.size() / static_cast<size_t>(animation.JointCount));
}

const Md5JointMatrix* BakedPose(const Md5Animation& animation, int32_t f) {
    return animation.Poses.data() + static_cast<size_t>(f) * static_cast<size_t>(animation.JointCount);
}

}  // namespace korvath
