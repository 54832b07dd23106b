#include "models/Md5Bake.h"

namespace korvath {

namespace {

int32_t VertexTotal(const Md5Data& model) {
    size_t total = 0;
    for (const Md5Mesh& mesh : model.Meshes) total += mesh.Vertices.size();
    return static_cast<int32_t>(total);
}

}  // namespace

Md5Animation BindPoseAnimation(const Md5Data& model) {
    Md5Animation bind;
    bind.VertexTotal = VertexTotal(model);
    bind.Positions.reserve(static_cast<size_t>(bind.VertexTotal));
    for (const Md5Mesh& mesh : model.Meshes)
        for (const ModelVertex& vertex : mesh.Pose) bind.Positions.push_back(vertex.Position);
    return bind;
}

bool BakeAnimation(Md5Data& model, Md5Animation& animation) {
    animation.VertexTotal = VertexTotal(model);
    const size_t total = static_cast<size_t>(animation.VertexTotal);
    const size_t frames = static_cast<size_t>(animation.File.NumFrames);
    if (total > 0 && frames > kMaxBakedPositions / total) return false;
    animation.Positions.resize(frames * total);
    std::vector<JOINT>& joints = model.Skeleton.Joints;
    VECTOR3* out = animation.Positions.data();
    for (size_t f = 0; f < frames; ++f) {
        PoseSkeleton(model.Skeleton, animation.File, static_cast<int32_t>(f));
        for (const Md5Mesh& mesh : model.Meshes)
            for (size_t v = 0; v < mesh.Vertices.size(); ++v) *out++ = SkinVertex(joints, mesh, v);
    }
    if (frames > 0)
        for (Md5Mesh& mesh : model.Meshes) ComputeMeshPose(joints, mesh);
    return true;
}

int32_t BakedFrames(const Md5Animation& animation) {
    if (animation.VertexTotal <= 0) return animation.File.NumFrames > 0 ? animation.File.NumFrames : 1;
    return static_cast<int32_t>(animation.Positions.size() / static_cast<size_t>(animation.VertexTotal));
}

const VECTOR3* BakedPositions(const Md5Data& model, const Md5Animation& animation, int32_t f, size_t m) {
    return animation.Positions.data() + static_cast<size_t>(f) * static_cast<size_t>(animation.VertexTotal) +
           static_cast<size_t>(model.MeshFirstVertex[m]);
}

}  // namespace korvath
