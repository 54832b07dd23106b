// Cost of the per-face material work of the level renderer (one stage applied and
// reset) and of looking a level texture up in the game's scripts.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/FrameTiming.h"
#include "core/Paths.h"
#include "materials/Materials.h"
#include "platform/GL.h"

namespace {

// The engine on the offscreen context, with the game data as its engine path.
bool Ready() {
    static const bool ready = [] {
        const bool initialized = korvath::bench::SharedEngine().initialized();
        korvath::EnginePath() = korvath::test::CorpusPath("q3/");
        return initialized;
    }();
    return ready;
}

// A blended, colour-waved, scrolled and scaled stage, as the level scripts write them.
void ApplyAndResetStage(benchmark::State& state) {
    if (!Ready()) return state.SkipWithError("no GL context");
    GLuint texture = 0;
    glGenTextures(1, &texture);
    korvath::SHADER_STAGE stage;
    stage.Textures[0] = static_cast<int32_t>(texture);
    stage.Flags = korvath::kStageBlend | korvath::kStageRgbGen | korvath::kStageTcMods;
    stage.Blend[0] = stage.Blend[1] = GL_ONE;
    stage.RgbWave.Kind = 3;
    stage.RgbWave.Func = 1;
    stage.RgbWave.Amplitude = stage.RgbWave.Frequency = 1;
    stage.TcMods.resize(2);
    stage.TcMods[0].Kind = 4;
    stage.TcMods[1].Kind = 2;
    korvath::Timing().FrameTime = 0.016f;
    for (auto _ : state) {
        korvath::ApplyStage(stage);
        korvath::ResetStage(stage);
    }
    glFinish();
    glDeleteTextures(1, &texture);
}
BENCHMARK(ApplyAndResetStage);

// A material whose textures are not in the corpus, so the scan and parse dominate.
void FindMaterialInGameScripts(benchmark::State& state) {
    if (!Ready()) return state.SkipWithError("no GL context");
    for (auto _ : state) {
        korvath::SHADER material = korvath::FindMaterial("scripts/", "textures/bubctf1/e8_launchpad1");
        benchmark::DoNotOptimize(material.Found);
    }
}
BENCHMARK(FindMaterialInGameScripts);

// A name no script holds: every script is searched.
void MissMaterialInGameScripts(benchmark::State& state) {
    if (!Ready()) return state.SkipWithError("no GL context");
    for (auto _ : state) benchmark::DoNotOptimize(korvath::FindMaterial("scripts/", "noshader").Found);
}
BENCHMARK(MissMaterialInGameScripts);

}  // namespace
