// The Korvath model viewer: one model on a floor under a light, with its
// shadow, seen from a camera that orbits it.
//
//   modelviewer --model FILE [--skin IMAGE] [--animation NAME] [--frames N]
//               [--screenshot file.png] [--size WxH]
//   modelviewer --model PLAYER_FOLDER/ [--skin default] [--weapon FILE.md3] ...
//   modelviewer --model FILE.md5mesh [--anim FILE.md5anim]... [--skeleton] [--skin IMAGE] ...
//   modelviewer --model FILE.mdl [--palette gfx/palette.lmp] ...
//
// Keys: the arrows orbit and tilt the camera, page up and down zoom, N and P
// step to the next and previous animation (a player: T and G its torso, L and
// K its legs; an MD5 model cross-fades to it and J shows its skeleton), space
// stops and starts the animation, escape ends the viewer.
// Without a display it renders offscreen.
#include <korvath/Korvath.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "ModelKinds.h"
#include "Options.h"
#include "FrameRun.h"
#include "Stage.h"

using namespace korvath;

namespace {

// Relative names on the command line mean the working directory, not the
// engine path.
std::string Absolute(const std::string& name) { return std::filesystem::absolute(name).string(); }

// Steps through the model's animations with N and P, printing the one chosen.
class AnimationPicker {
public:
    explicit AnimationPicker(ViewedModel& model) : model_(model), names_(model.Animations()) {}
    // Starts with the animation named name, or the first one.
    void Start(const std::string& name) {
        if (names_.empty()) return;
        size_t chosen = 0;
        for (size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name) chosen = i;
        Select(chosen);
    }
    void Steer(Keyboard& keys) {
        if (names_.empty()) return;
        if (keys.Check(KEY_N)) Select((current_ + 1) % names_.size());
        if (keys.Check(KEY_P)) Select((current_ + names_.size() - 1) % names_.size());
    }

private:
    void Select(size_t index) {
        current_ = index;
        model_.SetAnimation(names_[index]);
        std::printf("animation: %s\n", names_[index].c_str());
    }
    ViewedModel& model_;
    std::vector<std::string> names_;
    size_t current_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<ModelViewerOptions> parsed = ParseModelViewerOptions(argc, argv, error);
    if (!parsed) {
        std::fprintf(stderr, "modelviewer: %s\n", error.c_str());
        return 2;
    }
    const ModelViewerOptions& options = *parsed;
    std::unique_ptr<ViewedModel> model = MakeViewedModel(options.model);
    if (!model) {
        std::fprintf(stderr, "modelviewer: no model class reads %s (known: %s, or a player folder)\n",
                     options.model.c_str(), KnownExtensions().c_str());
        return 2;
    }

    Window window;
    const int32_t handle = window.Load(options.width, options.height);
    Engine engine;
    engine.SetLog(true);
    engine.SetFPS(true);
    if (!engine.Initialize(handle, options.width, options.height, 32)) {
        std::fprintf(stderr, "modelviewer: the engine could not start (see Korvath.log)\n");
        return 1;
    }
    // The console shows the loading screen while the model loads.
    Console console;
    console.Visible(true);
    const auto loadStart = ExampleClock::now();
    if (!model->Load(Absolute(options.model), options.weapon.empty() ? "" : Absolute(options.weapon))) {
        std::fprintf(stderr, "modelviewer: %s did not load (see Korvath.log)\n", options.model.c_str());
        return 1;
    }
    for (const std::string& anim : options.anims) model->LoadAnimation(Absolute(anim));
    const double loadSeconds = SecondsSince(loadStart);
    console.Visible(false);
    if (!options.palette.empty()) model->UsePalette(Absolute(options.palette));
    if (!options.skin.empty())
        model->UseSkin(std::filesystem::exists(options.skin) ? Absolute(options.skin) : options.skin);
    model->ShowSkeleton(options.skeleton);
    AnimationPicker animations(*model);
    animations.Start(options.animation);

    // One still drawing fills the model's volume, which frames the stage.
    model->Render(false);
    const Framing framing = FrameModel(model->Volume().at(0));
    Stage stage(framing);
    Camera camera;
    camera.Set3DFieldOfView(60);
    OrbitCamera orbit;
    Keyboard keys;

    FrameRun run(options);
    bool animate = true, quitting = false;
    while (true) {
        if ((Engine::CloseRequested() || keys.Check(KEY_ESCAPE)) && !quitting) {
            engine.UnInitialize();
            quitting = true;
        }
        if (quitting && engine.Unloaded()) break;
        if (keys.Check(KEY_SPACE)) animate = !animate;
        animations.Steer(keys);
        model->Steer(keys);
        orbit.Steer(keys, run.LastFrameSeconds());

        const bool more = run.Frame(engine, [&] {
            orbit.Apply(camera, framing);
            stage.PlaceLight();
            stage.DrawFloor(camera);
            model->Render(animate);
            stage.DrawShadow(*model);
        });
        if (!more) break;
    }
    // The model frees its material (the skin) while the GL context still exists.
    model.reset();
    std::printf("model load: %.1f ms, frames: %d, mean frame time: %.2f ms\n", 1000 * loadSeconds, run.Count(),
                run.MeanMilliseconds());
    return 0;
}
