#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "core/FrameTiming.h"
#include "korvath/Physics.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

// Every test runs at frame times it sets and leaves the engine's as it found it.
class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = Timing().FrameTime; }
    void TearDown() override { Timing().FrameTime = saved_; }
    float saved_ = 0;
};

TEST_F(PhysicsTest, FallsWithAGrowingStepSinksOnTheCrossingStepAndIsPushedBack) {
    Timing().FrameTime = 0.5f;
    Physics body;
    body.SetGravity(8);  // fall step 4: the drop grows by 2 per step
    body.SetPosition(3, 10, 7);
    body.SetDirection(1, 5, -2);
    for (float y : {8.0f, 4.0f, -2.0f}) {
        body.Update();
        EXPECT_FLOAT_EQ(body.Position().y, y);
        EXPECT_FLOAT_EQ(body.Position().x, 3) << "no sideways step while falling";
    }
    // Pushed up by the last speed plus a third of a fall step, clamped to the
    // ground, sliding by Direction's x and z; then at rest.
    for (int step = 0; step < 2; ++step) {
        body.Update();
        EXPECT_TRUE(test::FloatsEq({body.Position().x, body.Position().y, body.Position().z, body.Velocity()}, {4, 0, 5, 0}));
    }
}

TEST_F(PhysicsTest, AWeightBelowOneActsAsOne) {
    Timing().FrameTime = 1;
    for (float weight : {0.0f, 0.5f, 1.0f}) {
        Physics body;
        body.SetGravity(2);
        body.SetWeight(weight);
        body.SetPosition(0, 10, 0);
        body.Update();
        EXPECT_FLOAT_EQ(body.Position().y, 8) << weight;
    }
}

// Friction slows the slide on the ground and never moves a body that stands
// still (dividing the position would drag every body toward the origin).
TEST_F(PhysicsTest, FrictionDividesTheSlideAndNeverScalesThePosition) {
    Timing().FrameTime = 0.1f;
    for (auto [friction, slidX] : {std::pair{0.0f, 104.0f}, {1.0f, 104.0f}, {2.0f, 102.0f}, {4.0f, 101.0f}}) {
        Physics body;
        body.SetFriction(friction);
        body.SetPosition(100, 0, -50);
        body.Update();
        EXPECT_TRUE(test::FloatsEq({body.Position().x, body.Position().z}, {100, -50})) << friction;
        body.SetDirection(4, 0, 0);
        body.SetPosition(100, -1, -50);
        body.Update();
        EXPECT_FLOAT_EQ(body.Position().x, slidX) << friction;
    }
}

TEST_F(PhysicsTest, GroundAndGravity) {
    Physics body;
    for (auto [in, out] : {std::pair{1.234f, 1.23f}, {0.125f, 0.12f}, {0.375f, 0.38f}, {-0.125f, -0.12f}}) {
        body.SetGround(in);
        EXPECT_FLOAT_EQ(body.Ground(), out) << in;
    }
    body.Ground(1.234f);
    EXPECT_FLOAT_EQ(body.Ground(), 1.234f);

    body.Gravity(9.8f);
    Timing().FrameTime = 0;
    EXPECT_FLOAT_EQ(body.Gravity(), 0) << "before the first frame";
    Timing().FrameTime = 0.25f;
    EXPECT_FLOAT_EQ(body.Gravity(), 2.45f);
}

// One bad frame time, force or speed must not leave NaN behind: the body stays
// finite and falls normally once the inputs are sane again.
TEST_F(PhysicsTest, ANonFiniteStepIsDroppedAndLaterFramesRecover) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float frameTime, gravity, weight, velocity;
    } cases[] = {{inf, 8, 1, 0}, {nan, 8, 1, 0}, {0.5f, inf, 1, 0}, {0.5f, 8, nan, 0},
                 {0.5f, 8, inf, 0}, {0.5f, 8, 1, nan}, {0.5f, 8, 1, inf}};
    for (const auto& c : cases) {
        Physics body;
        body.SetGravity(c.gravity);
        body.SetWeight(c.weight);
        body.SetPosition(1, 10, 2);
        body.Velocity(c.velocity);
        Timing().FrameTime = c.frameTime;
        body.Update();
        const std::string what = "case " + std::to_string(&c - cases);
        EXPECT_TRUE(std::isfinite(body.Position().y) && std::isfinite(body.Velocity())) << what;

        Timing().FrameTime = 0.5f;
        body.SetGravity(8);
        body.SetWeight(1);
        const float before = body.Position().y;
        body.Update();
        EXPECT_LT(body.Position().y, before) << what;
    }
    Physics sliding;  // a NaN slide on the ground leaves the body where it stood
    sliding.SetPosition(5, -1, 5);
    sliding.SetDirection(nan, 0, inf);
    sliding.SetFriction(nan);
    sliding.Update();
    EXPECT_TRUE(test::FloatsEq({sliding.Position().x, sliding.Position().z}, {5, 5}));
}

}  // namespace
