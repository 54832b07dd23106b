// The sweep on small levels built in memory: where rays, spheres and boxes stop,
// what a collision query reports, and that the tree loses no brush.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "korvath/Map.h"
#include "support/AllocationCount.h"
#include "support/TestSupport.h"
#include "world/LevelBuilder.h"
#include "world/Trace.h"

namespace korvath {
namespace {

using test::LevelBuilder;

constexpr float kEps = kTraceEpsilon;
constexpr int32_t kSolid = kContentsSolid;
constexpr int32_t kMetal = 0x1000;  // any surface flag, to see which brush reported

void ExpectNear(const VECTOR3& got, const VECTOR3& want, float tolerance = 1e-4f) {
    EXPECT_TRUE(test::NearXyz(got, want, tolerance));
}

// A closed room with its inside from -100 to 100 on every axis.
LevelBuilder Room() {
    LevelBuilder builder;
    builder.AddRoom({-100, -100, -100}, {100, 100, 100}, 16, builder.AddMaterial(kSolid, kMetal));
    return builder;
}

VOLUME BoxAround(const VECTOR3& position, const VECTOR3& min, const VECTOR3& max) {
    return {.Position = position,
            .Min = {position.x + min.x, position.y + min.y, position.z + min.z},
            .Max = {position.x + max.x, position.y + max.y, position.z + max.z}};
}

COLLISION Move(const Level& level, const VECTOR3& from, const VECTOR3& to, float offset = 0,
               const VOLUME* box = nullptr) {
    TraceState state;
    if (box) SetTraceBox(state, *box);
    return Collide(&level, state, from, to, offset);
}

TEST(Trace, RayStopsEpsilonOverTheMovementShortOfTheWall) {
    for (bool split : {true, false}) {
        const Level level = Room().Build(split);
        // d0 - d1 = 200 over the movement, so the stop fraction is (100 - EPSILON) / 200.
        const COLLISION hit = Move(level, {0, 0, 0}, {200, 0, 0});
        ExpectNear(hit.Position, {200 * (100 - kEps) / 200, 0, 0});
        ExpectNear(hit.Normal, {-1, 0, 0});
        EXPECT_TRUE(hit.Collided && hit.Flags == kMetal) << hit.Flags;

        // A slanted movement: the shortening is EPSILON along the wall normal.
        const COLLISION slant = Move(level, {0, 0, 0}, {-50, 20, -400});
        EXPECT_NEAR(slant.Position.z, -100 + kEps, 1e-4f);
        ExpectNear(slant.Normal, {0, 0, 1});
    }
}

TEST(Trace, SphereStopsItsRadiusAndEpsilonInFront) {
    const Level level = Room().Build();
    const COLLISION hit = Move(level, {0, 0, 0}, {0, -300, 0}, 10);
    ExpectNear(hit.Position, {0, -100 + 10 + kEps, 0});
    ExpectNear(hit.Normal, {0, 1, 0});
}

TEST(Trace, BoxStopsByItsExtentOnEachSide) {
    const Level level = Room().Build();
    const VOLUME box = BoxAround({0, 0, 0}, {-8, -20, -4}, {16, 30, 6});
    // Each wall meets the box face that leads towards it.
    const std::pair<VECTOR3, VECTOR3> moves[] = {{{300, 0, 0}, {100 - 16 - kEps, 0, 0}}, {{-300, 0, 0}, {-100 + 8 + kEps, 0, 0}},
                                                 {{0, -300, 0}, {0, -100 + 20 + kEps, 0}}, {{0, 300, 0}, {0, 100 - 30 - kEps, 0}},
                                                 {{0, 0, 300}, {0, 0, 100 - 6 - kEps}}};
    for (const auto& [to, stop] : moves) ExpectNear(Move(level, {0, 0, 0}, to, 0, &box).Position, stop);
    // The radius does not count in box mode.
    ExpectNear(Move(level, {0, 0, 0}, {0, 0, -300}, 50, &box).Position, {0, 0, -100 + 4 + kEps});
}

TEST(Trace, BoxOnASlopeRestsOnTheCornerThatLeadsIntoIt) {
    // A ramp rising towards -x: its top face has the normal (-1, 1, 0) / sqrt 2
    // through the origin; a box falling onto it touches with its (max x, min y) corner.
    LevelBuilder builder;
    const float h = std::sqrt(0.5f);
    builder.AddBrush({{{-h, h, 0}, 0}, {{0, -1, 0}, 100}, {{1, 0, 0}, 100}, {{0, 0, 1}, 100}, {{0, 0, -1}, 100}},
                     {-100, -100, -100}, {100, 100, 100}, builder.AddMaterial(kSolid));
    const Level level = builder.Build();
    const VOLUME box = BoxAround({0, 0, 0}, {-10, -5, -10}, {10, 5, 10});
    const COLLISION hit = Move(level, {0, 200, 0}, {0, -50, 0}, 0, &box);
    // Corner (10, -5) sits EPSILON off the plane: (-10 + (y - 5)) * h = EPSILON.
    EXPECT_NEAR(hit.Position.y, 15 + kEps / h, 1e-3f);
    ExpectNear(hit.Normal, {-h, h, 0});
    // A ray down the same line ends EPSILON off the slope, measured along its normal.
    EXPECT_NEAR(Move(level, {0, 200, 0}, {0, -50, 0}).Position.y, kEps / h, 1e-3f);
}

TEST(Trace, TouchingAPlaneDoesNotStop) {
    const Level level = Room().Build();
    ExpectNear(Move(level, {0, 0, 0}, {100, 0, 0}).Position, {100, 0, 0});
    const COLLISION sphere = Move(level, {0, 0, 0}, {0, 90, 0}, 10);
    ExpectNear(sphere.Position, {0, 90, 0});
    EXPECT_FALSE(sphere.Collided);
    // Sliding along a wall at exactly the radius.
    EXPECT_FALSE(Move(level, {90, -50, 0}, {90, 50, 0}, 10).Collided);
}

// Two floor brushes meeting at x = 0: a movement straight down the seam lies
// in a side plane of each, and that boundary belongs to the brushes.
TEST(Trace, AMovementInASidePlaneStillMeetsTheBrush) {
    LevelBuilder builder;
    const int32_t floor = builder.AddMaterial(kSolid, kMetal);
    builder.AddBox({-100, -20, -100}, {0, 0, 100}, floor);
    builder.AddBox({0, -20, -100}, {100, 0, 100}, floor);
    for (bool split : {true, false}) {
        const Level level = builder.Build(split);
        TraceState ray;
        ExpectNear(Trace(level, ray, {0, 50, 0}, {0, -500, 0}, 0), {0, kEps, 0});
        EXPECT_TRUE(ray.Collided) << split;
        // The same for a box whose side slides down the seam, and a sphere along
        // the floor's outer side.
        TraceState box;
        SetTraceBox(box, BoxAround({0, 0, 0}, {-8, -8, -8}, {8, 8, 8}));
        EXPECT_NEAR(Trace(level, box, {-108, 50, 0}, {-108, -500, 0}, 0).y, 8 + kEps, 1e-3f) << split;
        TraceState sphere;
        EXPECT_NEAR(Trace(level, sphere, {0, 50, 110}, {0, -500, 110}, 10).y, 10 + kEps, 1e-3f) << split;
    }
}

TEST(Trace, StartingInsideABrushPassesThroughIt) {
    LevelBuilder builder = Room();
    builder.AddBox({-10, -10, -10}, {10, 10, 10}, builder.AddMaterial(kSolid));
    const Level level = builder.Build();
    TraceState state;
    ExpectNear(Trace(level, state, {0, 0, 0}, {50, 0, 0}, 0), {50, 0, 0});
    EXPECT_FALSE(state.Collided);
    // From outside the same pillar stops the trace.
    ExpectNear(Move(level, {50, 0, 0}, {0, 0, 0}).Position, {10 + kEps, 0, 0});
    // Starting inside one brush does not let the trace through the next.
    EXPECT_NEAR(Move(level, {0, 0, 0}, {300, 0, 0}).Position.x, 100 - kEps, 1e-4f);
}

TEST(Trace, NonsolidBrushReportsWithoutShortening) {
    constexpr int32_t kNonSolidWater = kSurfaceNonSolid | 0x4;
    LevelBuilder builder = Room();
    builder.AddBox({20, -100, -100}, {30, 100, 100}, builder.AddMaterial(kSolid, kNonSolidWater));
    const int32_t notSolid = builder.AddMaterial(0, kMetal);
    builder.AddBox({-30, -100, -100}, {-20, 100, 100}, notSolid);
    const Level level = builder.Build();

    const COLLISION through = Move(level, {0, 0, 0}, {60, 0, 0});
    ExpectNear(through.Position, {60, 0, 0});
    ExpectNear(through.Normal, {-1, 0, 0});
    EXPECT_TRUE(through.Collided && through.Flags == kNonSolidWater) << through.Flags;

    // Passing the nonsolid brush on the way to a wall does not undo the wall's stop.
    EXPECT_NEAR(Move(level, {0, 0, 0}, {300, 0, 0}).Position.x, 100 - kEps, 1e-4f);
    // The other way round: the wall is hit before the nonsolid brush is reached.
    EXPECT_NEAR(Move(level, {300, 0, 0}, {0, 0, 0}).Position.x, 116 + kEps, 1e-4f);

    // A brush without the solid contents bit is not looked at at all.
    const COLLISION ignored = Move(level, {0, 0, 0}, {-60, 0, 0});
    ExpectNear(ignored.Position, {-60, 0, 0});
    EXPECT_FALSE(ignored.Collided);
}

TEST(Collision, AxisLimitsGroundAndOutputsThatCarryOver) {
    LevelBuilder builder = Room();
    builder.AddBox({20, -100, -100}, {30, 100, 100}, builder.AddMaterial(kSolid));         // a wall at x 20..30
    builder.AddBox({40, -100, -100}, {100, 12.3f, 100}, builder.AddMaterial(kSolid, 0x2));  // a step, top 12.3
    const Level level = builder.Build();

    // Destination on the step's far side of the wall: the x trace runs from the
    // destination back towards the start and stops at the wall.
    const COLLISION c = Move(level, {0, 40, 0}, {60, 70, -20}, 5);
    EXPECT_NEAR(c.AxisLimits.x, 30 + 5 + kEps, 1e-4f);
    EXPECT_TRUE(test::FloatsEq({c.AxisLimits.y, c.AxisLimits.z}, {40, 0}));
    // The ground probe runs down to y = -Offset, a ray: 12.3 + EPSILON + 5 rounds to 17.
    EXPECT_EQ(c.Ground, 17);
    EXPECT_NEAR(c.Position.x, 20 - 5 - kEps, 1e-3f);
    ExpectNear(c.Normal, {-1, 0, 0});

    // The main trace misses, the ground probe hit: its outputs stand.
    const COLLISION probe = Move(level, {60, 40, 0}, {60, 30, 0}, 5);
    ExpectNear(probe.Position, {60, 30, 0});
    ExpectNear(probe.Normal, {0, 1, 0});
    EXPECT_TRUE(probe.Collided && probe.Flags == 0x2) << probe.Flags;

    // Nothing below above -Offset: the probe ends at -Offset and Ground is 0.
    EXPECT_EQ(Move(level, {-50, 40, 0}, {-50, 30, 0}, 5).Ground, 0);
}

TEST(Collision, ASingleLeafHoldsNothingToHit) {
    // A level whose only leaf holds a brush reports no hit.
    Level single = Room().Build(false);
    single.Nodes.clear();
    single.Leafs.resize(1);
    const COLLISION through = Move(single, {0, 0, 0}, {500, 0, 0});
    ExpectNear(through.Position, {500, 0, 0});
    EXPECT_FALSE(through.Collided);
}

TEST(Collision, MapWithoutLevelAnswersEmpty) {
    Map map;
    map.Volume({BoxAround({0, 0, 0}, {-1, -1, -1}, {1, 1, 1})});
    const COLLISION c = map.Collision({1, 2, 3}, {7, 8, 9}, 4);
    ExpectNear(c.Position, {7, 8, 9});
    ExpectNear(c.AxisLimits, {1, 2, 3});
    EXPECT_FALSE(c.Collided || map.Visible({0, 0, 0}));
    EXPECT_EQ(c.Ground, 0);
    EXPECT_EQ((std::vector<int32_t>{c.Flags, map.Entities(), map.Planes()}), (std::vector<int32_t>{0, -1, -1}));
    EXPECT_TRUE(map.Entity(0).ClassName.empty());
    EXPECT_EQ(map.Plane(3).Distance, 0);
    EXPECT_TRUE(map.Shader("textures/base/floor").Stages.empty());
    map.Shader("textures/base/floor", SHADER{});
}

// The tree must hand every brush the moving volume reaches to the brush test: a
// level cut into many leaves answers exactly as one whose single leaf holds all.
TEST(Trace, TreeFindsWhatTestingEveryBrushFinds) {
    LevelBuilder builder = Room();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-100, 100), size(2, 40);
    const int32_t solid = builder.AddMaterial(kSolid);
    for (int i = 0; i < 25; ++i) {
        const VECTOR3 lo{coordinate(random), coordinate(random), coordinate(random)};
        builder.AddBox(lo, {lo.x + size(random), lo.y + size(random), lo.z + size(random)}, solid);
    }
    const Level split = builder.Build(true), flat = builder.Build(false);
    ASSERT_GT(split.Leafs.size(), 50u);

    const VOLUME box = BoxAround({0, 0, 0}, {-15, -24, -15}, {15, 32, 15});
    for (int i = 0; i < 3000; ++i) {
        const VECTOR3 from{coordinate(random), coordinate(random), coordinate(random)};
        const VECTOR3 to{coordinate(random), coordinate(random), coordinate(random)};
        const int kind = i % 3;
        const float radius = kind == 1 ? 12 : 0;
        TraceState a, b;
        if (kind == 2) {
            SetTraceBox(a, box);
            SetTraceBox(b, box);
        }
        const VECTOR3 endSplit = Trace(split, a, from, to, radius);
        const VECTOR3 endFlat = Trace(flat, b, from, to, radius);
        ASSERT_EQ(std::pair(a.Fraction, a.Collided), std::pair(b.Fraction, b.Collided)) << "trace " << i;
        ExpectNear(endSplit, endFlat, 0);
    }
}

// Traces run in game loops many times a frame: they must not touch the heap.
TEST(Trace, DoesNotAllocate) {
    LevelBuilder builder = Room();
    builder.AddBox({-10, -10, -10}, {10, 10, 10}, builder.AddMaterial(kSolid, kSurfaceNonSolid));
    const Level level = builder.Build();
    const VOLUME box = BoxAround({0, 0, 0}, {-15, -24, -15}, {15, 32, 15});
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
