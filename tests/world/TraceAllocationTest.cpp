// Traces run in game loops many times a frame: they must not touch the heap.
// Counting every allocation of this test program shows it.
#include <gtest/gtest.h>

#include "support/AllocationCount.h"
#include "world/LevelBuilder.h"
#include "world/Trace.h"

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

    const long before = test::AllocationCount();
    for (int i = 0; i < 100; ++i) {
        TraceState state;
        if (i % 2) SetTraceBox(state, box);
        Collide(&level, state, {-50, 0, static_cast<float>(i)}, {300, 40, -static_cast<float>(i)}, 8);
    }
    EXPECT_EQ(test::AllocationCount() - before, 0);
}

}  // namespace
}  // namespace korvath
