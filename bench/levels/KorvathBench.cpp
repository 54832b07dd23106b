#include "KorvathBench.h"
#include "core/FrameTiming.h"
#include "core/ConsoleState.h"

#include "platform/Clock.h"
#include "core/EngineState.h"

namespace levelbench {

namespace {

class FastTick : public korvath::platform::Clock {
public:
    uint32_t Milliseconds() override { return now_ += 40; }
    void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }

private:
    uint32_t now_ = 100000;
};

}  // namespace

bool KorvathBench::Start(int width, int height, const std::string& path) {
    using namespace korvath;
    const int32_t handle = window_.Load(width, height);
    if (!path.empty()) engine_.SetPath(path);
    FastTick fast;
    platform::SetClock(&fast);
    const bool started = engine_.Initialize(handle, width, height, 32);
    platform::SetClock(nullptr);
    if (!started) return false;
    EngineState& s = State();
    Timing().FadeActive = false;
    Timing().FadeLevel = 1;
    ConsoleData().Visible = false;
    Timing().PreviousTick = Timing().CurrentTick = platform::TickCount();
    return true;
}

}  // namespace levelbench
