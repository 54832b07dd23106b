#pragma once
// The millisecond tick of the engine. Tests substitute their own clock so that
// frame timing, fades and the intro can be driven without waiting.
#include <cstdint>

namespace korvath::platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t Milliseconds() = 0;
};

// Installs a clock; nullptr restores the monotonic system clock.
void SetClock(Clock* clock);

// The tick as the engine keeps it: 32 bits, compared as signed values.
int32_t TickCount();

}  // namespace korvath::platform
