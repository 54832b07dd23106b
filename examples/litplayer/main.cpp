// A player standing in a level, lit as the level lights the spot it stands on:
// the level's light grid gives an ambient colour and one directed light, so a
// player in a dark corridor is dark and one under a lamp is bright. The player
// turns on the spot, so the directed light sweeps across it.
//
//   litplayer --path DATA_DIR [--map NAME] [--player FOLDER] [--unlit]
//             [--frames N] [--screenshot file.png] [--size WxH]
//
// The player stands 96 units in front of the level's first spawn point, on the
// floor below. --unlit draws it as a model outside a level is drawn, for
// comparison. Prints the light the grid holds there.
#include <korvath/Korvath.h>

#include <cstdio>
#include <string>

#include "FrameRun.h"
#include "RunOptions.h"
#include "SpawnPoint.h"

using namespace korvath;

namespace {

constexpr float kAhead = 96;           // units in front of the eye
constexpr float kCentreHeight = 24;    // a player model's origin above its feet
constexpr float kTurn = 45;            // degrees per second

}  // namespace

int main(int argc, char** argv) {
    RunOptions run;
    std::string path, mapName = "ps9ctf", player = "models/players/tony", error;
    bool unlit = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const OptionMatch match = ParseRunOption(argc, argv, i, run, error);
        if (match == OptionMatch::Bad) return std::fprintf(stderr, "litplayer: %s\n", error.c_str()), 2;
        if (match == OptionMatch::Taken) continue;
        if (arg == "--unlit") unlit = true;
        else if ((arg == "--path" || arg == "--map" || arg == "--player") && i + 1 < argc)
            (arg == "--path" ? path : arg == "--map" ? mapName : player) = argv[++i];
        else return std::fprintf(stderr, "litplayer: unknown option %s\n", arg.c_str()), 2;
    }

    Window window;
    Engine engine;
    engine.SetLog(true);
    if (!path.empty()) engine.SetPath(path + "/");
    if (!engine.Initialize(window.Load(run.width, run.height), run.width, run.height, 32)) return 1;
    Console console;
    console.Visible(false);

    Camera camera;
    camera.Set3DFieldOfView(70);
    Map level;
    level.Load("maps/" + mapName + ".bsp");
    if (!level.Loaded()) return std::fprintf(stderr, "litplayer: %s did not load (see Korvath.log)\n", mapName.c_str()), 1;
    PlaceAtSpawnPoint(level, camera);

    MD3 character;
    character.LoadAnimationTable(player + "/animation.cfg");
    character.Load(player);
    if (!character.Loaded()) return std::fprintf(stderr, "litplayer: %s did not load (see Korvath.log)\n", player.c_str()), 1;
    const char* const parts[] = {"lower", "upper", "head"};
    for (int32_t part = 0; part < 3; ++part) character.LoadSkin(part, player + "/" + parts[part] + "_default.skin");
    character.SetLegsAnimation(LEGS_IDLE);
    character.SetTorsoAnimation(TORSO_STAND);

    // In front of the eye, dropped onto the floor.
    const VECTOR3 eye = camera.Position(), ahead = camera.Direction();
    const VECTOR3 front{eye.x + ahead.x * kAhead, eye.y, eye.z + ahead.z * kAhead};
    const COLLISION floor = level.Collision(front, {front.x, front.y - 4096, front.z});
    const VECTOR3 feet = floor.Collided ? floor.Position : VECTOR3{front.x, eye.y - 40, front.z};
    character.SetPosition(feet.x, feet.y + kCentreHeight, feet.z);
    if (!unlit) character.SetLevelLighting(&level);

    VECTOR3 ambient, directed, direction;
    if (level.Light(character.Position(), ambient, directed, direction))
        std::printf("grid light: ambient %.2f %.2f %.2f directed %.2f %.2f %.2f from %.2f %.2f %.2f\n", ambient.x,
                    ambient.y, ambient.z, directed.x, directed.y, directed.z, direction.x, direction.y, direction.z);
    else
        std::printf("grid light: none here\n");

    // The model's files stand along their z axis; the engine's up is y.
    float heading = 0;
    FrameRun frames(run);
    while (!Engine::CloseRequested()) {
        const bool more = frames.Frame(engine, [&] {
            heading += kTurn * (run.frames > 0 ? 1 / 30.0f : frames.LastFrameSeconds());
            character.SetRotation(-90, 0, heading);
            level.Render();
            character.Render();
        });
        if (!more) break;
    }
    return 0;
}
