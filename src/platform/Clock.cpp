#include "platform/Clock.h"

#include <chrono>

namespace korvath::platform {

namespace {
class SteadyClock final : public Clock {
public:
    uint32_t Milliseconds() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

SteadyClock g_steadyClock;
Clock* g_clock = &g_steadyClock;
}  // namespace

void SetClock(Clock* clock) { g_clock = clock ? clock : &g_steadyClock; }

int32_t TickCount() { return static_cast<int32_t>(g_clock->Milliseconds()); }

}  // namespace korvath::platform
