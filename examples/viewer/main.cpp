// The Korvath viewer: intro, loading screen, then a fly-through of maps/NAME.bsp
// below the game data directory.
//
//   viewer [--map NAME] [--path DIR] [--camera x y z pitch yaw] [--frames N]
//          [--screenshot file.png] [--size WxH]
//
// Keys: W A S D walk (shift runs), page up and down climb, the arrow keys turn,
// backquote opens the console. Without a display it renders offscreen.
#include <korvath/Korvath.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "FlyThrough.h"
#include "Options.h"
#include "Screenshot.h"

using namespace korvath;

int main(int argc, char** argv) {
    std::string error;
    std::optional<ViewerOptions> parsed = ParseViewerOptions(argc, argv, error);
    if (!parsed) {
        std::fprintf(stderr, "viewer: %s\n", error.c_str());
        return 2;
    }
    const ViewerOptions& options = *parsed;

    auto started = std::chrono::steady_clock::now();
    Window window;
    int32_t handle = window.Load(options.width, options.height);
    Engine engine;
    engine.SetLog(true);
    engine.SetFPS(true);
    if (!options.path.empty()) engine.SetPath(options.path);
    if (!engine.Initialize(handle, options.width, options.height, 32)) {
        std::fprintf(stderr, "viewer: the engine could not start (see Korvath.log)\n");
        return 1;
    }
    auto ready = std::chrono::steady_clock::now();

    Map map;
    Camera camera;
    Keyboard keys;
    double loadSeconds = 0;
    if (!options.map.empty()) {
        auto loading = std::chrono::steady_clock::now();
        map.Load("maps/" + options.map + ".bsp");
        loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loading).count();
        if (!map.Loaded()) std::fprintf(stderr, "viewer: the level %s did not load (see Korvath.log)\n", options.map.c_str());
    }
    if (options.hasCamera) {
        camera.SetPosition(options.camera[0], options.camera[1], options.camera[2]);
        camera.SetRotation(options.camera[3], options.camera[4], 0);
    } else {
        PlaceAtSpawnPoint(map, camera);
    }
    float lastFrameSeconds = 0;

    int32_t frame = 0;
    double frameSeconds = 0;
    bool quitting = false;
    while (true) {
        if (Engine::CloseRequested() && !quitting) {
            engine.UnInitialize();
            quitting = true;
        }
        if (quitting && engine.Unloaded()) break;
        auto frameStart = std::chrono::steady_clock::now();
        engine.BeginScene();
        FlyOneFrame(keys, camera, lastFrameSeconds);
        camera.Set3DFieldOfView(70);
        map.Render();
        ++frame;
        bool last = options.frames > 0 && frame >= options.frames;
        if (last && !options.screenshot.empty())
            WritePng(options.screenshot, options.width, options.height);
        engine.EndScene();
        lastFrameSeconds = std::chrono::duration<float>(std::chrono::steady_clock::now() - frameStart).count();
        frameSeconds += lastFrameSeconds;
        if (last) break;
    }
    std::printf("start-up: %.2f s, level load: %.2f s, frames: %d, mean frame time: %.2f ms\n",
                std::chrono::duration<double>(ready - started).count(), loadSeconds, frame,
                frame > 0 ? 1000.0 * frameSeconds / frame : 0.0);
    return 0;
}
