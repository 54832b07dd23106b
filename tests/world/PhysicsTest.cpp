#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Globals.h"
#include "korvath/Physics.h"

using namespace korvath;

namespace {

// Every test runs at a known frame time and leaves the engine's as it found it.
class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = State().FrameTime; }
    void TearDown() override { State().FrameTime = saved_; }
    float saved_ = 0;
};

TEST_F(PhysicsTest, FallsWithAGrowingStepSinksOnTheCrossingStepAndIsPushedBack) {
    State().FrameTime = 0.5f;
    Physics body;
    body.SetGravity(8);  // fall step 4, so the drop grows by 2 per step
    body.SetGround(0);
    body.SetPosition(3, 10, 7);
    body.SetDirection(1, 5, -2);

    const float heights[] = {8, 4, -2};
    for (float y : heights) {
        body.Update();
        EXPECT_FLOAT_EQ(body.Position().y, y);
        EXPECT_FLOAT_EQ(body.Position().x, 3) << "no sideways step while falling";
    }
    EXPECT_FLOAT_EQ(body.Velocity(), 6);

    // Below the ground: pushed up by the last speed plus a third of the fall step,
    // clamped to the ground, moving sideways by Direction (x and z only).
    body.Update();
    EXPECT_FLOAT_EQ(body.Position().x, 4);
    EXPECT_FLOAT_EQ(body.Position().y, 0);
    EXPECT_FLOAT_EQ(body.Position().z, 5);
    EXPECT_FLOAT_EQ(body.Velocity(), 0);

    // Resting exactly on the ground: neither falls nor slides.
    body.Update();
    EXPECT_FLOAT_EQ(body.Position().x, 4);
    EXPECT_FLOAT_EQ(body.Position().y, 0);
    EXPECT_FLOAT_EQ(body.Velocity(), 0);
}

TEST_F(PhysicsTest, AWeightOrFrictionBelowOneActsAsOne) {
    State().FrameTime = 1;
    for (float weight : {0.0f, 0.5f, 1.0f}) {
        Physics body;
        body.SetGravity(2);
        body.SetWeight(weight);
        body.SetPosition(0, 10, 0);
        body.Update();
        EXPECT_FLOAT_EQ(body.Position().y, 8) << "weight " << weight;
        EXPECT_FLOAT_EQ(body.Weight(), 1) << "weight " << weight;
    }
}

// Friction slows the sideways slide on the ground and never moves a body that
// stands still (a divided position would drag every body toward the origin).
TEST_F(PhysicsTest, FrictionDividesTheSidewaysStepAndNeverScalesThePosition) {
    State().FrameTime = 0.1f;
    struct Case {
        float friction, expectedX;
    } cases[] = {{0, 104}, {1, 104}, {2, 102}, {4, 101}};
    for (const Case& c : cases) {
        Physics resting;
        resting.SetFriction(c.friction);
        resting.SetPosition(100, 0, -50);
        resting.Update();
        EXPECT_FLOAT_EQ(resting.Position().x, 100) << "friction " << c.friction;
        EXPECT_FLOAT_EQ(resting.Position().z, -50) << "friction " << c.friction;

        Physics sliding;
        sliding.SetFriction(c.friction);
        sliding.SetDirection(4, 0, 0);
        sliding.SetPosition(100, -1, -50);
        sliding.Update();
        EXPECT_FLOAT_EQ(sliding.Position().x, c.expectedX) << "friction " << c.friction;
        EXPECT_FLOAT_EQ(sliding.Position().z, -50) << "friction " << c.friction;
    }
}

TEST_F(PhysicsTest, SetGroundRoundsToTwoDecimalsHalvesToEvenAndTheLetDoesNot) {
    Physics body;
    const struct {
        float in, out;
    } cases[] = {{1.234f, 1.23f}, {0.125f, 0.12f}, {0.375f, 0.38f}, {-2.5f, -2.5f}, {-0.125f, -0.12f}};
    for (const auto& c : cases) {
        body.SetGround(c.in);
        EXPECT_FLOAT_EQ(body.Ground(), c.out) << c.in;
    }
    body.Ground(1.234f);
    EXPECT_FLOAT_EQ(body.Ground(), 1.234f);
}

TEST_F(PhysicsTest, GravityGetIsTheForceOfTheCurrentFrame) {
    Physics body;
    body.Gravity(9.8f);
    State().FrameTime = 0;
    EXPECT_FLOAT_EQ(body.Gravity(), 0) << "before the first frame";
    State().FrameTime = 0.25f;
    EXPECT_FLOAT_EQ(body.Gravity(), 2.45f);
}

TEST_F(PhysicsTest, MoveFollowsTheBodysYawAndRotateWraps) {
    State().FrameTime = 1;
    Physics body;
    body.SetRotation(0, 90, 0);
    body.Move(0, 0, 10);  // forward along yaw 90 is +x
    EXPECT_NEAR(body.Position().x, 10, 1e-3);
    EXPECT_NEAR(body.Position().z, 0, 1e-3);
    body.Rotate(0, 280, -10);
    EXPECT_FLOAT_EQ(body.Rotation().y, 10);
    EXPECT_FLOAT_EQ(body.Rotation().z, 350);
}

// A bad frame time or force must not leave NaN behind: once the inputs are sane
// again the body falls from where it was.
TEST_F(PhysicsTest, ANonFiniteStepIsDroppedAndLaterFramesRecover) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        float frameTime, gravity, weight, friction, directionX, velocity;
    } cases[] = {
        {"infinite frame time", inf, 8, 1, 1, 0, 0},
        {"NaN frame time", nan, 8, 1, 1, 0, 0},
        {"infinite gravity", 0.5f, inf, 1, 1, 0, 0},
        {"NaN weight", 0.5f, 8, nan, 1, 0, 0},
        {"infinite weight", 0.5f, 8, inf, 1, 0, 0},
        {"NaN velocity", 0.5f, 8, 1, 1, 0, nan},
        {"infinite velocity", 0.5f, 8, 1, 1, 0, inf},
    };
    for (const Case& c : cases) {
        Physics body;
        body.SetGravity(c.gravity);
        body.SetWeight(c.weight);
        body.SetFriction(c.friction);
        body.SetPosition(1, 10, 2);
        body.Velocity(c.velocity);
        State().FrameTime = c.frameTime;
        body.Update();
        EXPECT_TRUE(std::isfinite(body.Position().y)) << c.name;
        EXPECT_TRUE(std::isfinite(body.Velocity())) << c.name;

        State().FrameTime = 0.5f;
        body.SetGravity(8);
        body.SetWeight(1);
        const float before = body.Position().y;
        body.Update();
        EXPECT_TRUE(std::isfinite(body.Position().y)) << c.name;
        EXPECT_LT(body.Position().y, before) << c.name;
    }

    // A NaN sideways step on the ground leaves the body where it stood.
    State().FrameTime = 0.5f;
    Physics body;
    body.SetPosition(5, -1, 5);
    body.SetDirection(nan, 0, inf);
    body.SetFriction(nan);
    body.Update();
    EXPECT_FLOAT_EQ(body.Position().x, 5);
    EXPECT_FLOAT_EQ(body.Position().y, -1);
    EXPECT_FLOAT_EQ(body.Position().z, 5);
}

}  // namespace
