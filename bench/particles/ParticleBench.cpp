#include "ParticleBench.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <numeric>
#include <vector>

namespace {
std::atomic<uint64_t> g_allocations{0};
}  // namespace

// Every allocation of the process goes through here, so the count covers the
// engine, its containers and the standard library alike.
void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace particlebench {

uint64_t Allocations() { return g_allocations.load(std::memory_order_relaxed); }

Figures Measure(const std::function<double()>& frame) {
    using Clock = std::chrono::steady_clock;
    // Long enough for an emitter that starts empty to fill its pool: a
    // particle lives kLife seconds, so the count settles after that.
    const auto warmUntil = Clock::now() + std::chrono::duration<double>(kLife * 1.5);
    for (int i = 0; i < kWarmUpFrames || Clock::now() < warmUntil; ++i) frame();
    std::vector<double> ms;
    ms.reserve(kMeasuredFrames);
    double updateNs = 0;
    bool updates = true;
    const uint64_t allocationsBefore = Allocations();
    auto previous = Clock::now();
    for (int i = 0; i < kMeasuredFrames; ++i) {
        const double ns = frame();
        updates = updates && ns >= 0;
        updateNs += ns;
        const auto now = Clock::now();
        ms.push_back(1000 * std::chrono::duration<double>(now - previous).count());
        previous = now;
    }
    const uint64_t allocations = Allocations() - allocationsBefore;  // the vector above was reserved
    Figures figures;
    figures.meanMs = std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size());
    std::sort(ms.begin(), ms.end());
    figures.p95Ms = ms[std::min(ms.size() - 1, static_cast<size_t>(0.95 * static_cast<double>(ms.size())))];
    figures.updateNsPerParticle = updates ? updateNs / kMeasuredFrames / kParticles : -1;
    figures.allocationsPerFrame = static_cast<double>(allocations) / kMeasuredFrames;
    return figures;
}

void PrintResult(const char* engine, int32_t live, const Figures& f) {
    std::printf("RESULT %s %d %.2f %.2f %.1f %.2f\n", engine, live, f.meanMs, f.p95Ms, f.updateNsPerParticle,
                f.allocationsPerFrame);
}

std::string FlarePicture() { return std::string(KORVATH_CORPUS_DIR) + "/q3/gfx/fx/flares/blur.tga"; }

}  // namespace particlebench
