// The Korvath viewer: intro, loading screen, then a fly-through of maps/NAME.bsp
// below the game data directory.
//
//   viewer [--map NAME] [--path DIR] [--camera x y z pitch yaw] [--frames N]
//          [--screenshot file.png] [--size WxH]
//
// Keys: W A S D walk (shift runs), page up and down climb, the arrow keys or the
// mouse with its left button held turn and look, backquote opens the console,
// where "map NAME" loads another level and "quit" ends the viewer. F (or
// "burst") throws sparks at the wall ahead; C shows the cursor for picking the
// markers. Without a display it renders offscreen.
#include <korvath/Korvath.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "EffectsDemo.h"
#include "FlyThrough.h"
#include "Options.h"
#include "Screenshot.h"

using namespace korvath;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Loads maps/NAME.bsp below the engine path with the console showing its
// progress, then hides the console so the level shows. Returns the load time.
double LoadLevel(Map& map, Console& console, const std::string& name) {
    console.Visible(true);
    const auto start = Clock::now();
    map.Load("maps/" + name + ".bsp");
    const double seconds = SecondsSince(start);
    if (map.Loaded())
        console.Visible(false);
    else
        std::fprintf(stderr, "viewer: the level %s did not load (see Korvath.log)\n", name.c_str());
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<ViewerOptions> parsed = ParseViewerOptions(argc, argv, error);
    if (!parsed) {
        std::fprintf(stderr, "viewer: %s\n", error.c_str());
        return 2;
    }
    const ViewerOptions& options = *parsed;

    const auto started = Clock::now();
    Window window;
    const int32_t handle = window.Load(options.width, options.height);
    Engine engine;
    engine.SetLog(true);
    engine.SetFPS(true);
    if (!options.path.empty()) engine.SetPath(options.path);
    if (!engine.Initialize(handle, options.width, options.height, 32)) {
        std::fprintf(stderr, "viewer: the engine could not start (see Korvath.log)\n");
        return 1;
    }
    const double startSeconds = SecondsSince(started);

    Console console;
    console.Load("MAP");
    console.Load("QUIT");
    Map map;
    Camera camera;
    Keyboard keys;
    camera.Set3DFieldOfView(70);
    const double loadSeconds = LoadLevel(map, console, options.map);
    if (options.hasCamera) {
        camera.SetPosition(options.camera[0], options.camera[1], options.camera[2]);
        camera.SetRotation(options.camera[3], options.camera[4], 0);
    } else {
        PlaceAtSpawnPoint(map, camera);
    }
    EffectsDemo effects;
    effects.Start(console, camera);

    int32_t frame = 0;
    double frameSeconds = 0;
    float lastFrameSeconds = 0;
    bool quitting = false;
    while (true) {
        const bool quitTyped = std::holds_alternative<bool>(console.Command("QUIT"));
        if ((Engine::CloseRequested() || quitTyped) && !quitting) {
            engine.UnInitialize();
            quitting = true;
        }
        if (quitting && engine.Unloaded()) break;
        const Variant next = console.Command("MAP");
        if (const auto* name = std::get_if<std::string>(&next)) {
            LoadLevel(map, console, *name);
            PlaceAtSpawnPoint(map, camera);
            effects.Restart(camera);
        }

        const auto frameStart = Clock::now();
        engine.BeginScene();
        if (!console.Visible()) FlyOneFrame(keys, camera, lastFrameSeconds);
        map.Render();
        effects.Frame(map, camera, keys, console);
        ++frame;
        const bool last = options.frames > 0 && frame >= options.frames;
        if (last && !options.screenshot.empty()) WritePng(options.screenshot, options.width, options.height);
        engine.EndScene();
        lastFrameSeconds = static_cast<float>(SecondsSince(frameStart));
        frameSeconds += lastFrameSeconds;
        if (last) break;
    }
    std::printf("start-up: %.2f s, level load: %.2f s, frames: %d, mean frame time: %.2f ms\n", startSeconds,
                loadSeconds, frame, frame > 0 ? 1000.0 * frameSeconds / frame : 0.0);
    return 0;
}
