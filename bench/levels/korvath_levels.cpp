// One side of the comparative level benchmark: loads a level with Korvath and
// draws it from fixed viewpoints, then prints one RESULT line.
//   korvath_levels DATA_DIR MAP FRAMES [screenshot.png]
#include <korvath/Korvath.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Viewpoints.h"
#include "core/Globals.h"
#include "platform/Clock.h"
#include "platform/GL.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

// Runs the intro on a fast tick: it is not what is measured.
class FastTick : public korvath::platform::Clock {
public:
    uint32_t Milliseconds() override { return now_ += 40; }

private:
    uint32_t now_ = 100000;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: korvath_levels DATA_DIR MAP FRAMES [screenshot.png]\n");
        return 2;
    }
    using namespace korvath;
    const std::string data = std::string(argv[1]) + "/", map = argv[2];
    const int frames = std::atoi(argv[3]);
    const std::string screenshot = argc > 4 ? argv[4] : "";
    const int width = 640, height = 480;

    Window window;
    const int32_t handle = window.Load(width, height);
    Engine engine;
    engine.SetPath(data);
    FastTick fast;
    platform::SetClock(&fast);
    const bool started = engine.Initialize(handle, width, height, 32);
    platform::SetClock(nullptr);
    if (!started) return 1;
    EngineState& s = State();
    s.FadeActive = false;
    s.FadeLevel = 1;
    s.ConsoleVisible = false;  // neither engine draws a loading screen in this comparison
    s.PreviousTick = s.CurrentTick = platform::TickCount();

    Camera camera;
    camera.Set3DFieldOfView(70);
    Map level;
    const auto loadStart = Clock::now();
    level.Load("maps/" + map + ".bsp");
    const double loadSeconds = Seconds(loadStart, Clock::now());
    if (!level.Loaded()) {
        std::fprintf(stderr, "korvath_levels: %s did not load\n", map.c_str());
        return 1;
    }

    const std::vector<levelbench::Viewpoint> views = levelbench::SpawnViewpoints(data + "maps/" + map + ".bsp");
    std::vector<double> frameMs;
    for (size_t v = 0; v < views.size(); ++v) {
        const levelbench::Viewpoint& view = views[v];
        camera.SetPosition(view.x, view.z, -view.y);
        camera.SetRotation(0, 90 - view.yaw, 0);
        const int count = frames / static_cast<int>(views.size());
        auto previous = Clock::now();
        for (int f = -3; f < count; ++f) {  // three frames to settle each view
            engine.BeginScene();
            level.Render();
            if (v == 0 && f == count - 1 && !screenshot.empty()) levelbench::WriteBackBuffer(screenshot, width, height);
            engine.EndScene();
            const auto now = Clock::now();
            if (f >= 0) frameMs.push_back(1000 * Seconds(previous, now));
            previous = now;
        }
    }
    const levelbench::FrameStats stats = levelbench::Summarise(frameMs);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("RESULT korvath %s %.3f %.2f %.2f %.1f\n", map.c_str(), loadSeconds, stats.mean, stats.p95,
                usage.ru_maxrss / 1024.0);
    return 0;
}
