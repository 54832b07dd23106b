// One side of the comparative model benchmark: 100 Korvath MD2 objects, each
// loaded from the file and animated, drawn in one view; prints one RESULT
// line (load milliseconds per model).
//   korvath_models MODEL SKIN FRAMES [screenshot.png]
#include <korvath/Korvath.h>

#include <cstdio>
#include <memory>
#include <string>

#include "KorvathBench.h"
#include "ModelGrid.h"
#include "Viewpoints.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: korvath_models MODEL SKIN FRAMES [screenshot.png]\n");
        return 2;
    }
    using namespace korvath;
    using namespace modelbench;
    const std::string modelPath = argv[1], skinPath = argv[2];
    const int frames = std::atoi(argv[3]);
    const std::string screenshot = argc > 4 ? argv[4] : "";

    levelbench::KorvathBench bench;
    if (!bench.Start(kWidth, kHeight)) return 1;
    Engine& engine = bench.engine();

    Camera camera;
    camera.Set3DFieldOfView(kFieldOfView);
    camera.SetPosition(0, 0, kCameraDistance);
    camera.SetRotation(0, 0, 0);

    std::vector<std::unique_ptr<MD2>> models;
    const auto loadStart = levelbench::BenchClock::now();
    for (int i = 0; i < kCopies; ++i) {
        models.push_back(std::make_unique<MD2>());
        models.back()->Load(modelPath);
        if (!models.back()->Loaded()) {
            std::fprintf(stderr, "korvath_models: %s did not load\n", modelPath.c_str());
            return 1;
        }
    }
    // The RESULT line's load field carries milliseconds per model here.
    const double loadMilliseconds = 1000 * levelbench::Seconds(loadStart, levelbench::BenchClock::now()) / kCopies;
    const SHADER skin = Shaders().Load(skinPath);
    for (int i = 0; i < kCopies; ++i) {
        MD2& m = *models[static_cast<size_t>(i)];
        m.SetShader(skin);
        m.SetAnimation("stand");
        m.SetFrame(StartFrame(i));
        m.SetVelocity(9);
        m.SetPosition(CopyX(i), CopyY(i), 0);
        m.SetRotation(0, 90, 0);  // facing the camera
    }

    const levelbench::Side side = {"korvath", [](const levelbench::Viewpoint&) {},
                                   [&](const std::function<void()>& beforeSwap) {
                                       engine.BeginScene();
                                       for (auto& m : models) m->Render();
                                       beforeSwap();
                                       engine.EndScene();
                                       return true;
                                   }};
    levelbench::MeasureViews(side, "md2x100", loadMilliseconds, {levelbench::Viewpoint{}}, frames, screenshot);
    // The copies share one skin: only the first frees it, while the context lives.
    for (size_t i = 1; i < models.size(); ++i) models[i]->SetShader({});
    models.clear();
    return 0;
}
