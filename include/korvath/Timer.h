#pragma once
#include <cstdint>

namespace korvath {

// A one-shot countdown on the millisecond tick.
class Timer {
public:
    bool Stopped() const;
    float Interval() const;         // seconds since the interval was last set
    void Interval(float seconds);   // starts a countdown of that many seconds

private:
    int32_t startTick_ = 0;
    int32_t deadline_ = 0;
};

}  // namespace korvath
