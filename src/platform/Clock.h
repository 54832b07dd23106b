#pragma once
// The millisecond tick of the engine. Tests substitute their own clock so that
// frame timing, fades and the intro can be driven without waiting.
#include <cstdint>

namespace korvath::platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t Milliseconds() = 0;
    // Gives the processor away for about that long (a substituted clock simply
    // moves on by it).
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// Installs a clock; nullptr restores the monotonic system clock, which counts
// from the library's start.
void SetClock(Clock* clock);

// The tick as the engine keeps it: 32 bits that wrap (after 24.9 days to
// negative values, after 49.7 days to zero). Ticks are only ever compared
// through the differences below, which stay right across the wrap.
int32_t TickCount();

// Sleeps on the installed clock.
void SleepMilliseconds(uint32_t milliseconds);

// Milliseconds from earlier to later, for ticks less than 24.9 days apart.
inline int32_t TickDifference(int32_t later, int32_t earlier) {
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

// The tick milliseconds after tick, wrapping as the tick does.
inline int32_t TickAfter(int32_t tick, int32_t milliseconds) {
    return static_cast<int32_t>(static_cast<uint32_t>(tick) + static_cast<uint32_t>(milliseconds));
}

}  // namespace korvath::platform
