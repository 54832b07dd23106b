// One side of the comparative level benchmark: loads a level with Korvath and
// draws it from fixed viewpoints, then prints one RESULT line.
//   korvath_levels DATA_DIR MAP FRAMES [screenshot.png] [bilinear]
// With "bilinear" mipmapped textures read their nearest mipmap level only, as
// Irrlicht's default filtering does, and the line names "korvath-bi".
#include <cstdio>
#include <korvath/Korvath.h>
#include <string>

#include "KorvathBench.h"
#include "Viewpoints.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: korvath_levels DATA_DIR MAP FRAMES [screenshot.png] [bilinear]\n");
        return 2;
    }
    using namespace korvath;
    const std::string data = std::string(argv[1]) + "/", map = argv[2];
    const int frames = std::atoi(argv[3]);
    const std::string screenshot = argc > 4 ? argv[4] : "";
    const bool bilinear = argc > 5 && std::string(argv[5]) == "bilinear";
    const int width = 640, height = 480;

    levelbench::KorvathBench bench;
    if (!bench.Start(width, height, data)) return 1;
    Engine& engine = bench.engine();
    engine.SetTrilinear(!bilinear);

    Camera camera;
    camera.Set3DFieldOfView(70);
    Map level;
    const auto loadStart = levelbench::BenchClock::now();
    level.Load("maps/" + map + ".bsp");
    const double loadSeconds = levelbench::Seconds(loadStart, levelbench::BenchClock::now());
    if (!level.Loaded()) {
        std::fprintf(stderr, "korvath_levels: %s did not load\n", map.c_str());
        return 1;
    }

    const levelbench::Side side = {
        bilinear ? "korvath-bi" : "korvath",
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
