#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace korvath::platform {

namespace {
// Counted from the library's start rather than the machine's, so the tick
// wraps only after weeks of running the host, not weeks of uptime.
class SteadyClock final : public Clock {
public:
    uint32_t Milliseconds() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now() - start_).count());
    }
    void Sleep(uint32_t milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

SteadyClock g_steadyClock;
Clock* g_clock = &g_steadyClock;
}  // namespace

void SetClock(Clock* clock) { g_clock = clock ? clock : &g_steadyClock; }

int32_t TickCount() { return static_cast<int32_t>(g_clock->Milliseconds()); }

void SleepMilliseconds(uint32_t milliseconds) { g_clock->Sleep(milliseconds); }

}  // namespace korvath::platform
