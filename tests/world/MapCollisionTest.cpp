// Collision and the table queries through the public Map, on a level file the
// test writes: a room from -100 to 100 on every axis.
#include <gtest/gtest.h>

#include <memory>

#include "core/Globals.h"
#include "korvath/Map.h"
#include "support/TestSupport.h"
#include "world/LevelBuilder.h"
#include "world/Trace.h"

namespace korvath {
namespace {

class MapWithRoom : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        engine_ = std::make_unique<test::OffscreenEngine>();
        State().EnginePath = test::ProcessDirectory() + "/";
        test::LevelBuilder builder;
        builder.AddRoom({-100, -100, -100}, {100, 100, 100}, 16, builder.AddMaterial(kContentsSolid));
        const test::BspFile file = builder.File();
        planes_ = static_cast<int32_t>(file.Planes.size());
        file.Write(test::ProcessDirectory() + "/room.bsp");
        map_ = std::make_unique<Map>();
        map_->Load("room.bsp");
    }
    static void TearDownTestSuite() {
        map_.reset();
        engine_.reset();
    }
    void SetUp() override {
        if (!map_->Loaded()) GTEST_SKIP() << "the room did not load";
    }

    static inline std::unique_ptr<test::OffscreenEngine> engine_;
    static inline std::unique_ptr<Map> map_;
    static inline int32_t planes_ = 0;
};

TEST_F(MapWithRoom, VolumeMakesOnlyTheNextCollisionABoxTrace) {
    VOLUME player;
    player.Position = {5, 5, 5};
    player.Min = {-3, -3, -3};
    player.Max = {21, 21, 21};  // 16 units ahead of its position on every axis
    map_->Volume({player});
    EXPECT_NEAR(map_->Collision({0, 0, 0}, {300, 0, 0}).Position.x, 100 - 16 - kTraceEpsilon, 1e-4f);
    EXPECT_NEAR(map_->Collision({0, 0, 0}, {300, 0, 0}).Position.x, 100 - kTraceEpsilon, 1e-4f);
    // An empty array leaves the next query a ray.
    map_->Volume({});
    EXPECT_NEAR(map_->Collision({0, 0, 0}, {300, 0, 0}).Position.x, 100 - kTraceEpsilon, 1e-4f);
}

TEST_F(MapWithRoom, QueriesReadTheLoadedTables) {
    EXPECT_EQ(map_->Planes(), planes_ - 1);
    // The first wall's first side: +x at x = -100 (engine and file axes agree on x).
    const PLANE first = map_->Plane(0);
    EXPECT_FLOAT_EQ(first.Normal.x, 1);
    EXPECT_FLOAT_EQ(first.Distance, -100);
    EXPECT_EQ(map_->Plane(planes_).Distance, 0);
    EXPECT_EQ(map_->Entities(), 0);
    EXPECT_EQ(map_->Entity(0).ClassName, "worldspawn");
    EXPECT_TRUE(map_->Entity(1).ClassName.empty());
    // Without a PVS every point counts as visible.
    State().CameraPosition = {0, 0, 0};
    EXPECT_TRUE(map_->Visible({50, 50, 50}));
}

}  // namespace
}  // namespace korvath
