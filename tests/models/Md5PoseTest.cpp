// The MD5 skeleton and clock, on a two-joint chain whose poses are worked out by hand.
#include <cmath>
#include <cstdio>

#include "core/FrameTiming.h"
#include "korvath/MD5.h"
#include "models/Md5Bake.h"
#include "models/Md5Data.h"
#include "models/Md5Writer.h"
#include "models/ModelTestSupport.h"
#include "support/AllocationCount.h"

namespace korvath::test {
namespace {

void ExpectNear(const VECTOR3& a, const VECTOR3& b) { EXPECT_TRUE(NearXyz(a, b, 1e-4f)); }

class Md5PoseTest : public LoggedEngineTest {
protected:
    void SetUp() override {
        LoggedEngineTest::SetUp();
        Timing().FrameTime = 0;
        model_.Load(WriteModel("chain.md5mesh", Bytes(ChainMesh().Text())));
        ASSERT_TRUE(model_.Loaded());
    }
    static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
    void AddAnimation(const std::string& name, int frames, int rate) {
        model_.LoadAnimation(WriteModel(name + ".md5anim", Bytes(ChainAnimation(frames, rate).Text())));
    }
    MD5 model_;
};

// The root at (1, 2, 3) turned -90 degrees about z carries the tip, whose x
// is 4 + frame in the root's frame, to (1, 2 - (4 + frame), 3).
TEST_F(Md5PoseTest, ChainJointsAtAFrame) {
    AddAnimation("walk", 10, 24);
    const float s = 0.7071068f;
    ExpectNear(model_.Joint(1).Position, {1, 2 - 13, 3});  // left at the last frame baked
    model_.SetFrame(3);
    model_.Render(false);
    ExpectNear(model_.Joint(0).Position, {1, 2, 3});
    ExpectNear(model_.Joint(1).Position, {1, 2 - 7, 3});
    const VECTOR4 q = model_.Joint(1).Orientation;  // the root's turn times (0, 0, 0, -1)
    EXPECT_TRUE(NearXyz({q.z, q.w, q.x}, {-s, s, 0}, 1e-6f));
}

// Vertex 0 of the bind pose: a quarter of joint 0 + (4, 0, 0) and three
// quarters of joint 1 + (0, 0, 2) turned about z (which leaves it).
TEST_F(Md5PoseTest, VertexOnTwoWeights) {
    Md5MeshFile file;
    ASSERT_EQ(ReadMd5Mesh(ChainMesh().Text(), file), Md5MeshResult::Loaded);
    Md5Skeleton skeleton;
    SetJoints(skeleton, file.Joints);
    Md5Mesh& mesh = file.Meshes[0];
    ComputeMeshPose(skeleton, mesh);
    ExpectNear(mesh.Pose[0].Position, {0.25f * 5 + 0.75f * 10, 0.25f * 2, 0.25f * 3 + 0.75f * 2});
    ExpectNear(mesh.Pose[2].Position, {9.75f, 1.5f, 2.25f});
    // The square lies in a plane of constant z: every normal is the same unit one.
    const VECTOR3 n = mesh.Pose[0].Normal;
    EXPECT_NEAR(std::fabs(n.x) + std::fabs(n.y) + std::fabs(n.z), 1, 1e-4);
    for (const ModelVertex& v : mesh.Pose) ExpectNear(v.Normal, n);
    EXPECT_EQ(ComputeW(0.6f, 0.6f, 0.6f), 0);
    EXPECT_FLOAT_EQ(ComputeW(0, 0.6f, 0), -0.8f);
    ExpectNear(RotateByQuaternion({4, 0, 0}, {0, 0, 0.7071068f, -0.7071068f}), {0, -4, 0});
}

TEST_F(Md5PoseTest, FrameClockWrapsPastTheLastFrame) {
    AddAnimation("walk", 10, 24);
    Timing().FrameTime = 0.05f;
    std::vector<int32_t> frames;
    for (int i = 0; i < 9; ++i) {
        model_.Update();
        frames.push_back(model_.Frame());
    }
    // 1.2, 2.4, 3.6, 4.8, 6.0, 7.2, 8.4; 9.6 is past the last frame, 9, and
    // wraps to 0, from where 1.2 follows.
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 4, 5, 6, 7, 8, 0, 1}));
}

TEST_F(Md5PoseTest, CrossFadeAtBlendTwoTakesHalfASecond) {
    AddAnimation("walk", 10, 24);
    AddAnimation("run", 20, 30);
    ASSERT_EQ(model_.Animation(), 2);
    model_.SetAnimation("nothing", 2);
    model_.SetAnimation("walk", 2);
    Timing().FrameTime = 0.05f;
    int updates = 0;
    while (model_.Animation() == 2 && updates < 100) {
        model_.Update();
        model_.Render();
        ++updates;
    }
    EXPECT_TRUE(updates == 10 || updates == 11) << updates;
    EXPECT_EQ(model_.Animation(), 1);
    EXPECT_EQ(model_.Frame(), 1);  // from 0.05 s x 24 frames a second
    model_.Update();
    EXPECT_EQ(model_.Frame(), 2);  // 2.4: the walk goes on from there
}

TEST_F(Md5PoseTest, SetFrameClampsIntoTheAnimation) {
    model_.SetFrame(5);
    EXPECT_EQ(model_.Frame(), 0);  // the bind pose has no frames to go to
    AddAnimation("walk", 10, 24);
    for (const auto& [set, expected] : {std::pair{1000, 9}, {-5, 0}, {4, 4}}) {
        model_.SetFrame(set);
        EXPECT_EQ(model_.Frame(), expected) << set;
    }
}

// Children that loop back (possible through Joint let) and numbers outside
// the skeleton end the walk.
TEST_F(Md5PoseTest, LoopingJointLinksEndThePose) {
    AddAnimation("walk", 10, 24);
    JOINT tip = model_.Joint(1);
    tip.Children = {0, 1, 99, -3};
    model_.Joint(1, tip);
    EXPECT_EQ(model_.Joint(1).Children.size(), 4u);
    model_.SetFrame(3);
    model_.Render(false);
    ExpectNear(model_.Joint(1).Position, {1, 2 - 7, 3});
    JOINT root = model_.Joint(0);
    root.Parent = 1;  // now a child of its own child, yet still listed as a root
    model_.Joint(0, root);
    model_.Render(false);
    EXPECT_TRUE(std::isfinite(model_.Joint(0).Position.x));
}

// What runs every frame on the CPU touches no heap: the clock, the pose of
// the skeleton and the skinning of the base mesh.
TEST_F(Md5PoseTest, FramesDoNotAllocate) {
    AddAnimation("walk", 10, 24);
    AddAnimation("run", 20, 30);
    model_.SetAnimation("walk", 0.5f);
    Timing().FrameTime = 0.03f;
    Md5MeshFile file;
    ReadMd5Mesh(ChainMesh().Text(), file);
    Md5Skeleton skeleton;
    SetJoints(skeleton, file.Joints);
    Md5AnimFile animation;
    ReadMd5Anim(ChainAnimation().Text(), animation);
    const long before = AllocationCount();
    for (int i = 0; i < 50; ++i) {
        model_.Update();
        PoseSkeleton(skeleton, animation, i % 10);
        ComputeMeshPose(skeleton, file.Meshes[0]);
    }
    EXPECT_EQ(AllocationCount() - before, 0);
}

// Baked frames keep the skeleton's pose where a copy of every mesh per frame keeps every vertex.
TEST_F(Md5PoseTest, LongAnimationBakesCompactly) {
    constexpr int kFrames = 1000, kVertices = 5000, kJoints = 8;
    Md5Data model;
    Md5MeshFile file;
    ASSERT_EQ(ReadMd5Mesh(LongMesh(kVertices, kJoints).Text(), file), Md5MeshResult::Loaded);
    SetJoints(model.Skeleton, std::move(file.Joints));
    model.Meshes = std::move(file.Meshes);
    Md5Animation animation;
    ASSERT_EQ(ReadMd5Anim(LongAnimation(kFrames, kJoints).Text(), animation.File), Md5AnimResult::Loaded);
    ASSERT_TRUE(BakeAnimation(model, animation));
    ASSERT_EQ(BakedFrames(animation), kFrames);
    const Md5Mesh& mesh = model.Meshes[0];
    const double values = static_cast<double>(animation.File.Values.capacity()) * sizeof(float);
    const double baked = static_cast<double>(animation.Poses.capacity()) * sizeof(Md5JointMatrix) + values;
    const double copy = 44.0 * mesh.Vertices.size() + 12.0 * mesh.TriangleCount() + 24.0 * mesh.Weights.size() + 12;
    const double written = kFrames * copy + values;
    std::printf("baked %.2f MB, written layout %.1f MB (%.2f %%)\n", baked / 1e6, written / 1e6, 100 * baked / written);
    EXPECT_LE(baked, 0.4 * written);
    // The last frame baked is the pose the base mesh was left in.
    for (const size_t v : {size_t{0}, size_t{kVertices - 1}})
        ExpectNear(SkinVertex(BakedPose(animation, kFrames - 1), mesh, v), mesh.Pose[v].Position);
}

}  // namespace
}  // namespace korvath::test
