#pragma once
// Posing an MD5 skeleton and skinning its meshes: quaternion completion and
// rotation, the joints of one animation frame walked down from the roots, and
// vertices as weighted sums over their joints.
#include <cstdint>
#include <vector>

#include "korvath/MD5.h"
#include "models/ModelArrays.h"

namespace korvath {

struct Md5AnimFile;
struct Md5Mesh;

// A posed joint as skinning reads it: its quaternion as the matrix of
// Q (x) P (x) Q* (the same turn, and the same scale should Q not be unit length).
struct Md5JointMatrix {
    float Turn[9];  // row-major
    VECTOR3 Position;
};

struct Md5Skeleton {
    std::vector<JOINT> Joints;
    std::vector<Md5JointMatrix> Matrices;  // of the pose computed last
    std::vector<int32_t> Roots;  // joints without a parent, in joint order
    // Kept between poses so posing allocates nothing.
    struct Step {
        int32_t Joint;
        VECTOR4 ParentOrientation;
        VECTOR3 ParentPosition;
    };
    std::vector<Step> Pending;
    std::vector<uint8_t> Posed;
};

// w of a unit quaternion from x, y, z: negative, 0 when the three are already
// longer than 1.
float ComputeW(float x, float y, float z);
// P turned by the quaternion Q.
VECTOR3 RotateByQuaternion(const VECTOR3& P, const VECTOR4& Q);

// Takes the joints over and lists the roots.
void SetJoints(Md5Skeleton& skeleton, std::vector<JOINT> joints);
// Makes room for a walk over the joints as they now link; called whenever the
// links change, so PoseSkeleton allocates nothing.
void PrepareWalk(Md5Skeleton& skeleton);

// Poses every joint reached from the roots for frame of the animation. Each
// joint is posed once, so children links that loop back end the walk instead
// of recursing forever; a child number outside the joints is passed over.
void PoseSkeleton(Md5Skeleton& skeleton, const Md5AnimFile& animation, int32_t frame);

// Vertex v of the mesh skinned by the joints of a pose.
VECTOR3 SkinVertex(const Md5JointMatrix* joints, const Md5Mesh& mesh, size_t v);
// Every normal of the vertices the sum of the unnormalised face normals of
// its triangles, then normalised (a zero normal stays zero).
void RebuildNormals(const std::vector<uint32_t>& triangles, std::vector<ModelVertex>& vertices);
// The matrices of the joints as they stand; PoseSkeleton refreshes them, a
// change of the joints from outside calls this.
void RefreshMatrices(Md5Skeleton& skeleton);
// The base mesh skinned by the pose computed last and its normals rebuilt.
void ComputeMeshPose(const Md5Skeleton& skeleton, Md5Mesh& mesh);

}  // namespace korvath
