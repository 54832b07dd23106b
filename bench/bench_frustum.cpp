// The level renderer tests the box of every potentially visible leaf against the
// view frustum each frame. This measures boxes tested per second on a mix like a
// level's: leaf-sized boxes around the camera, three in four visible.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "core/Matrix.h"
#include "korvath/Camera.h"
#include "korvath/Frustum.h"
#include "world/EngineFrustum.h"

namespace {

using namespace korvath;

struct LeafBox {
    VECTOR3 min, max;
};

void SetUpView() {
    bench::SharedEngine();
    Camera camera;
    camera.Set3DFieldOfView(70);
    camera.SetPosition(120, 64, -300);
    camera.SetRotation(15, 40, 0);
    ApplyViewTransform(false);
    EngineFrustum().Update();
}

// Boxes of 32 to 512 units within 3000 units of the camera, 3 visible : 1 hidden.
std::vector<LeafBox> LevelLeaves(size_t count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> place(-3000, 3000), size(32, 512);
    const Frustum& frustum = EngineFrustum();
    std::vector<LeafBox> visible, hidden;
    while (visible.size() < count * 3 / 4 || hidden.size() < count / 4) {
        const VECTOR3 low{120 + place(random), 64 + place(random) / 4, -300 + place(random)};
        const LeafBox box{low, {low.x + size(random), low.y + size(random), low.z + size(random)}};
        std::vector<LeafBox>& bucket = frustum.BoxInFrustum(box.min, box.max) ? visible : hidden;
        if (bucket.size() < (&bucket == &visible ? count * 3 / 4 : count / 4)) bucket.push_back(box);
    }
    visible.insert(visible.end(), hidden.begin(), hidden.end());
    std::shuffle(visible.begin(), visible.end(), random);
    return visible;
}

void BM_BoxInFrustum(benchmark::State& state) {
    SetUpView();
    const std::vector<LeafBox> leaves = LevelLeaves(4096);
    const Frustum& frustum = EngineFrustum();
    int64_t seen = 0;
    for (auto _ : state) {
        for (const LeafBox& leaf : leaves) seen += frustum.BoxInFrustum(leaf.min, leaf.max);
        benchmark::DoNotOptimize(seen);
    }
    state.counters["boxes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * leaves.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BoxInFrustum);

}  // namespace
