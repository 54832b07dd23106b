// One side of the comparative level benchmark: loads a level with Korvath and
// draws it from fixed viewpoints, then prints one RESULT line.
//   korvath_levels DATA_DIR MAP FRAMES [screenshot.png]
#include <chrono>
#include <cstdio>
#include <korvath/Korvath.h>
#include <string>

#include "Viewpoints.h"
#include "core/ConsoleState.h"
#include "core/FrameTiming.h"
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
    korvath::Timing().FadeActive = false;
    korvath::Timing().FadeLevel = 1;
    korvath::ConsoleData().Visible = false;  // neither engine draws a loading screen in this comparison
    korvath::Timing().PreviousTick = korvath::Timing().CurrentTick = platform::TickCount();

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

    const levelbench::Side side = {
        "korvath",
        [&](const levelbench::Viewpoint& view) {
            camera.SetPosition(view.x, view.z, -view.y);
            camera.SetRotation(0, 90 - view.yaw, 0);
        },
        [&](const std::function<void()>& beforeSwap) {
            engine.BeginScene();
            level.Render();
            beforeSwap();
            engine.EndScene();
            return true;
        }};
    levelbench::MeasureViews(side, map, loadSeconds, levelbench::SpawnViewpoints(data + "maps/" + map + ".bsp"),
                             frames, screenshot);
    return 0;
}
