// The behaviour every model shares, on MD2 objects.
#include <cmath>

#include "models/KeyframeAnimations.h"
#include "core/FrameTiming.h"
#include "models/Md2File.h"
#include "models/ModelTestSupport.h"
#include "models/ModelTransform.h"
#include "support/AllocationCount.h"

namespace korvath::test {
namespace {

class ModelPlacementTest : public LoggedEngineTest {
protected:
    void TearDown() override { Timing().FrameTime = 0; }
    void LoadQuads(MD2& model, int frames) {
        model.Load(WriteModel("quads.md2", QuadModel(QuadFrames("a", frames)).Bytes()));
        ASSERT_TRUE(model.Loaded());
    }
};

// The tables hold the sine of whole degrees times 0.0174532, a little off pi / 180.
void ExpectVector(const VECTOR3& v, const VECTOR3& expected, const std::string& what) {
    EXPECT_TRUE(NearXyz(v, expected, 1e-4f)) << what;
}

TEST_F(ModelPlacementTest, MoveGoesAlongTheHeadingByFrameTime) {
    const struct {
        float frameTime, heading;
        VECTOR3 move, expected;
    } moves[] = {
        {0, 0, {5, 5, 5}, {10, 20, 30}},  // before the first frame nothing moves
        {1, 0, {1, 0, 0}, {9, 20, 30}},       {1, 0, {0, 1, 0}, {10, 19, 30}},
        {1, 0, {0, 0, 1}, {10, 20, 29}},      {0.5f, 90, {0, 0, 2}, {11, 20, 30}},
        {1, -90, {0, 0, 1}, {9, 20, 30}},     // outside the tables: wrapped to 270
        {1, 449.6f, {1, 0, 0}, {10, 20, 29}},  // rounded to 450, wrapped to 90
    };
    for (const auto& m : moves) {
        MD2 model;
        model.SetPosition(10, 20, 30);
        model.SetRotation(0, m.heading, 0);
        Timing().FrameTime = m.frameTime;
        model.Move(m.move.x, m.move.y, m.move.z);
        ExpectVector(model.Position(), m.expected, "heading " + std::to_string(m.heading));
    }
}

TEST_F(ModelPlacementTest, RotateWrapsOnceAndSetRotationNever) {
    for (const auto& [start, delta, expected] : {std::array{0.f, 370.f, 10.f}, {0, -30, 330}, {360, 0, 360},
                                                  {0, 800, 440}, {350, 20, 10}}) {
        MD2 model;
        model.SetRotation(start, start, start);
        model.Rotate(delta, delta, delta);
        ExpectVector(model.Rotation(), {expected, expected, expected}, std::to_string(delta));
    }
    MD2 model;
    model.SetRotation(-45, 0, 0);
    EXPECT_FLOAT_EQ(model.Rotation().x, -45);
}

TEST(FrameClock, StepsWrapsAndBlendsTowardTheFirstFrame) {
    const struct {
        float frame, expectedFrame;
        int32_t expectedNext;
    } steps[] = {
        {39.2f, 39.7f, 0},  // the last frame blends toward the first
        {39.7f, 0, 1},      // 40.2 restarts without its fraction
        {10, 10.5f, 11},    {-3.5f, 0, 1}, {NAN, 0, 1},
    };
    for (const auto& s : steps) {
        float frame = s.frame;
        int32_t next = -7;
        StepFrameClock(frame, next, 0.05f, 10, {0, 39});
        EXPECT_NEAR(frame, s.expectedFrame, 1e-4) << s.frame;
        EXPECT_EQ(next, s.expectedNext) << s.frame;
    }
    float frame = 4.5f;
    int32_t next = 0;
    StepFrameClock(frame, next, 1, 1, ClockRange({}, -1, 8));  // no animations: every frame
    EXPECT_EQ(next, 6);
}

TEST_F(ModelPlacementTest, FrameRoundsHalvesToEven) {
    MD2 model;
    LoadQuads(model, 8);
    Timing().FrameTime = 0.5f;
    model.SetVelocity(1);
    for (const auto& [start, rounded] : {std::pair{2, 2}, {3, 4}}) {
        model.SetFrame(start);
        model.Render();  // start + 0.5
        EXPECT_EQ(model.Frame(), rounded);
    }
}

TEST_F(ModelPlacementTest, VolumeIsTheTransformedBoxOfTheLastDrawnFrame) {
    MD2 model;
    ASSERT_EQ(model.Volume().size(), 1u);
    EXPECT_FALSE(model.Volume()[0].Enabled);
    LoadQuads(model, 8);
    EXPECT_EQ(model.Shader().Stages.size(), 1u);  // one zeroed stage
    model.SetPosition(100, 0, 0);
    model.SetRotation(0, 0, 0);
    model.SetScale(2, 2, 2);
    model.SetFrame(5);
    const int32_t vertices = Timing().FrameVertices;
    model.Render(false);
    EXPECT_EQ(Timing().FrameVertices - vertices, 6);
    const VOLUME v = model.Volume()[0];
    EXPECT_TRUE(v.Enabled);
    EXPECT_TRUE(FloatsEq({v.Matrix[12], v.Matrix[0]}, {100, 2}));
    // Frame 5 spans file x 6..7, y 0..1. The third corners, (7, 1, 0) and
    // (6, 1, 0), are (-7, 0, 1) and (-6, 0, 1) in engine axes, then scaled by
    // 2 and moved by 100.
    ExpectVector(v.Min, {86, 0, 2}, "min");
    ExpectVector(v.Max, {88, 0, 2}, "max");
    model.SetFrame(1000);  // past the model: its last frame is drawn
    model.Render(false);
    ExpectVector(model.Volume()[0].Min, {100 - 2 * 9, 0, 2}, "clamped frame");
}

// What a model's Render does on the CPU every frame (the clock, the pose, the
// volume) must not touch the heap; the draw, with the driver's own
// allocations, is left out.
TEST(KeyframeFrame, PoseClockAndVolumeDoNotAllocate) {
    Md2Model model;
    ASSERT_EQ(ReadMd2(QuadModel(QuadFrames("a_name_longer_than_a_short_string", 4)).Bytes(), model), Md2Result::Loaded);
    float frame = 0;
    int32_t next = 0;
    VOLUME volume;
    const long before = AllocationCount();
    for (int i = 0; i < 50; ++i) {
        StepFrameClock(frame, next, 0.05f, 30, ClockRange(model.Animations, model.AnimationIndex, 4));
        const Matrix4 matrix = StartVolume(volume, {false, {1, 2, 3}, {0, 90, 0}, {1, 1, 1}});
        InterpolateFrames(model.Mesh, static_cast<int32_t>(frame), next, frame - static_cast<int32_t>(frame));
        GrowByThirdCorners(model.Mesh, static_cast<int32_t>(frame), volume, matrix);
    }
    EXPECT_EQ(AllocationCount() - before, 0);
}

}  // namespace
}  // namespace korvath::test
