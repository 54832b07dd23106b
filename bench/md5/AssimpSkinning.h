#pragma once
// The Asset Import Library's side of the frame case: it imports, it does not
// draw, so this is the animation player a host of it writes: per copy the
// joints of the animation at its time, cross-faded toward the bind pose (the
// nodes' own transforms) or back, the vertices skinned by their bones on the
// CPU and drawn from client arrays.
#include <assimp/scene.h>

#include <cstdint>
#include <vector>

namespace md5bench {

// What every copy reads: the nodes in an order that puts parents first, the
// animation channel of each, and the bind pose of each as translation and
// rotation.
struct AssimpRig {
    explicit AssimpRig(const aiScene* scene);
    const aiScene* scene;
    std::vector<const aiNode*> nodes;
    std::vector<int> parents;                  // -1 for the root
    std::vector<const aiNodeAnim*> channels;   // null where the animation leaves the node
    std::vector<aiVector3D> bindPositions;
    std::vector<aiQuaternion> bindRotations;
    std::vector<std::vector<int>> boneNodes;   // per mesh, per bone
};

class AssimpCopy {
public:
    explicit AssimpCopy(const AssimpRig& rig);
    // Starts a cross-fade to the animation (true) or to the bind pose.
    void FadeTo(bool animated, float perSecond);
    bool Animated() const { return target_; }
    void Advance(double seconds);
    // Skins every mesh and draws it with the current modelview matrix.
    void Draw(uint32_t texture);

private:
    void Pose();

    const AssimpRig& rig_;
    double time_ = 0;
    bool current_ = true, target_ = true;
    float blend_ = 0, speed_ = 0;
    std::vector<aiMatrix4x4> global_;
    std::vector<std::vector<aiVector3D>> positions_;
};

}  // namespace md5bench
