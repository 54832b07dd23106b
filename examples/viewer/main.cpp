// The Korvath viewer: intro, loading screen, then a fly-through of maps/NAME.bsp
// below the game data directory.
//
//   viewer [--map NAME] [--path DIR] [--camera x y z pitch yaw] [--fov DEGREES] [--walk]
//          [--frames N] [--screenshot file.png] [--size WxH]
//
// Keys: W A S D walk (shift runs), page up and down climb, the arrow keys or the
// mouse with its left button held turn and look, G switches between flying and
// walking on the floor (--walk starts on foot), backquote opens the console,
// where "map NAME" loads another level and "quit" ends the viewer. An attached
// joystick walks and turns with its stick (button 1 runs). The level's ambient
// sound and footsteps play when the game data has them. F (or "burst") throws
// sparks at the wall ahead; C shows the cursor for picking the markers. Without
// a display it renders offscreen.
#include <cmath>
#include <cstdio>
#include <korvath/Korvath.h>
#include <string>

#include "EffectsDemo.h"
#include "FlyThrough.h"
#include "FrameRun.h"
#include "GameArchives.h"
#include "Options.h"
#include "Doors.h"
#include "ViewerSounds.h"
#include "Walk.h"

using namespace korvath;

namespace {

// Loads maps/NAME.bsp below the engine path with the console showing its
// progress, then hides the console so the level shows. Returns the load time.
double LoadLevel(Map& map, Console& console, const std::string& name) {
    console.Visible(true);
    const auto start = ExampleClock::now();
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

    const auto started = ExampleClock::now();
    Window window;
    const int32_t handle = window.Load(options.width, options.height);
    Engine engine;
    engine.SetLog(true);
    engine.SetFPS(true);
    engine.SetOverbright(true);  // the game data was lit to be seen this bright
    if (!options.path.empty()) engine.SetPath(options.path);
    if (!engine.Initialize(handle, options.width, options.height, 32)) {
        std::fprintf(stderr, "viewer: the engine could not start (see Korvath.log)\n");
        return 1;
    }
    // The archives of the data directory are read in place, below the engine path.
    const auto archives = MountGameArchives(options.path);
    const double startSeconds = SecondsSince(started);

    Console console;
    console.Load("MAP");
    console.Load("QUIT");
    Map map;
    Camera camera;
    Keyboard keys;
    Joystick joystick;
    Walker walker;
    ViewerSounds sounds;
    bool walking = options.walk;
    // The engine's field of view is vertical; --fov is horizontal, as players
    // of this content give it.
    constexpr double kHalfDegree = 3.14159265358979 / 360;
    const double aspect = static_cast<double>(options.height) / options.width;
    const double vertical = 2 * std::atan(std::tan(options.fov * kHalfDegree) * aspect) / kHalfDegree / 2;
    camera.Set3DFieldOfView(options.fov > 0 ? static_cast<float>(vertical) : 70);
    const double loadSeconds = LoadLevel(map, console, options.map);
    if (options.hasCamera) {
        camera.SetPosition(options.camera[0], options.camera[1], options.camera[2]);
        camera.SetRotation(options.camera[3], options.camera[4], 0);
    } else {
        PlaceAtSpawnPoint(map, camera);
    }
    walker.Start(camera);
    sounds.Start(map, options.path);
    EffectsDemo effects;
    effects.Start(console, camera);
    Doors doors;
    doors.Start(map);

    FrameRun run(options);
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
            walker.Start(camera);
            sounds.Start(map, options.path);
            effects.Restart(camera);
            doors.Start(map);
        }

        const bool more = run.Frame(engine, [&] {
            joystick.Update();
            if (!console.Visible()) {
                if (keys.Check(KEY_G)) {
                    walking = !walking;
                    walker.Start(camera);
                }
                if (walking)
                    sounds.Walked(walker.Step(map, keys, joystick, camera, run.LastFrameSeconds()));
                else
                    FlyOneFrame(keys, joystick, camera, run.LastFrameSeconds());
            }
            doors.Frame(map, camera, run.LastFrameSeconds());
            map.Render();
            effects.Frame(map, camera, keys, console);
        });
        if (!more) break;
    }
    sounds.Stop();
    std::printf("start-up: %.2f s, level load: %.2f s, frames: %d, mean frame time: %.2f ms\n", startSeconds,
                loadSeconds, run.Count(), run.MeanMilliseconds());
    return 0;
}
