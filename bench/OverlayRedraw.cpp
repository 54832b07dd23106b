// What one status line costs while the console is visible: the loading screen is
// redrawn and presented for every line a loader reports, so a level load pays this
// dozens of times. Measured with a long console behind it, which must not matter.
#include <benchmark/benchmark.h>

#include <string>

#include "core/Globals.h"
#include "core/Record.h"
#include "korvath/Console.h"
#include "korvath/Engine.h"
#include "korvath/Window.h"
#include "platform/Clock.h"
#include "platform/Video.h"

namespace {

// Lets the intro run out in a moment.
class SteppingClock : public korvath::platform::Clock {
public:
    uint32_t Milliseconds() override { return now_ += 40; }

private:
    uint32_t now_ = 100000;
};

void BM_StatusLineWithVisibleConsole(benchmark::State& state) {
    using namespace korvath;
    platform::RequestOffscreen();
    SteppingClock clock;
    platform::SetClock(&clock);
    Window window;
    Engine engine;
    if (!engine.Initialize(window.Load(800, 600), 800, 600, 32)) {
        state.SkipWithError("no GL context");
        return;
    }
    platform::SetClock(nullptr);
    Console console;
    console.Clear();
    for (int64_t i = 0; i < state.range(0); ++i) console.Update("BSP: earlier line " + std::to_string(i));

    int64_t line = 0;
    for (auto _ : state) {
        ShowLoadStatus("BSP: Loading Faces... " + std::to_string(line++), false, 0.5f, false);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatusLineWithVisibleConsole)->Arg(12)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
