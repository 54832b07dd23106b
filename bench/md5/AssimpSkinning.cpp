#include "AssimpSkinning.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace md5bench {

namespace {

void AddNodes(const aiNode* node, int parent, AssimpRig& rig) {
    const int index = static_cast<int>(rig.nodes.size());
    rig.nodes.push_back(node);
    rig.parents.push_back(parent);
    for (unsigned i = 0; i < node->mNumChildren; ++i) AddNodes(node->mChildren[i], index, rig);
}

int NodeNamed(const AssimpRig& rig, const aiString& name) {
    for (size_t i = 0; i < rig.nodes.size(); ++i)
        if (rig.nodes[i]->mName == name) return static_cast<int>(i);
    return -1;
}

// The channel's key at time (in ticks), between the two keys around it.
template <typename Key>
size_t KeyBefore(const Key* keys, unsigned count, double time) {
    size_t k = 0;
    while (k + 1 < count && keys[k + 1].mTime <= time) ++k;
    return k;
}

}  // namespace

AssimpRig::AssimpRig(const aiScene* s) : scene(s) {
    AddNodes(scene->mRootNode, -1, *this);
    channels.assign(nodes.size(), nullptr);
    if (scene->mNumAnimations > 0) {
        const aiAnimation* animation = scene->mAnimations[0];
        for (unsigned c = 0; c < animation->mNumChannels; ++c) {
            const int node = NodeNamed(*this, animation->mChannels[c]->mNodeName);
            if (node >= 0) channels[static_cast<size_t>(node)] = animation->mChannels[c];
        }
    }
    for (const aiNode* node : nodes) {
        aiVector3D scaling, position;
        aiQuaternion rotation;
        node->mTransformation.Decompose(scaling, rotation, position);
        bindPositions.push_back(position);
        bindRotations.push_back(rotation);
    }
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        std::vector<int> bones;
        for (unsigned b = 0; b < scene->mMeshes[m]->mNumBones; ++b)
            bones.push_back(NodeNamed(*this, scene->mMeshes[m]->mBones[b]->mName));
        boneNodes.push_back(bones);
    }
}

AssimpCopy::AssimpCopy(const AssimpRig& rig) : rig_(rig), global_(rig.nodes.size()) {
    for (unsigned m = 0; m < rig.scene->mNumMeshes; ++m) positions_.emplace_back(rig.scene->mMeshes[m]->mNumVertices);
}

void AssimpCopy::FadeTo(bool animated, float perSecond) {
    if (animated == target_) return;
    target_ = animated;
    speed_ = perSecond;
}

void AssimpCopy::Advance(double seconds) {
    const aiAnimation* animation = rig_.scene->mNumAnimations > 0 ? rig_.scene->mAnimations[0] : nullptr;
    if (animation) {
        const double rate = animation->mTicksPerSecond > 0 ? animation->mTicksPerSecond : 24;
        time_ = std::fmod(time_ + seconds * rate, animation->mDuration > 0 ? animation->mDuration : 1);
    }
    if (current_ != target_) {
        blend_ += static_cast<float>(seconds) * speed_;
        if (blend_ >= 1) blend_ = 0, current_ = target_;
    }
}

void AssimpCopy::Pose() {
    for (size_t n = 0; n < rig_.nodes.size(); ++n) {
        aiVector3D position[2] = {rig_.bindPositions[n], rig_.bindPositions[n]};
        aiQuaternion rotation[2] = {rig_.bindRotations[n], rig_.bindRotations[n]};
        if (const aiNodeAnim* channel = rig_.channels[n]) {
            // The animated pose goes in the slot of whichever side is animated.
            const size_t p = KeyBefore(channel->mPositionKeys, channel->mNumPositionKeys, time_);
            const size_t r = KeyBefore(channel->mRotationKeys, channel->mNumRotationKeys, time_);
            const size_t pn = std::min<size_t>(p + 1, channel->mNumPositionKeys - 1);
            const size_t rn = std::min<size_t>(r + 1, channel->mNumRotationKeys - 1);
            const float w = static_cast<float>(time_ - channel->mPositionKeys[p].mTime);
            aiVector3D moved = channel->mPositionKeys[p].mValue +
                               (channel->mPositionKeys[pn].mValue - channel->mPositionKeys[p].mValue) * w;
            aiQuaternion turned;
            aiQuaternion::Interpolate(turned, channel->mRotationKeys[r].mValue, channel->mRotationKeys[rn].mValue, w);
            for (int side = 0; side < 2; ++side)
                if ((side == 0 ? current_ : target_)) position[side] = moved, rotation[side] = turned;
        }
        aiQuaternion blended;
        aiQuaternion::Interpolate(blended, rotation[0], rotation[1], blend_);
        const aiVector3D at = position[0] + (position[1] - position[0]) * blend_;
        aiMatrix4x4 local(blended.GetMatrix());
        local.a4 = at.x, local.b4 = at.y, local.c4 = at.z;
        const int parent = rig_.parents[n];
        global_[n] = parent < 0 ? local : global_[static_cast<size_t>(parent)] * local;
    }
}

void AssimpCopy::Draw(uint32_t texture) {
    Pose();
    // The importer turns the triangles' winding; both sides are drawn.
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (unsigned m = 0; m < rig_.scene->mNumMeshes; ++m) {
        const aiMesh* mesh = rig_.scene->mMeshes[m];
        std::vector<aiVector3D>& out = positions_[m];
        std::fill(out.begin(), out.end(), aiVector3D());
        for (unsigned b = 0; b < mesh->mNumBones; ++b) {
            const aiBone* bone = mesh->mBones[b];
            const int node = rig_.boneNodes[m][b];
            const aiMatrix4x4 skin = (node >= 0 ? global_[static_cast<size_t>(node)] : aiMatrix4x4()) * bone->mOffsetMatrix;
            for (unsigned w = 0; w < bone->mNumWeights; ++w) {
                const aiVertexWeight& weight = bone->mWeights[w];
                out[weight.mVertexId] += (skin * mesh->mVertices[weight.mVertexId]) * weight.mWeight;
            }
        }
        glVertexPointer(3, GL_FLOAT, sizeof(aiVector3D), out.data());
        if (mesh->mTextureCoords[0]) glTexCoordPointer(2, GL_FLOAT, sizeof(aiVector3D), mesh->mTextureCoords[0]);
        // The importer unrolls every triangle into three vertices of its own.
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh->mNumVertices));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace md5bench
