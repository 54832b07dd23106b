#include <gtest/gtest.h>

#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/FrameTiming.h"
#include "core/Paths.h"
#include "korvath/Engine.h"
#include "korvath/Window.h"
#include "platform/KeyTable.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

// An initialised engine whose tick the test drives; frames start at tick 200000.
class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.initialized());
        platform::SetClock(&clock_);
        Timing().PreviousTick = Timing().CurrentTick = 200000;
        Timing().FpsDeadline = 200000 + 1000;
        Timing().FrameCount = 0;
        Timing().FramesLastSecond = 0;
        ConsoleData().Visible = false;
    }
    void TearDown() override {
        platform::SetClock(nullptr);
        Timing().FrameLimit = 0;
    }
    // One frame that lasted ms milliseconds before EndScene.
    void Frame(uint32_t ms) {
        gl_.engine().BeginScene();
        clock_.Advance(ms);
        gl_.engine().EndScene();
    }
    // Frames of ms each until the running fade ends; returns the time they took.
    uint32_t FramesUntilFadeEnds(uint32_t ms) {
        uint32_t start = clock_.Now();
        for (int i = 0; i < 10000 && Timing().FadeActive; ++i) Frame(ms);
        return clock_.Now() - start;
    }

    test::OffscreenEngine gl_;
    test::ManualClock clock_{200000};
};

}  // namespace

TEST_F(FrameLoop, EndSceneMeasuresFrameAndSceneTime) {
    Frame(20);
    EXPECT_FLOAT_EQ(Timing().FrameTime, 0.020f);
    EXPECT_FLOAT_EQ(Timing().SceneTime, 200.020f);
    EXPECT_EQ(Timing().CurrentTick, 200020);
    EXPECT_EQ(Timing().PreviousTick, 200020);
    Frame(35);
    EXPECT_FLOAT_EQ(Timing().FrameTime, 0.035f);
}

TEST_F(FrameLoop, FrameRateIsSampledOncePerSecond) {
    for (int i = 0; i < 9; ++i) Frame(100);
    EXPECT_EQ(Timing().FramesLastSecond, 0);
    EXPECT_EQ(Timing().FrameCount, 9);
    Frame(100);  // tick 201000: not yet past the deadline
    EXPECT_EQ(Timing().FrameCount, 10);
    Frame(100);  // past it: the sample is taken
    EXPECT_EQ(Timing().FramesLastSecond, 11);
    EXPECT_EQ(Timing().FrameCount, 0);
    EXPECT_EQ(Timing().FpsDeadline, 201100 + 1000);
}

TEST_F(FrameLoop, LimiterWaitsPastTheFrameBudget) {
    gl_.engine().SetLimit(50);
    clock_.SetStep(1);  // the busy wait reads the tick until 20 ms have gone
    for (int i = 0; i < 3; ++i) {
        uint32_t start = clock_.Now();
        gl_.engine().BeginScene();
        gl_.engine().EndScene();
        EXPECT_GT(clock_.Now() - start, 20u);
    }
    gl_.engine().SetLimit(0);
    uint64_t reads = clock_.Reads();
    gl_.engine().EndScene();
    EXPECT_LE(clock_.Reads() - reads, 4u);  // no waiting without a limit
}

// Frames on either side of the tick's wraps: the limiter ends, frame times and
// the rate sample stay right.
TEST_F(FrameLoop, FramesAcrossTheWrapOfTheTick) {
    for (uint32_t start : {0x7FFFFFF0u, 0xFFFFFFF0u}) {
        SCOPED_TRACE(start);
        clock_.Set(start);
        Timing().PreviousTick = Timing().CurrentTick = static_cast<int32_t>(start);
        Timing().FpsDeadline = static_cast<int32_t>(start + 10);
        Timing().FrameCount = 0;
        Frame(20);
        EXPECT_FLOAT_EQ(Timing().FrameTime, 0.020f);
        EXPECT_EQ(Timing().FramesLastSecond, 1);  // the deadline, past the wrap, was passed
        EXPECT_EQ(Timing().FpsDeadline, static_cast<int32_t>(start + 20 + 1000));

        gl_.engine().SetLimit(50);
        clock_.SetStep(1);
        clock_.Set(start - 5);  // the frame starts just before the wrap
        Timing().CurrentTick = static_cast<int32_t>(start - 5);
        gl_.engine().BeginScene();
        gl_.engine().EndScene();
        EXPECT_GT(clock_.Now() - (start - 5), 20u);
        EXPECT_LT(clock_.Now() - (start - 5), 40u);
        clock_.SetStep(0);
        gl_.engine().SetLimit(0);
    }
}

// The limiter sleeps through its wait instead of reading the tick in a loop:
// on a clock that moves only when slept on, a frame ends after a few reads.
TEST_F(FrameLoop, LimiterSleepsWhileItWaits) {
    gl_.engine().SetLimit(25);  // 40 ms a frame
    const uint64_t reads = clock_.Reads();
    const uint32_t start = clock_.Now();
    Frame(3);
    // 3 ms of frame, then the wait to the first tick past the 40 ms budget.
    EXPECT_EQ(clock_.Now() - start, 3u + 41u);
    EXPECT_GE(clock_.Sleeps(), 1u);
    EXPECT_LT(clock_.Reads() - reads, 12u);
}

// With the swap tied to the refresh the limiter stands aside; a driver that
// refuses leaves the limiter in charge.
TEST_F(FrameLoop, VSyncTakesOverFromTheLimiter) {
    gl_.engine().SetLimit(25);
    const bool taken = gl_.engine().SetVSync(true);
    EXPECT_EQ(Display().VSync, taken);
    const uint32_t start = clock_.Now();
    Frame(3);
    EXPECT_EQ(clock_.Now() - start > 40u, !taken);
    EXPECT_TRUE(gl_.engine().SetVSync(false));
    EXPECT_FALSE(Display().VSync);
    const uint32_t again = clock_.Now();
    Frame(3);
    EXPECT_GT(clock_.Now() - again, 40u);
}

TEST_F(FrameLoop, FadesEndOnTimeWhateverTheFrameRate) {
    for (uint32_t ms : {10u, 16u, 50u, 125u}) {
        StartFade(500);
        uint32_t took = FramesUntilFadeEnds(ms);
        EXPECT_GE(took, 500u) << ms;
        // One frame of overshoot, and one more when a frame-rate sample fell inside.
        EXPECT_LE(took, 500u + 2 * ms) << ms;
        EXPECT_GE(Timing().FadeLevel, 1.0f);
    }
    StartFade(-1000);
    EXPECT_TRUE(Timing().FadeOut);
    uint32_t took = FramesUntilFadeEnds(20);
    EXPECT_GE(took, 1000u);
    EXPECT_LE(took, 1040u);
}

TEST_F(FrameLoop, ZeroLengthFadeEndsAtOnce) {
    StartFade(0);
    Frame(16);
    Frame(16);
    EXPECT_FALSE(Timing().FadeActive);
}

TEST_F(FrameLoop, UnInitializeRunsTheClosingFade) {
    EXPECT_TRUE(gl_.engine().Loaded());
    gl_.engine().UnInitialize();
    EXPECT_FALSE(gl_.engine().Unloaded());
    uint32_t took = FramesUntilFadeEnds(25);
    EXPECT_TRUE(gl_.engine().Unloaded());
    EXPECT_GE(took, 500u);
    EXPECT_LE(took, 550u);
    Timing().UnloadRequested = false;
}

TEST_F(FrameLoop, BackquoteOpensTheHiddenConsoleAtTheEndOfTheFrame) {
    Frame(16);
    EXPECT_FALSE(ConsoleData().Visible);
    platform::Keys().Press(192);
    Frame(16);
    EXPECT_TRUE(ConsoleData().Visible);
    platform::Keys().Release(192);
}

TEST_F(FrameLoop, BeginSceneResetsTheVertexCounter) {
    Timing().FrameVertices = 99;
    gl_.engine().BeginScene();
    EXPECT_EQ(Timing().FrameVertices, 0);
}

TEST(EngineLifecycle, IntroThenOpeningFadeThenLoaded) {
    test::ScopedClock clock(100000, 40);
    Window window;
    int32_t handle = window.Load(320, 240);
    Engine engine;
    Timing().IntroDone = false;  // as in a fresh process
    EXPECT_FALSE(engine.Loaded());
    uint32_t start = clock->Now();
    ASSERT_TRUE(engine.Initialize(handle, 320, 240, 32));
    // 0.5 s logo, 1 s shadow, then the title's 4 s (its 0.5 s fade runs inside them).
    uint32_t intro = clock->Now() - start;
    EXPECT_GE(intro, 5500u);
    EXPECT_LE(intro, 6500u);
    EXPECT_TRUE(Timing().IntroDone);
    EXPECT_FALSE(engine.Loaded());  // the opening fade is running

    clock->SetStep(0);
    // The first frame sees the intro's last tick, so its FrameTime is one frame
    // (plus the few tick reads after the intro's last frame), not the time since start.
    const int32_t lastIntroTick = Timing().CurrentTick;
    engine.BeginScene();
    clock->Advance(16);
    engine.EndScene();
    EXPECT_LT(Timing().FrameTime, 0.2f);
    EXPECT_NEAR(Timing().FrameTime, (Timing().CurrentTick - lastIntroTick) * 0.001f, 1e-6f);

    // The opening fade, started right after the intro's last frame, takes 500 ms.
    while (!engine.Loaded() && Timing().CurrentTick - lastIntroTick < 5000) {
        engine.BeginScene();
        clock->Advance(20);
        engine.EndScene();
    }
    EXPECT_TRUE(engine.Loaded());
    EXPECT_GE(Timing().CurrentTick - lastIntroTick, 500);
    EXPECT_LE(Timing().CurrentTick - lastIntroTick, 560);
}

TEST(EngineSettings, SetPathAddsOneSeparator) {
    Engine engine;
    engine.SetPath("C:/game");
    EXPECT_EQ(EnginePath(), "C:/game/");
    engine.SetPath("C:\\game\\");
    EXPECT_EQ(EnginePath(), "C:\\game\\");
    engine.SetPath("/data/q3/");
    EXPECT_EQ(EnginePath(), "/data/q3/");
    engine.SetFPS(true);
    engine.SetVersion(true);
    engine.SetLimit(30);
    EXPECT_TRUE(ConsoleData().ShowFPS);
    EXPECT_TRUE(ConsoleData().ShowVersion);
    EXPECT_EQ(Timing().FrameLimit, 30);
    engine.SetLimit(0);
    engine.SetFPS(false);
    engine.SetVersion(false);
    EnginePath().clear();
}
