#include <gtest/gtest.h>

#include <cmath>

#include "core/FrameTiming.h"
#include "effects/DecalAxes.h"
#include "korvath/Particles.h"
#include "support/TestSupport.h"

using namespace korvath;
using test::FloatsEq;

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
    // A second update in the same tick adds nothing.
    for (const auto& [tick, alive] : {std::pair{1000, 1}, {1000, 1}, {1049, 1}, {1050, 2}}) {
        Step(tick, 0);
        slow.Update();
        EXPECT_EQ(Alive(slow), alive) << tick;
    }
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
        EXPECT_TRUE(p.Death(i) >= 2 && p.Death(i) < 4) << p.Death(i);  // Random(life, death) lies in [2, 4)
        EXPECT_FLOAT_EQ(p.Life(i), 2);
        EXPECT_EQ(std::pair(p.Destination(i).x, p.Size(i)), std::pair(1.0f, 1.0f)) << i;
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
    // Gravity falls whole, frame time or not; the position is the location
    // before this step; the volume is placed by the system's position.
    const VOLUME v = p.Volume(0).at(0);
    EXPECT_TRUE(FloatsEq({p.Life(0), p.Destination(0).x, p.Destination(0).y, p.Position(0).x, v.Min.x, v.Max.y, v.Position.x},
                         {0.875f, 2.5f, -2, 100, 101.5f, -1, 100}));
}

TEST_F(ParticleSteps, EmissionOffKeepsTheDeadDeadWithAnEmptyVolumeAtTheOrigin) {
    Particles p;
    p.Load(3);
    p.Emission(false);
    p.SetOrigin(5, 6, 7);
    p.Life(1, 0.05f);
    p.Update();
    for (int32_t i = 0; i <= p.Count(); ++i) {
        const VOLUME v = p.Volume(i).at(0);
        EXPECT_EQ((std::vector<float>{p.Life(i), v.Min.x, v.Max.z, v.Position.y, v.Matrix[0], v.Matrix[15], v.Matrix[12]}),
                  (std::vector<float>{0, 0, 0, 6, 1, 1, 0})) << i;
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
    EXPECT_EQ(std::pair(p.Destination(0).x, p.Destination(1).x), std::pair(4.0f, 0.0f));
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
    EXPECT_TRUE(FloatsEq({p.Position(0).x, p.Destination(0).z}, {11, 6}));
}

TEST(Particles, CountsVolumesAndIndexesOutsideThePool) {
    Particles p;
    EXPECT_EQ(p.Count(), -1);
    p.Update();  // unloaded: nothing
    p.Render();
    p.Load(10);
    EXPECT_EQ(p.Count(), 9);
    EXPECT_EQ((std::vector<size_t>{p.Volume(-1).size(), p.Volume(-2).size(), p.Volume(10).size(), p.Volume(9).size()}),
              (std::vector<size_t>{10, 0, 0, 1}));

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
    // The origin is kept across Load.
    EXPECT_EQ((std::vector<float>{p.Direction().y, p.Color(0).z, p.Distance().x, p.Origin().x}), (std::vector<float>{1, 1, 3, 1}));
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
        EXPECT_TRUE(FloatsEq({a.Right.x, a.Right.z, a.Up.x, a.Up.y}, {c.right.x, c.right.z, c.up.x, c.up.y}));
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
