#include "korvath/Timer.h"

#include "core/Math.h"
#include "platform/Clock.h"

namespace korvath {

bool Timer::Stopped() const { return platform::TickCount() >= deadline_; }

float Timer::Interval() const {
    return static_cast<float>(platform::TickCount() - startTick_) / 1000.0f;
}

void Timer::Interval(float seconds) {
    deadline_ = RoundHalfEven(static_cast<double>(seconds) * 1000.0 + platform::TickCount());
    startTick_ = platform::TickCount();
}

}  // namespace korvath
