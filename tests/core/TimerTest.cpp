#include <gtest/gtest.h>

#include "korvath/Timer.h"
#include "support/TestSupport.h"

using namespace korvath;

TEST(Timer, CountsDownOnTheTick) {
    test::ScopedClock clock(50000);
    Timer timer;
    EXPECT_TRUE(timer.Stopped());  // a new timer's deadline is 0

    timer.Interval(0.5f);
    EXPECT_FALSE(timer.Stopped());
    clock->Advance(499);
    EXPECT_FALSE(timer.Stopped());
    clock->Advance(1);
    EXPECT_TRUE(timer.Stopped());
    for (float seconds : {0.0f, -1.0f}) {
        timer.Interval(seconds);
        EXPECT_TRUE(timer.Stopped()) << seconds;
    }
}

TEST(Timer, IntervalReportsElapsedSecondsWhateverWasSet) {
    test::ScopedClock clock(50000);
    Timer timer;
    timer.Interval(10.0f);
    clock->Advance(2000);
    EXPECT_FLOAT_EQ(timer.Interval(), 2.0f);
}

TEST(Timer, DeadlineRoundsHalfToEven) {
    test::ScopedClock clock(1000);
    Timer timer;
    // 1062.5 rounds down to 1062; 1249.5 (after the first wait) up to 1250.
    for (const auto& [seconds, wait] : {std::pair{0.0625f, 61u}, {0.1875f, 187u}}) {
        timer.Interval(seconds);
        clock->Advance(wait);
        EXPECT_FALSE(timer.Stopped()) << seconds;
        clock->Advance(1);
        EXPECT_TRUE(timer.Stopped()) << seconds;
    }
}

// Across both wraps of the 32-bit tick (to negative values, and back to zero)
// countdowns and elapsed times keep counting, and rounding stays half-even.
TEST(Timer, CountsAcrossTheWrapOfTheTick) {
    for (uint32_t start : {0x7FFFFF00u, 0xFFFFFF00u, 0xFFFFFF01u}) {
        SCOPED_TRACE(start);
        test::ScopedClock clock(start);
        Timer timer;
        timer.Interval(1.0f);
        clock->Advance(999);
        EXPECT_FALSE(timer.Stopped());
        EXPECT_FLOAT_EQ(timer.Interval(), 0.999f);
        clock->Advance(1);
        EXPECT_TRUE(timer.Stopped());
        timer.Interval(0.0625f);  // half a millisecond over: to the even absolute tick
        clock->Advance(62);
        EXPECT_EQ(timer.Stopped(), start % 2 == 0);
    }
    test::ScopedClock clock(5);
    Timer forever;
    forever.Interval(1e30f);  // longer than the tick can hold: cut, not wrapped round
    clock->Advance(0x7FFFFFF0u);
    EXPECT_FALSE(forever.Stopped());
}
