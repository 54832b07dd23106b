// Walking through a level with collision: the camera is a body of radius 16
// whose eyes are 40 units above its feet. Each frame the keys say where it
// would go; a sphere swept from where it stands to there stops it at walls,
// and a ray down from the eyes finds the floor it falls onto.
//
//   levelwalk --path DATA_DIR [--map NAME] [--autopilot] [--frames N]
//             [--screenshot file.png] [--size WxH]
//
// W and S walk, A and D strafe, the arrow keys turn. With --autopilot it walks
// on its own and turns right at every wall, and prints how far it got.
#include <korvath/Korvath.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "FrameRun.h"
#include "RunOptions.h"
#include "SpawnPoint.h"

using namespace korvath;

namespace {

constexpr float kEyeHeight = 40;
constexpr float kKneeHeight = 24;  // walls are felt this high, so steps do not stop a walk
constexpr float kRadius = 16;
constexpr float kSpeed = 320;      // units per second
constexpr float kTurn = 120;       // degrees per second
constexpr float kGravity = 800;    // units per second squared

VECTOR3 Raised(VECTOR3 v, float height) {
    v.y += height;
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions run;
    std::string path, mapName = "oa_dm3", error;
    bool autopilot = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const OptionMatch match = ParseRunOption(argc, argv, i, run, error);
        if (match == OptionMatch::Bad) return std::fprintf(stderr, "levelwalk: %s\n", error.c_str()), 2;
        if (match == OptionMatch::Taken) continue;
        if (arg == "--autopilot") autopilot = true;
        else if ((arg == "--path" || arg == "--map") && i + 1 < argc) (arg == "--path" ? path : mapName) = argv[++i];
        else return std::fprintf(stderr, "levelwalk: unknown option %s\n", arg.c_str()), 2;
    }

    Window window;
    Engine engine;
    engine.SetLog(true);
    if (!path.empty()) engine.SetPath(path + "/");
    if (!engine.Initialize(window.Load(run.width, run.height), run.width, run.height, 32)) return 1;

    Camera camera;
    camera.Set3DFieldOfView(70);
    Map level;
    level.Load("maps/" + mapName + ".bsp");
    if (!level.Loaded()) return std::fprintf(stderr, "levelwalk: %s did not load (see Korvath.log)\n", mapName.c_str()), 1;
    Console console;
    console.Visible(false);
    PlaceAtSpawnPoint(level, camera, kEyeHeight);

    Keyboard keys;
    float fallSpeed = 0, walked = 0;
    int walls = 0;
    FrameRun frames(run);
    while (!Engine::CloseRequested()) {
        const bool more = frames.Frame(engine, [&] {
            // The autopilot steps as if at 30 frames per second, so a run goes the
            // same way on any machine.
            const float seconds = autopilot ? 1 / 30.0f : frames.LastFrameSeconds();
            float forward = autopilot ? kSpeed : (keys.Button(KEY_W) - keys.Button(KEY_S)) * kSpeed;
            float left = autopilot ? 0 : (keys.Button(KEY_A) - keys.Button(KEY_D)) * kSpeed;
            camera.Rotate(0, (keys.Button(KEY_RIGHT) - keys.Button(KEY_LEFT)) * kTurn * seconds, 0);

            // Where the keys would take the feet, then the sweep that stops them at walls.
            const VECTOR3 feet = Raised(camera.Position(), -kEyeHeight);
            const VECTOR3 ahead = camera.Direction();
            const float flat = std::hypot(ahead.x, ahead.z);
            const float fx = flat > 0 ? ahead.x / flat : 0, fz = flat > 0 ? ahead.z / flat : -1;
            const VECTOR3 wanted{feet.x + (fx * forward + fz * left) * seconds, feet.y,
                                 feet.z + (fz * forward - fx * left) * seconds};
            const COLLISION wall = level.Collision(Raised(feet, kKneeHeight), Raised(wanted, kKneeHeight), kRadius);
            VECTOR3 next{wall.Position.x, feet.y, wall.Position.z};

            // The floor under the eyes; fall toward it, never below it.
            const COLLISION floor = level.Collision(Raised(next, kEyeHeight), Raised(next, -4096));
            fallSpeed += kGravity * seconds;
            next.y -= fallSpeed * seconds;
            if (floor.Collided && next.y <= floor.Position.y) {
                next.y = floor.Position.y;
                fallSpeed = 0;
            }
            camera.Position(Raised(next, kEyeHeight));

            const float step = std::hypot(next.x - feet.x, next.z - feet.z);
            walked += step;
            if (autopilot && wall.Collided && step < 0.5f * kSpeed * seconds) {
                camera.Rotate(0, 90, 0);  // a quarter turn right
                ++walls;
            }
            level.Render();
        });
        if (!more) break;
    }
    std::printf("walked %.0f units in %d frames, turned at %d walls\n", walked, frames.Count(), walls);
    return 0;
}
