// Drawing an MD5 model: every mesh skinned at two baked frames of the current
// animation and interpolated, blended toward a frame of the target animation,
// with the normals of the current frame.
#include <algorithm>
#include <cmath>

#include "core/FrameTiming.h"
#include "korvath/MD5.h"
#include "models/Md5Bake.h"
#include "models/ModelTransform.h"

namespace korvath {

namespace {

// A frame position brought inside the baked frames: the clock can be pushed
// past them (SetFrame before an animation is added, a long frame time).
int32_t BakedFrame(const Md5Animation& animation, double frame) {
    const int32_t last = BakedFrames(animation) - 1;
    if (!(frame >= 0)) return 0;
    return frame >= last ? last : static_cast<int32_t>(frame);
}

// Joints and base meshes follow the current frame. The bind pose has no
// channels to pose from, so it keeps the skeleton as loaded.
void PoseCurrentFrame(Md5Data& d) {
    const Md5Animation& animation = d.Animations[static_cast<size_t>(d.Clock.CurrentAnimation)];
    if (d.Clock.CurrentAnimation == 0) return;
    const float frame = d.Clock.Frame;
    PoseSkeleton(d.Skeleton, animation.File, BakedFrame(animation, std::fabs(frame) < 2e9f ? std::nearbyint(frame) : 0));
    for (Md5Mesh& mesh : d.Meshes) ComputeMeshPose(d.Skeleton, mesh);
}

}  // namespace

void MD5::Render(bool Animate) {
    if (!loaded_) return;
    Md5Data& d = *data_;
    const Md5Clock& clock = d.Clock;
    const ModelDrawing drawing(placement_, levelLighting_);
    if (!Animate) PoseCurrentFrame(d);
    const Md5Animation& current = d.Animations[static_cast<size_t>(clock.CurrentAnimation)];
    const Md5Animation& target = d.Animations[static_cast<size_t>(clock.TargetAnimation)];
    const double whole = std::isfinite(clock.Frame) ? std::floor(clock.Frame) : 0;
    const int32_t c = BakedFrame(current, whole);
    const int32_t n = BakedFrame(current, clock.NextFrame);
    const float w = std::isfinite(clock.Frame) ? static_cast<float>(clock.Frame - whole) : 0;
    const int32_t t = BakedFrame(target, std::isfinite(clock.TargetFrame) ? std::nearbyint(clock.TargetFrame) : 0);
    const float blend = clock.BlendWeight;

    const Md5JointMatrix* P = BakedPose(current, c);
    const Md5JointMatrix* Q = BakedPose(current, n);
    const Md5JointMatrix* T = BakedPose(target, t);
    for (size_t m = 0; m < d.Meshes.size(); ++m) {
        Md5Mesh& mesh = d.Meshes[m];
        std::vector<ModelVertex>& vertices = mesh.Arrays.Vertices;
        // The normals are those of frame c itself, rebuilt from its positions
        // as the mesh pose rebuilds them; unanimated, those of the base mesh.
        for (size_t v = 0; v < vertices.size(); ++v) vertices[v].Position = SkinVertex(P, mesh, v);
        if (Animate) {
            RebuildNormals(mesh.Arrays.Indices, vertices);
        } else {
            for (size_t v = 0; v < vertices.size(); ++v) vertices[v].Normal = mesh.Pose[v].Normal;
        }
        VOLUME& volume = d.Volumes[m];
        const Matrix4 matrix = StartVolume(volume, placement_);
        SHADER& material = d.Materials[m];
        // The box holds what the passes drew: nothing for a material without stages.
        const bool drawn = MaterialPassCount(material) > 0;
        for (size_t v = 0; v < vertices.size(); ++v) {
            VECTOR3& p = vertices[v].Position;
            // A weight of 0 leaves p as it is: the other frame need not be skinned.
            if (w != 0) {
                const VECTOR3 q = SkinVertex(Q, mesh, v);
                p = {p.x + w * (q.x - p.x), p.y + w * (q.y - p.y), p.z + w * (q.z - p.z)};
            }
            if (blend != 0) {
                const VECTOR3 o = SkinVertex(T, mesh, v);
                p = {p.x + blend * (o.x - p.x), p.y + blend * (o.y - p.y), p.z + blend * (o.z - p.z)};
            }
            if (drawn) GrowVolume(volume, matrix, p);
        }
        DrawMaterialPasses(material, mesh.Arrays);
        Timing().FrameVertices += 3 * static_cast<int32_t>(mesh.TriangleCount());
    }
}

}  // namespace korvath
