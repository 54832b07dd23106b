#include "korvath/Timer.h"

#include <algorithm>

#include "core/Math.h"
#include "platform/Clock.h"

namespace korvath {

bool Timer::Stopped() const { return platform::TickDifference(platform::TickCount(), deadline_) >= 0; }

float Timer::Interval() const {
    return static_cast<float>(platform::TickDifference(platform::TickCount(), startTick_)) / 1000.0f;
}

// A countdown longer than the tick can tell apart (24.9 days either way) is
// cut to that.
void Timer::Interval(float seconds) {
    constexpr double kLongest = 2147483646.0;  // one short of the limit: the rounding below may add one
    const double milliseconds = std::clamp(static_cast<double>(seconds) * 1000.0, -kLongest, kLongest);
    startTick_ = platform::TickCount();
    // Rounded as the absolute deadline would be: half-even of start + interval
    // equals half-even of odd(start) + interval plus the even rest of start.
    const int32_t odd = startTick_ & 1;
    deadline_ = platform::TickAfter(startTick_, RoundHalfEven(milliseconds + odd) - odd);
}

}  // namespace korvath
