// The Asset Import Library's side of the MD5 benchmark: imports of the mesh
// (which brings in the animation of the same name beside it) timed and
// weighed, then 50 copies animated, cross-faded and skinned by the player in
// AssimpSkinning.h, drawn in the same window, view and placement as Korvath's.
#include <assimp/cimport.h>
#include <assimp/scene.h>
#include <korvath/Korvath.h>

#include <vector>

#include "AssimpSkinning.h"
#include "KorvathBench.h"
#include "Md5BenchScene.h"
#include "core/FrameTiming.h"
#include "core/Matrix.h"

using namespace md5bench;

int main(int argc, char** argv) {
    Arguments args;
    if (!ParseArguments(argc, argv, "assimp_md5", args)) return 2;
    levelbench::KorvathBench bench;
    if (!bench.Start(kWidth, kHeight)) return 1;
    korvath::Engine& engine = bench.engine();
    const auto import = [&] { return const_cast<void*>(static_cast<const void*>(aiImportFile(args.mesh.c_str(), 0))); };
    MeasureLoad("assimp", args.mesh, import, [](void* scene) { aiReleaseImport(static_cast<const aiScene*>(scene)); });
    if (args.frames <= 0) return 0;

    korvath::SHADER skin = korvath::Shaders().Load(args.skin);
    const auto start = levelbench::BenchClock::now();
    std::vector<const aiScene*> scenes;
    std::vector<AssimpRig> rigs;
    std::vector<AssimpCopy> copies;
    for (int i = 0; i < kCopies; ++i) scenes.push_back(aiImportFile(args.mesh.c_str(), 0));
    const double loadSeconds = levelbench::Seconds(start, levelbench::BenchClock::now()) / kCopies;
    for (const aiScene* scene : scenes) {
        if (!scene) return 1;
        rigs.emplace_back(scene);
    }
    for (int i = 0; i < kCopies; ++i) {
        copies.emplace_back(rigs[static_cast<size_t>(i)]);
        copies.back().Advance(i * 7 / 30.0);
    }
    MeasureCopies("assimp", engine, loadSeconds, args, [&](int i, bool switching) {
        AssimpCopy& copy = copies[static_cast<size_t>(i)];
        if (switching) copy.FadeTo(!copy.Animated(), 2);
        copy.Advance(korvath::Timing().FrameTime);
        korvath::ApplyViewTransform(false);
        // Its root node turns the file's axes up already.
        korvath::ApplyPlacement({CopyX(i), CopyY(i), 0}, {0, 0, 0});
        copy.Draw(static_cast<uint32_t>(skin.Stages[0].Textures[0]));
    });
    korvath::Shaders().UnLoad(skin);
    for (const aiScene* scene : scenes) aiReleaseImport(scene);
    return 0;
}
