// One side of the comparative model benchmark: 100 Korvath MD2 objects, each
// loaded from the file and animated, drawn in one view; prints one RESULT
// line (load milliseconds per model).
//   korvath_models MODEL SKIN FRAMES [screenshot.png]
#include <korvath/Korvath.h>

#include <cstdio>
#include <memory>
#include <string>

#include "KorvathBench.h"
#include "BenchArguments.h"
#include "KorvathGridCamera.h"
#include "ModelGrid.h"
#include "Viewpoints.h"

int main(int argc, char** argv) {
    using namespace korvath;
    using namespace modelbench;
    BenchArguments args;
    if (!ParseBenchArguments(argc, argv, "korvath_models MODEL SKIN FRAMES [screenshot.png]", args))
        return 2;

    levelbench::KorvathBench bench;
    if (!bench.Start(kWidth, kHeight)) return 1;
    Engine& engine = bench.engine();

    modelbench::FaceGrid();

    std::vector<std::unique_ptr<MD2>> models;
    const auto loadStart = levelbench::BenchClock::now();
    for (int i = 0; i < kCopies; ++i) {
        models.push_back(std::make_unique<MD2>());
        models.back()->Load(args.model);
        if (!models.back()->Loaded()) {
            std::fprintf(stderr, "korvath_models: %s did not load\n", args.model.c_str());
            return 1;
        }
    }
    // The RESULT line's load field carries milliseconds per model here.
    const double loadMilliseconds = 1000 * levelbench::Seconds(loadStart, levelbench::BenchClock::now()) / kCopies;
    const SHADER skin = Shaders().Load(args.skin);
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
    levelbench::MeasureViews(side, "md2x100", loadMilliseconds, {levelbench::Viewpoint{}}, args.frames,
                             args.screenshot);
    // The copies share one skin: only the first frees it, while the context lives.
    for (size_t i = 1; i < models.size(); ++i) models[i]->SetShader({});
    models.clear();
    return 0;
}
