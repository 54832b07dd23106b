// Korvath's side of the particle benchmark: one Particles system of 10,000
// additive billboards, every dead one respawned at once (rate 0), so the pool
// stays full while each particle lives about two seconds.
//   korvath_particles [screenshot.png]
#include <korvath/Korvath.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "KorvathBench.h"
#include "ParticleBench.h"
#include "Viewpoints.h"
#include "materials/MaterialCodes.h"
#include "platform/GL.h"

using namespace korvath;
using namespace particlebench;

namespace {
constexpr float kWorldScale = 10;  // world units per eye unit
}  // namespace

int main(int argc, char** argv) {
    levelbench::KorvathBench bench;
    if (!bench.Start(kWidth, kHeight)) return 1;
    Engine& engine = bench.engine();

    Camera camera;
    camera.Set3DFieldOfView(70);
    camera.SetPosition(0, 0, 0);
    camera.SetRotation(0, 0, 0);

    Shaders shaders;
    SHADER flare = shaders.Load(FlarePicture());
    flare.Stages[0].Flags |= kStageBlend;
    flare.Stages[0].Blend[0] = GL_ONE;
    flare.Stages[0].Blend[1] = GL_ONE;

    Particles particles;
    particles.Load(kParticles);
    particles.SetShader(flare);
    particles.SetPosition(0, 0, -kDistance * kWorldScale);
    particles.SetLife(1);
    particles.SetRate(0);
    // Motion per axis is (Random(-1, 1) - 0.5) x velocity, within +-1.5 velocity.
    particles.SetFriction(-0.5f, -0.5f, -0.5f);
    particles.SetVelocity(kSpeed * kWorldScale / 1.5f);
    // Half a quad is (scale + size) x the camera axes, which carry the world's
    // 0.1 scale, seen through the 0.1 scale again; size is 1 after a respawn.
    const float scale = kSize / 2 * kWorldScale * kWorldScale - 1;
    particles.SetScale(scale, scale, scale);
    // Life runs from 1 to 0.1; a spread of lifetimes keeps the births even.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(0.8f, 1.2f);
    for (int32_t i = 0; i < kParticles; ++i) particles.Death(i, 0.9f / kLife * spread(random));

    const Figures figures = Measure([&] {
        engine.BeginScene();
        const auto start = std::chrono::steady_clock::now();
        particles.Update();
        const auto updated = std::chrono::steady_clock::now();
        particles.Render();
        engine.EndScene();
        return std::chrono::duration<double, std::nano>(updated - start).count();
    });
    if (argc > 1) {  // a look at the last frame
        engine.BeginScene();
        particles.Update();
        particles.Render();
        levelbench::WriteBackBuffer(argv[1], kWidth, kHeight);
        engine.EndScene();
    }
    int32_t live = 0;
    for (int32_t i = 0; i < kParticles; ++i) live += particles.Life(i) >= 0.1f;
    PrintResult("korvath", live, figures);
    return 0;
}
