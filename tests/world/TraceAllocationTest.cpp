// Traces run in game loops many times a frame: they must not touch the heap.
// Counting every allocation of this test program shows it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "world/LevelBuilder.h"
#include "world/Trace.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace korvath {
namespace {

TEST(Trace, DoesNotAllocate) {
    test::LevelBuilder builder;
    builder.AddRoom({-100, -100, -100}, {100, 100, 100}, 16, builder.AddMaterial(kContentsSolid));
    builder.AddBox({-10, -10, -10}, {10, 10, 10}, builder.AddMaterial(kContentsSolid, kSurfaceNonSolid));
    const Level level = builder.Build();
    VOLUME box;
    box.Min = {-15, -24, -15};
    box.Max = {15, 32, 15};

    const long before = g_allocations;
    for (int i = 0; i < 100; ++i) {
        TraceState state;
        if (i % 2) SetTraceBox(state, box);
        Collide(&level, state, {-50, 0, static_cast<float>(i)}, {300, 40, -static_cast<float>(i)}, 8);
    }
    EXPECT_EQ(g_allocations - before, 0);
}

}  // namespace
}  // namespace korvath
