// What one status line costs while the console is visible: the loading screen is
// redrawn and presented for every line a loader reports, so a level load pays this
// dozens of times. Measured with a long console behind it, which must not matter.
#include <benchmark/benchmark.h>
#include <string>

#include "BenchSupport.h"
#include "core/LoadingScreen.h"
#include "korvath/Console.h"

namespace {

void BM_StatusLineWithVisibleConsole(benchmark::State& state) {
    using namespace korvath;
    if (!bench::SharedEngine().initialized()) {
        state.SkipWithError("no GL context");
        return;
    }
    Console console;
    console.Clear();
    console.Visible(true);
    for (int64_t i = 0; i < state.range(0); ++i) console.Update("BSP: earlier line " + std::to_string(i));

    int64_t line = 0;
    for (auto _ : state) ShowLoadStatus("BSP: Loading Faces... " + std::to_string(line++), false, 0.5f, false);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatusLineWithVisibleConsole)->Arg(12)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
