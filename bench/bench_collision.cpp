// Collision traces on the corpus level, one core: rays, spheres and player-sized
// boxes moving a few hundred units from open points of the level, in traces per
// second; and whole collision queries (five traces each).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "world/LevelLoad.h"
#include "world/Trace.h"

namespace {

using namespace korvath;

struct Move {
    VECTOR3 from, to;
};

struct Corpus {
    std::unique_ptr<Level> level;
    std::vector<Move> moves;
};

// Moves of 100 to 400 units in random directions from points of leaves inside
// the map (one in three points roughly level, as walking is).
std::vector<Move> PlayerMoves(const Level& level) {
    std::mt19937 random(2026);
    std::uniform_int_distribution<size_t> pickLeaf(0, level.Leafs.size() - 1);
    std::uniform_real_distribution<float> unit(-1, 1), length(100, 400);
    std::vector<Move> moves;
    while (moves.size() < 4096) {
        const BspLeaf& leaf = level.Leafs[pickLeaf(random)];
        if (leaf.Cluster < 0) continue;
        VECTOR3 from;
        float* axes[3] = {&from.x, &from.y, &from.z};
        for (int a = 0; a < 3; ++a) {
            const float lo = static_cast<float>(std::min(leaf.Mins[a], leaf.Maxs[a]));
            const float hi = static_cast<float>(std::max(leaf.Mins[a], leaf.Maxs[a]));
            *axes[a] = lo + (hi - lo) * (unit(random) + 1) / 2;
        }
        if (level.Leafs[static_cast<size_t>(FindLeaf(level, from))].Cluster < 0) continue;
        VECTOR3 direction{unit(random), moves.size() % 3 == 0 ? unit(random) * 0.1f : unit(random), unit(random)};
        const float scale = length(random) / std::sqrt(direction.x * direction.x + direction.y * direction.y +
                                                       direction.z * direction.z + 1e-6f);
        const VECTOR3 to{from.x + direction.x * scale, from.y + direction.y * scale, from.z + direction.z * scale};
        moves.push_back({from, to});
    }
    return moves;
}

const Corpus& LoadedCorpus() {
    static const Corpus corpus = [] {
        Corpus made;
        if (!bench::SharedEngine().initialized()) return made;
        bench::SharedEngine().engine().SetPath(test::CorpusPath("q3/"));
        made.level = LoadLevel("maps/ps9ctf.bsp");
        if (made.level) made.moves = PlayerMoves(*made.level);
        return made;
    }();
    return corpus;
}

void RunTraces(benchmark::State& state, float radius, bool box) {
    const Corpus& corpus = LoadedCorpus();
    if (!corpus.level) {
        state.SkipWithError("the corpus level did not load");
        return;
    }
    TraceState trace;
    if (box) {
        VOLUME player;
        player.Min = {-15, -24, -15};
        player.Max = {15, 32, 15};
        SetTraceBox(trace, player);
    }
    size_t next = 0, hits = 0;
    for (auto _ : state) {
        const Move& move = corpus.moves[next];
        next = (next + 1) % corpus.moves.size();
        benchmark::DoNotOptimize(Trace(*corpus.level, trace, move.from, move.to, radius));
        hits += trace.Fraction < 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["hit"] = benchmark::Counter(static_cast<double>(hits) / static_cast<double>(state.iterations()));
}

void BM_RayTrace(benchmark::State& state) { RunTraces(state, 0, false); }
void BM_SphereTrace(benchmark::State& state) { RunTraces(state, 16, false); }
void BM_BoxTrace(benchmark::State& state) { RunTraces(state, 0, true); }

void BM_CollisionQuery(benchmark::State& state) {
    const Corpus& corpus = LoadedCorpus();
    if (!corpus.level) {
        state.SkipWithError("the corpus level did not load");
        return;
    }
    size_t next = 0;
    for (auto _ : state) {
        const Move& move = corpus.moves[next];
        next = (next + 1) % corpus.moves.size();
        TraceState trace;
        benchmark::DoNotOptimize(Collide(corpus.level.get(), trace, move.from, move.to, 16));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_RayTrace);
BENCHMARK(BM_SphereTrace);
BENCHMARK(BM_BoxTrace);
BENCHMARK(BM_CollisionQuery);

}  // namespace
