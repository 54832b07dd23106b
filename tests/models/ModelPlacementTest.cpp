// The behaviour every model shares, on MD2 objects: placement, moving along the
// heading, turning with one wrap, the frame clock, Frame rounding and the
// volume a Render leaves.
#include <cmath>

#include "models/KeyframeAnimations.h"
#include "models/ModelTestSupport.h"
#include "world/Volumes.h"

namespace korvath::test {
namespace {

class ModelPlacementTest : public LoggedEngineTest {
protected:
    void SetUp() override {
        LoggedEngineTest::SetUp();
        saved_ = State().FrameTime;
    }
    void TearDown() override { State().FrameTime = saved_; }
    void LoadQuads(MD2& model, int frames) {
        model.Load(WriteModel("quads.md2", QuadModel(QuadFrames("a", frames)).Bytes()));
        ASSERT_TRUE(model.Loaded());
    }

private:
    float saved_ = 0;
};

void ExpectVector(const VECTOR3& v, float x, float y, float z, const std::string& what) {
    // The tables hold the sine of whole degrees times 0.0174532, a little off pi / 180.
    EXPECT_NEAR(v.x, x, 1e-4) << what;
    EXPECT_NEAR(v.y, y, 1e-4) << what;
    EXPECT_NEAR(v.z, z, 1e-4) << what;
}

TEST_F(ModelPlacementTest, MoveGoesAlongTheHeadingByFrameTime) {
    const struct {
        float frameTime, heading, x, y, z;
        VECTOR3 expected;
    } moves[] = {
        {0, 0, 5, 5, 5, {10, 20, 30}},          // before the first frame nothing moves
        {1, 0, 1, 0, 0, {9, 20, 30}},           {1, 0, 0, 1, 0, {10, 19, 30}},
        {1, 0, 0, 0, 1, {10, 20, 29}},          {0.5f, 90, 0, 0, 2, {11, 20, 30}},
        {1, -90, 0, 0, 1, {9, 20, 30}},         // a heading outside the tables wraps to 270
        {1, 449.6f, 1, 0, 0, {10, 20, 29}},     // rounded to 450, wrapped to 90
    };
    for (const auto& m : moves) {
        MD2 model;
        model.SetPosition(10, 20, 30);
        model.SetRotation(0, m.heading, 0);
        State().FrameTime = m.frameTime;
        model.Move(m.x, m.y, m.z);
        ExpectVector(model.Position(), m.expected.x, m.expected.y, m.expected.z,
                     "heading " + std::to_string(m.heading));
    }
}

TEST_F(ModelPlacementTest, RotateWrapsOnceAndSetRotationNever) {
    const struct {
        float start, delta, expected;
    } turns[] = {{0, 370, 10}, {0, -30, 330}, {360, 0, 360}, {0, 800, 440}, {350, 20, 10}};
    for (const auto& t : turns) {
        MD2 model;
        model.SetRotation(t.start, t.start, t.start);
        model.Rotate(t.delta, t.delta, t.delta);
        ExpectVector(model.Rotation(), t.expected, t.expected, t.expected, std::to_string(t.delta));
    }
    MD2 model;
    model.SetRotation(-45, 0, 0);
    EXPECT_FLOAT_EQ(model.Rotation().x, -45);
}

TEST(FrameClock, StepsWrapsAndBlendsTowardTheFirstFrame) {
    const MD2_ANIMATION stand{"stand", 0, 39};
    const struct {
        float frame, seconds, velocity;
        float expectedFrame;
        int32_t expectedNext;
    } steps[] = {
        {39.2f, 0.05f, 10, 39.7f, 0},  // inside; the next whole frame is past the end
        {39.7f, 0.05f, 10, 0, 1},      // 40.2 restarts without its fraction
        {10, 0.05f, 10, 10.5f, 11},   {-3, 0, 10, 0, 1},
        {NAN, 0.05f, 10, 0, 1},
    };
    for (const auto& s : steps) {
        float frame = s.frame;
        int32_t next = -7;
        StepFrameClock(frame, next, s.seconds, s.velocity, stand);
        EXPECT_NEAR(frame, s.expectedFrame, 1e-4) << s.frame;
        EXPECT_EQ(next, s.expectedNext) << s.frame;
    }
    float frame = 4.5f;
    int32_t next = 0;
    StepFrameClock(frame, next, 1, 1, ClockRange({}, -1, 8));  // no animations: every frame
    EXPECT_FLOAT_EQ(frame, 5.5f);
    EXPECT_EQ(next, 6);
}

TEST_F(ModelPlacementTest, FrameRoundsHalvesToEven) {
    MD2 model;
    LoadQuads(model, 8);
    State().FrameTime = 0.5f;
    model.SetVelocity(1);
    model.SetFrame(2);
    model.Render();
    EXPECT_EQ(model.Frame(), 2);  // 2.5
    model.SetFrame(3);
    model.Render();
    EXPECT_EQ(model.Frame(), 4);  // 3.5
}

TEST_F(ModelPlacementTest, VolumeIsTheTransformedBoxOfTheLastDrawnFrame) {
    MD2 model;
    const std::vector<VOLUME> fresh = model.Volume();
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_FALSE(fresh[0].Enabled);
    EXPECT_FLOAT_EQ(fresh[0].Max.x, 0);

    LoadQuads(model, 8);
    model.SetPosition(100, 0, 0);
    model.SetRotation(0, 0, 0);
    model.SetScale(2, 2, 2);
    model.SetFrame(5);
    const int32_t vertices = State().FrameVertices;
    model.Render(false);
    EXPECT_EQ(State().FrameVertices - vertices, 6);
    const VOLUME v = model.Volume()[0];
    EXPECT_TRUE(v.Enabled);
    EXPECT_FLOAT_EQ(v.Position.x, 100);
    EXPECT_FLOAT_EQ(v.Matrix[12], 100);
    EXPECT_FLOAT_EQ(v.Matrix[0], 2);
    // Frame 5 (file name a6) spans x 6..7, y 0..1: the third corners are
    // vertices 2 and 3, (7, 1, 0) and (6, 1, 0) in the file, (-7, 0, 1) and
    // (-6, 0, 1) in engine axes, scaled by 2 and moved by 100.
    ExpectVector(v.Min, 86, 0, 2, "min");
    ExpectVector(v.Max, 88, 0, 2, "max");

    // A frame past the model's draws its last frame.
    model.SetFrame(1000);
    model.Render(false);
    ExpectVector(model.Volume()[0].Min, 100 - 2 * 9, 0, 2, "clamped frame");
}

TEST_F(ModelPlacementTest, LoadSetsTheMaterialToOneEmptyStage) {
    MD2 model;
    SHADER two;
    two.Stages.resize(2);
    model.SetShader(two);
    LoadQuads(model, 1);
    EXPECT_EQ(model.Shader().Stages.size(), 1u);
    model.Shader(two);
    EXPECT_EQ(model.Shader().Stages.size(), 2u);
}

}  // namespace
}  // namespace korvath::test
