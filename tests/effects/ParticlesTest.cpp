#include <gtest/gtest.h>

#include <cmath>

#include "core/FrameTiming.h"
#include "effects/DecalAxes.h"
#include "korvath/Particles.h"

using namespace korvath;

namespace {

// Tick and frame time are the test's: set before every Update.
class ParticleSteps : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Timing();
        Step(1000, 0);
    }
    void TearDown() override { Timing() = saved_; }
    static void Step(int32_t tick, float frameTime) {
        Timing().CurrentTick = tick;
        Timing().FrameTime = frameTime;
    }
    int Alive(const Particles& p) const {
        int alive = 0;
        for (int32_t i = 0; i <= p.Count(); ++i) alive += p.Life(i) >= 0.1f;
        return alive;
    }
    FrameTiming saved_;
};

}  // namespace

TEST_F(ParticleSteps, RateZeroRespawnsEveryDeadParticleAtOnceOtherwiseOnePerTick) {
    Particles p;
    p.Load(10);
    p.SetLife(1);
    p.Update();
    EXPECT_EQ(Alive(p), 10);

    Particles slow;
    slow.Load(10);
    slow.SetLife(1);
    slow.SetRate(50);
    slow.Update();
    EXPECT_EQ(Alive(slow), 1);
    slow.Update();  // same tick: nothing more
    EXPECT_EQ(Alive(slow), 1);
    Step(1049, 0);
    slow.Update();
    EXPECT_EQ(Alive(slow), 1);
    Step(1050, 0);
    slow.Update();
    EXPECT_EQ(Alive(slow), 2);
}

TEST_F(ParticleSteps, RespawnTakesTheSystemSettingsAndTheWrittenRandomSpread) {
    Particles p;
    p.Load(200);
    p.SetLife(2);
    p.SetDeath(3);
    p.SetGravity(0.5f);
    p.SetOrigin(1, 2, 3);
    p.SetDirection(1, 2, 0);
    p.SetFriction(0.5f, 0, 0);
    p.SetVelocity(10);
    p.Update();
    for (int32_t i = 0; i <= p.Count(); ++i) {
        EXPECT_FLOAT_EQ(p.Life(i), 2);
        EXPECT_GE(p.Death(i), 2);  // Random(life, death) lies in [2, 4)
        EXPECT_LT(p.Death(i), 4);
        EXPECT_EQ(p.Destination(i).x, 1);
        EXPECT_EQ(p.Size(i), 1);
    }
    // Motion = (Random(-1, 1) + friction) x direction x velocity, Random in [-1, 2).
    Step(1000, 1);
    p.Gravity(0, 0);
    p.Death(0, 0);
    p.Update();
    const VECTOR3 moved = p.Destination(0);
    EXPECT_GE(moved.x - 1, (-1 + 0.5f) * 10);
    EXPECT_LT(moved.x - 1, (2 + 0.5f) * 10);
    EXPECT_GE(moved.y - 2, -1 * 20);
    EXPECT_LT(moved.y - 2, 2 * 20);
    EXPECT_EQ(moved.z, 3);
}

TEST_F(ParticleSteps, LivingParticlesFadeMoveAndFallByAStepNotBySeconds) {
    Particles p;
    p.Load(1);
    p.Emission(false);
    p.Life(0, 1);
    p.Death(0, 0.5f);
    p.Gravity(0, 2);
    p.SetDestination(0, 10, 0, 0);
    p.SetPosition(100, 0, 0);
    Step(1000, 0.25f);
    p.Update();
    EXPECT_FLOAT_EQ(p.Life(0), 0.875f);
    EXPECT_FLOAT_EQ(p.Destination(0).x, 2.5f);
    EXPECT_FLOAT_EQ(p.Destination(0).y, -2);  // gravity whole, frame time or not
    EXPECT_FLOAT_EQ(p.Position(0).x, 100);    // the location before this step
    const VOLUME v = p.Volume(0).at(0);
    EXPECT_FLOAT_EQ(v.Min.x, 101.5f);  // placed by the system's position
    EXPECT_FLOAT_EQ(v.Max.y, -1);
    EXPECT_FLOAT_EQ(v.Position.x, 100);
}

TEST_F(ParticleSteps, EmissionOffKeepsTheDeadDeadWithAnEmptyVolumeAtTheOrigin) {
    Particles p;
    p.Load(3);
    p.Emission(false);
    p.SetOrigin(5, 6, 7);
    p.Life(1, 0.05f);
    p.Update();
    for (int32_t i = 0; i <= p.Count(); ++i) {
        EXPECT_EQ(p.Life(i), 0);
        const VOLUME v = p.Volume(i).at(0);
        EXPECT_EQ(v.Min.x, 0);
        EXPECT_EQ(v.Max.z, 0);
        EXPECT_EQ(v.Position.y, 6);
        EXPECT_EQ(v.Matrix[0], 1);
        EXPECT_EQ(v.Matrix[15], 1);
        EXPECT_EQ(v.Matrix[12], 0);
    }
}

TEST_F(ParticleSteps, InvisibleParticlesStayPutAndTheirVolumeIsDisabled) {
    Particles p;
    p.Load(2);
    p.Emission(false);
    for (int32_t i : {0, 1}) {
        p.Life(i, 1);
        p.SetDestination(i, 4, 0, 0);
    }
    p.Visible(1, false);
    Step(1000, 1);
    p.Update();
    EXPECT_EQ(p.Destination(0).x, 4);
    EXPECT_EQ(p.Destination(1).x, 0);
    EXPECT_FALSE(p.Volume(1)[0].Enabled);
    p.Visible(1, true);
    EXPECT_TRUE(p.Volume(1)[0].Enabled);
}

TEST_F(ParticleSteps, PositionLagsOneStepBehindDestination) {
    Particles p;
    p.Load(1);
    p.SetPosition(10, 0, 0);
    p.Destination(0, {1, 2, 3});
    p.Destination(0, {4, 5, 6});
    EXPECT_FLOAT_EQ(p.Position(0).x, 11);
    EXPECT_FLOAT_EQ(p.Destination(0).z, 6);
}

TEST(Particles, CountsVolumesAndIndexesOutsideThePool) {
    Particles p;
    EXPECT_EQ(p.Count(), -1);
    p.Update();  // unloaded: nothing
    p.Render();
    p.Load(10);
    EXPECT_EQ(p.Count(), 9);
    EXPECT_EQ(p.Volume(-1).size(), 10u);
    EXPECT_TRUE(p.Volume(-2).empty());
    EXPECT_TRUE(p.Volume(10).empty());
    EXPECT_EQ(p.Volume(9).size(), 1u);

    for (int32_t bad : {-1, 10, 1 << 30}) {
        p.Life(bad, 5);
        p.SetColor(bad, 1, 1, 1);
        p.Visible(bad, false);
        p.Shader(bad, SHADER{});
        p.Normal(bad, {0, 1, 0});
        EXPECT_EQ(p.Life(bad), 0);
        EXPECT_EQ(p.Shader(bad).Stages.size(), 0u);
        EXPECT_FALSE(p.Visible(bad));
    }
    EXPECT_EQ(p.Shader(9).Stages.size(), 1u);  // one empty stage each after Load

    p.Count(20);  // re-created with every field zero, materials grown with it
    EXPECT_EQ(p.Count(), 19);
    EXPECT_FALSE(p.Visible(0));
    EXPECT_EQ(p.Color(0).x, 0);
    EXPECT_EQ(p.Shader(19).Stages.size(), 1u);
    p.Count(0);
    EXPECT_EQ(p.Count(), 19);
}

TEST(Particles, CountsOutsideTheAllowedRangeAreRefused) {
    for (int32_t bad : {0, -5, Particles::kMaxCount + 1}) {
        Particles p;
        p.Load(bad);
        EXPECT_EQ(p.Count(), -1) << bad;
    }
    Particles loaded;
    loaded.Load(4);
    loaded.Load(0);
    EXPECT_EQ(loaded.Count(), 3);  // a refused load leaves the pool as it was
    loaded.UnLoad();
    EXPECT_EQ(loaded.Count(), -1);
}

TEST(Particles, LoadDefaultsAndDistance) {
    Particles p;
    p.SetOrigin(1, 1, 1);
    p.SetVelocity(2);
    p.Load(1);
    EXPECT_TRUE(p.Emission());
    EXPECT_EQ(p.Direction().y, 1);
    EXPECT_EQ(p.Color(0).z, 1);
    EXPECT_EQ(p.Distance().x, 3);
    EXPECT_EQ(p.Origin().x, 1);  // kept across Load
}

TEST(DecalAxes, SpanThePlaneOfTheNormal) {
    struct Case {
        VECTOR3 normal, right, up;
    };
    const Case cases[] = {
        {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}},
        {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        const DecalAxes a = DecalAxesOf(c.normal);
        EXPECT_FLOAT_EQ(a.Right.x, c.right.x);
        EXPECT_FLOAT_EQ(a.Right.z, c.right.z);
        EXPECT_FLOAT_EQ(a.Up.x, c.up.x);
        EXPECT_FLOAT_EQ(a.Up.y, c.up.y);
    }
    // A slanted normal: both axes unit length, at right angles to it and each other.
    const VECTOR3 n = {0.6f, -0.8f, 0};
    const DecalAxes a = DecalAxesOf(n);
    auto dot = [](const VECTOR3& u, const VECTOR3& v) { return u.x * v.x + u.y * v.y + u.z * v.z; };
    EXPECT_NEAR(dot(a.Right, n), 0, 1e-6);
    EXPECT_NEAR(dot(a.Up, n), 0, 1e-6);
    EXPECT_NEAR(dot(a.Up, a.Right), 0, 1e-6);
    EXPECT_NEAR(dot(a.Up, a.Up), 1, 1e-6);
    EXPECT_NEAR(a.Normal.y, 0.8f, 1e-6);  // the absolute values are kept
}
