// The Korvath side of the MD5 benchmark: loads of the mesh with its
// animation (timed and weighed), then 50 animated copies cross-fading between
// the animation and the bind pose, drawn in one view.
#include <korvath/Korvath.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "KorvathBench.h"
#include "Md5BenchScene.h"

using namespace korvath;
using namespace md5bench;

namespace {

MD5* LoadModel(const Arguments& args) {
    auto* model = new MD5;
    model->Load(args.mesh);
    model->LoadAnimation(args.anim);
    return model;
}

// The name an animation is known by: its file name up to the first ".".
std::string AnimationName(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.substr(0, name.find('.'));
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!ParseArguments(argc, argv, "korvath_md5", args)) return 2;
    levelbench::KorvathBench bench;
    if (!bench.Start(kWidth, kHeight)) return 1;
    Engine& engine = bench.engine();
    MeasureLoad(
        "korvath", args.mesh, [&] { return static_cast<void*>(LoadModel(args)); },
        [](void* model) { delete static_cast<MD5*>(model); });
    if (args.frames <= 0) return 0;

    const SHADER skin = Shaders().Load(args.skin);
    std::vector<std::unique_ptr<MD5>> models;
    const auto start = levelbench::BenchClock::now();
    for (int i = 0; i < kCopies; ++i) {
        models.emplace_back(LoadModel(args));
        MD5& m = *models.back();
        for (const std::string& name : m.MaterialNames()) m.Shader(name, skin);
        m.SetRotation(270, 0, 0);  // facing the camera
        m.SetPosition(CopyX(i), CopyY(i), 0);
        m.SetFrame(i * 7);
    }
    const double loadSeconds = levelbench::Seconds(start, levelbench::BenchClock::now()) / kCopies;
    const std::string animation = AnimationName(args.anim);
    MeasureCopies("korvath", engine, loadSeconds, args, [&](int i, bool switching) {
        MD5& m = *models[static_cast<size_t>(i)];
        if (switching) m.SetAnimation(m.Animation() == 0 ? animation : "", 2);
        m.Update();
        m.Render();
    });
    // The copies share one skin: only the first frees it, while the context lives.
    for (size_t i = 1; i < models.size(); ++i)
        for (const std::string& name : models[i]->MaterialNames()) models[i]->Shader(name, {});
    models.clear();
    return 0;
}
