#include "models/Md5Skeleton.h"

#include <cmath>

#include "core/Math.h"
#include "models/Md5AnimFile.h"
#include "models/Md5MeshFile.h"

namespace korvath {

namespace {

constexpr VECTOR4 kNoTurn{0, 0, 0, 1};

// Position x, y, z and orientation x, y, z, in the order the flags' bits and
// the frame's components give them.
float* Channel(VECTOR3& position, VECTOR4& orientation, int bit) {
    float* channels[6] = {&position.x, &position.y, &position.z, &orientation.x, &orientation.y, &orientation.z};
    return channels[bit];
}

// The joint's pose relative to its parent at frame: the base frame with the
// animated channels replaced by the frame's components. A component the frame
// does not hold (too few values, or one that was no number) keeps the base
// value; a joint the animation does not know stays at its parent.
void LocalPose(const Md5AnimFile& animation, int32_t frame, size_t joint, VECTOR3& position,
               VECTOR4& orientation) {
    position = {};
    orientation = {};
    if (joint < animation.BaseFrame.size()) {
        position = animation.BaseFrame[joint].Position;
        orientation = animation.BaseFrame[joint].Orientation;
    }
    if (joint < animation.Hierarchy.size() && frame >= 0 && static_cast<size_t>(frame) < animation.Frames.size()) {
        const Md5JointChannels& channels = animation.Hierarchy[joint];
        const Md5FrameSpan& span = animation.Frames[static_cast<size_t>(frame)];
        int64_t k = 0;
        for (int bit = 0; bit < 6; ++bit) {
            if ((channels.Flags & (1 << bit)) == 0) continue;
            const int64_t component = int64_t{channels.StartIndex} + k++;
            if (component < 0 || component >= span.Count) continue;
            const float value = animation.Values[span.First + static_cast<size_t>(component)];
            if (!std::isnan(value)) *Channel(position, orientation, bit) = value;
        }
    }
    orientation.w = ComputeW(orientation.x, orientation.y, orientation.z);
}

}  // namespace

float ComputeW(float x, float y, float z) {
    const float t = 1 - x * x - y * y - z * z;
    return t >= 0 ? -std::sqrt(t) : 0;
}

VECTOR3 RotateByQuaternion(const VECTOR3& P, const VECTOR4& Q) {
    const VECTOR4 turned = QuaternionMultiply(QuaternionMultiply(Q, {P.x, P.y, P.z, 0}), {-Q.x, -Q.y, -Q.z, Q.w});
    return {turned.x, turned.y, turned.z};
}

void SetJoints(Md5Skeleton& skeleton, std::vector<JOINT> joints) {
    skeleton.Joints = std::move(joints);
    skeleton.Roots.clear();
    for (const JOINT& joint : skeleton.Joints)
        if (joint.Parent < 0) skeleton.Roots.push_back(joint.Index);
    PrepareWalk(skeleton);
}

void PrepareWalk(Md5Skeleton& skeleton) {
    size_t links = skeleton.Roots.size();
    for (const JOINT& joint : skeleton.Joints) links += joint.Children.size();
    skeleton.Pending.reserve(links);
    skeleton.Posed.resize(skeleton.Joints.size());
    skeleton.Matrices.resize(skeleton.Joints.size());
    RefreshMatrices(skeleton);
}

void RefreshMatrices(Md5Skeleton& skeleton) {
    for (size_t j = 0; j < skeleton.Joints.size(); ++j) {
        const VECTOR4& q = skeleton.Joints[j].Orientation;
        const float ww = q.w * q.w, xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
        const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z, wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
        skeleton.Matrices[j] = {{ww + xx - yy - zz, 2 * (xy - wz), 2 * (xz + wy),  //
                                 2 * (xy + wz), ww - xx + yy - zz, 2 * (yz - wx),  //
                                 2 * (xz - wy), 2 * (yz + wx), ww - xx - yy + zz},
                                skeleton.Joints[j].Position};
    }
}

void PoseSkeleton(Md5Skeleton& skeleton, const Md5AnimFile& animation, int32_t frame) {
    std::vector<JOINT>& joints = skeleton.Joints;
    std::fill(skeleton.Posed.begin(), skeleton.Posed.end(), 0);
    skeleton.Pending.clear();
    // Pushed in reverse so joints are posed in the order a recursion from the
    // roots would reach them.
    for (auto root = skeleton.Roots.rbegin(); root != skeleton.Roots.rend(); ++root)
        skeleton.Pending.push_back({*root, kNoTurn, {}});
    while (!skeleton.Pending.empty()) {
        const Md5Skeleton::Step step = skeleton.Pending.back();
        skeleton.Pending.pop_back();
        if (step.Joint < 0 || static_cast<size_t>(step.Joint) >= joints.size()) continue;
        const size_t j = static_cast<size_t>(step.Joint);
        if (skeleton.Posed[j]) continue;
        skeleton.Posed[j] = 1;
        JOINT& joint = joints[j];
        VECTOR3 position;
        VECTOR4 orientation;
        LocalPose(animation, frame, j, position, orientation);
        if (joint.Parent >= 0) {
            joint.Position = VectorAdd(step.ParentPosition, RotateByQuaternion(position, step.ParentOrientation));
            joint.Orientation = QuaternionMultiply(step.ParentOrientation, orientation);
        } else {
            joint.Position = position;
            joint.Orientation = orientation;
        }
        for (auto child = joint.Children.rbegin(); child != joint.Children.rend(); ++child)
            if (skeleton.Pending.size() < skeleton.Pending.capacity())
                skeleton.Pending.push_back({*child, joint.Orientation, joint.Position});
    }
    RefreshMatrices(skeleton);
}

VECTOR3 SkinVertex(const Md5JointMatrix* joints, const Md5Mesh& mesh, size_t v) {
    const Md5Vertex& vertex = mesh.Vertices[v];
    VECTOR3 sum{};
    for (int32_t w = 0; w < vertex.WeightCount; ++w) {
        const Md5Weight& weight = mesh.Weights[static_cast<size_t>(vertex.FirstWeight + w)];
        const Md5JointMatrix& joint = joints[weight.Joint];
        const float* m = joint.Turn;
        const VECTOR3& p = weight.Position;
        const float b = weight.Bias;
        sum.x += (joint.Position.x + m[0] * p.x + m[1] * p.y + m[2] * p.z) * b;
        sum.y += (joint.Position.y + m[3] * p.x + m[4] * p.y + m[5] * p.z) * b;
        sum.z += (joint.Position.z + m[6] * p.x + m[7] * p.y + m[8] * p.z) * b;
    }
    return sum;
}

void RebuildNormals(const std::vector<uint32_t>& triangles, std::vector<ModelVertex>& vertices) {
    for (ModelVertex& vertex : vertices) vertex.Normal = {};
    for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
        ModelVertex& a = vertices[triangles[i]];
        ModelVertex& b = vertices[triangles[i + 1]];
        ModelVertex& c = vertices[triangles[i + 2]];
        const VECTOR3 n = VectorCross(VectorDelta(a.Position, c.Position), VectorDelta(a.Position, b.Position));
        for (ModelVertex* corner : {&a, &b, &c}) corner->Normal = VectorAdd(corner->Normal, n);
    }
    for (ModelVertex& vertex : vertices) vertex.Normal = VectorNormalize(vertex.Normal);
}

void ComputeMeshPose(const Md5Skeleton& skeleton, Md5Mesh& mesh) {
    for (size_t v = 0; v < mesh.Vertices.size(); ++v) mesh.Pose[v].Position = SkinVertex(skeleton.Matrices.data(), mesh, v);
    RebuildNormals(mesh.Arrays.Indices, mesh.Pose);
}

}  // namespace korvath
