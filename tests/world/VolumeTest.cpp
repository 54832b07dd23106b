#include <gtest/gtest.h>
#include <vector>

#include "core/ViewState.h"
#include "korvath/Volume.h"
#include "world/VolumeRecords.h"
#include "world/Volumes.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

VOLUME BoxVolume(const VECTOR3& min, const VECTOR3& max) { return test::ComputedVolume(min, max); }

VOLUME EmptyVolume() {
    const Box empty = EmptyBox();
    return BoxVolume(empty.Min, empty.Max);
}

void ExpectPoint(const VECTOR3& v, float x, float y, float z) { EXPECT_TRUE(test::FloatsEq({v.x, v.y, v.z}, {x, y, z})); }

// Distance reads the far clipping distance, which Initialize sets.
class VolumeDistance : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = View().FarPlane;
        View().FarPlane = 10000;
    }
    void TearDown() override { View().FarPlane = saved_; }
    float saved_ = 0;
};

}  // namespace

TEST(Volume, CollisionCountsTouchingBoxes) {
    Volume volume;
    const std::vector<VOLUME> a{BoxVolume({0, 0, 0}, {1, 1, 1})};
    // Touching counts; in the third x and z overlap, y does not.
    EXPECT_EQ((std::vector<bool>{volume.Collision(a, {BoxVolume({1, 0.5f, 0.5f}, {2, 2, 2})}),
                                 volume.Collision(a, {BoxVolume({1.01f, 0, 0}, {2, 1, 1})}),
                                 volume.Collision(a, {BoxVolume({0, 2, 0}, {1, 3, 1})})}),
              (std::vector<bool>{true, false, false}));
    // Any pair of elements will do, in either array.
    EXPECT_TRUE(volume.Collision({BoxVolume({9, 9, 9}, {10, 10, 10}), a[0]},
                                 {BoxVolume({5, 5, 5}, {6, 6, 6}), BoxVolume({0.5f, 0.5f, 0.5f}, {0.6f, 0.6f, 0.6f})}));
    EXPECT_FALSE(volume.Collision({}, a));
    EXPECT_FALSE(volume.Collision(a, {}));
}

TEST(Volume, IntersectTreatsThePointAsACube) {
    Volume volume;
    const std::vector<VOLUME> box{BoxVolume({0, 0, 0}, {2, 2, 2})};
    // On a face, beside it, reaching it by its size, inside, and no box at all.
    EXPECT_EQ((std::vector<bool>{volume.Intersect({2, 1, 1}, 0, box), volume.Intersect({2.5f, 1, 1}, 0, box),
                                 volume.Intersect({2.5f, 1, 1}, 0.5f, box), volume.Intersect({1, 1, 1}, 0, box),
                                 volume.Intersect({1, 1, 1}, 0, {})}),
              (std::vector<bool>{true, false, true, true, false}));
}

TEST(Volume, CrossTestsTheLineNotTheSegment) {
    Volume volume;
    const std::vector<VOLUME> box{BoxVolume({-1, -1, -1}, {1, 1, 1})};
    // The third box lies behind Position. Without a direction (the last three) only
    // Position itself counts, and only strictly inside.
    EXPECT_EQ((std::vector<bool>{volume.Cross({-10, 0, 0}, {10, 0, 0}, box), volume.Cross({-10, 5, 0}, {10, 5, 0}, box),
                                 volume.Cross({5, 0, 0}, {10, 0, 0}, box), volume.Cross({0.5f, 0, 0}, {0.5f, 0, 0}, box),
                                 volume.Cross({1, 0, 0}, {1, 0, 0}, box), volume.Cross({3, 0, 0}, {3, 0, 0}, box)}),
              (std::vector<bool>{true, false, true, true, false, false}));
}

TEST_F(VolumeDistance, EntersTheFirstBoxHitInArrayOrder) {
    Volume volume;
    const VOLUME near = BoxVolume({-1, -1, -10}, {1, 1, -8});
    const VOLUME far = BoxVolume({-1, -1, -30}, {1, 1, -20});
    ExpectPoint(volume.Distance({0, 0, 0}, {0, 0, -1}, {near}), 0, 0, -8);
    ExpectPoint(volume.Distance({0.5f, 0, 0}, {0, 0, -2}, {far, near}), 0.5f, 0, -20);  // not the nearest
    ExpectPoint(volume.Distance({0, 0, -9}, {0, 0, -1}, {near}), 0, 0, -9);             // from inside: the point itself
    ExpectPoint(volume.Distance({0, 0, 0}, {0, 0, 1}, {near}), 0, 0, 0);                // pointing away
    ExpectPoint(volume.Distance({0, 0, 0}, {0, 0, -1}, {}), 0, 0, 0);
    // Beyond the far clipping distance nothing is hit.
    ExpectPoint(volume.Distance({0, 0, 20000}, {0, 0, -1}, {near}), 0, 0, 0);
}

// A ray parallel to a slab but outside it never reaches the box, however the
// other axes line up.
TEST_F(VolumeDistance, ParallelRayBesideABoxMissesIt) {
    Volume volume;
    const std::vector<VOLUME> box{BoxVolume({-1, -1, -10}, {1, 1, -8})};
    ExpectPoint(volume.Distance({0, 50, 0}, {0, 0, -1}, box), 0, 0, 0);
    ExpectPoint(volume.Distance({0, 1, 0}, {0, 0, -1}, box), 0, 1, -8);  // grazing the top face
    // Only an exact zero is parallel: a ray a degree off the axis, starting
    // beside the box, still climbs into it.
    ExpectPoint(volume.Distance({0, -1.1f, 0}, {0, 0.02f, -1}, box), 0, -0.94f, -8);
}

TEST_F(VolumeDistance, ZeroedAndEmptyRecordsBehaveAsWritten) {
    Volume volume;
    // A record never computed is a point box at the origin.
    const std::vector<VOLUME> zeroed{VOLUME{}};
    // Nothing is strictly inside a point.
    EXPECT_EQ((std::vector<bool>{volume.Collision(zeroed, {BoxVolume({-1, -1, -1}, {1, 1, 1})}),
                                 volume.Collision(zeroed, {BoxVolume({1, 1, 1}, {2, 2, 2})}), volume.Intersect({0, 0, 0}, 0, zeroed),
                                 volume.Cross({0, 0, 0}, {0, 0, 0}, zeroed)}),
              (std::vector<bool>{true, false, true, false}));
    // An owner that drew nothing keeps the empty box, which nothing overlaps.
    const std::vector<VOLUME> empty{EmptyVolume()};
    EXPECT_FALSE(volume.Collision(empty, {BoxVolume({-100, -100, -100}, {100, 100, 100})}) ||
                 volume.Intersect({0, 0, 0}, 1000, empty) || volume.Cross({-10, 0, 0}, {10, 0, 0}, empty));
    ExpectPoint(volume.Distance({0, 0, 100}, {0, 0, -1}, empty), 0, 0, 0);
}
