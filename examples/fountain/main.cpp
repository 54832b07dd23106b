// A fountain of sparks: the smallest host of the Particles and Cursor classes.
// Sparks leave a point in a spread upward, drift down and fade; a left click on
// the sparks stops the fountain, and once stopped any click starts it again.
//
//   fountain [--path DIR] [--frames N] [--screenshot file.png] [--size WxH]
//
// The sparks wear the additive flare of the game data below DIR (the corpus's
// q3 directory has it); without it they are plain squares. Escape ends the
// example. Without a display it renders offscreen.
#include <korvath/Korvath.h>

#include <cstdio>
#include <random>
#include <string>

#include "FlareMaterial.h"
#include "FrameRun.h"

using namespace korvath;

namespace {

constexpr int32_t kSparks = 3000;

void StartFountain(Particles& sparks, const SHADER& material) {
    sparks.Load(kSparks);
    sparks.SetShader(material);
    // Every dead spark comes back in the next Update (rate 0). With no system
    // death a respawn keeps each spark's own rate of fading: lifetimes of 0.6
    // to 1.5 seconds spread the births out after the first burst.
    sparks.SetRate(0);
    sparks.SetLife(1);
    // Motion per axis is (Random(-1, 1) + friction) x direction x velocity, with
    // Random(-1, 1) in [-1, 2): a friction of -0.5 centres the sideways spread,
    // 1 sends every spark upward.
    sparks.SetDirection(0.8f, 1, 0.8f);
    sparks.SetFriction(-0.5f, 1, -0.5f);
    sparks.SetVelocity(150);
    sparks.SetGravity(3);  // units per Update, so the drift follows the frame rate
    sparks.SetScale(12, 12, 12);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> warm(0.3f, 0.8f), fading(0.6f, 1.5f);
    for (int32_t i = 0; i <= sparks.Count(); ++i) {
        sparks.SetColor(i, 1, warm(random), warm(random) / 3);
        sparks.Death(i, fading(random));
    }
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions options;
    std::string path, error;
    for (int i = 1; i < argc; ++i) {
        const OptionMatch common = ParseRunOption(argc, argv, i, options, error);
        if (common == OptionMatch::Bad) break;
        if (common == OptionMatch::Taken) continue;
        if (std::string(argv[i]) == "--path" && i + 1 < argc)
            path = argv[++i];
        else
            error = std::string("unknown option ") + argv[i];
        if (!error.empty()) break;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "fountain: %s\n", error.c_str());
        return 2;
    }

    Window window;
    const int32_t handle = window.Load(options.width, options.height);
    Engine engine;
    if (!path.empty()) engine.SetPath(path);
    if (!engine.Initialize(handle, options.width, options.height, 32)) {
        std::fprintf(stderr, "fountain: the engine could not start (see Korvath.log)\n");
        return 1;
    }
    Camera camera;
    camera.Set3DFieldOfView(60);
    camera.SetPosition(0, 150, 700);
    Particles sparks;
    SHADER flare = FlareMaterial();
    if (flare.Stages.empty()) flare.Stages.resize(1);  // plain squares
    StartFountain(sparks, flare);
    Cursor cursor;
    cursor.Relative(true);  // the pointer moves freely over the window
    Keyboard keys;

    FrameRun run(options);
    bool wasDown = false;
    while (!Engine::CloseRequested() && !keys.Check(KEY_ESCAPE)) {
        cursor.Update();
        const bool down = cursor.Button(MOUSE_LEFT);
        if (down && !wasDown) {
            bool toggle = !sparks.Emission();  // a stopped fountain starts at any click
            if (!toggle) {
                // Picking draws the candidate again in selection mode, under the pointer.
                cursor.BeginSelection("Fountain");
                sparks.Render();
                cursor.EndSelection();
                toggle = cursor.CheckSelection("Fountain");
            }
            if (toggle) {
                sparks.Emission(!sparks.Emission());
                std::printf("fountain: emission %s\n", sparks.Emission() ? "on" : "off");
            }
        }
        wasDown = down;
        const bool more = run.Frame(engine, [&] {
            sparks.Update();
            sparks.Render();
        });
        if (!more) break;
    }
    sparks.UnLoad();  // frees the material while the GL context lives
    std::printf("frames: %d, mean frame time: %.2f ms\n", run.Count(), run.MeanMilliseconds());
    return 0;
}
