// The parts of the sky box a level's sky faces show: a small face straight
// ahead shows a small part of one side, a ceiling over the eye the whole top
// and the upper part of every wall.
#include <gtest/gtest.h>

#include "materials/SurfaceBits.h"
#include "world/SkyBounds.h"

namespace korvath::test {
namespace {

// A level of one collected triangle per entry of corners (file axes), drawn
// with a sky material unless told otherwise.
Level TriangleLevel(const std::vector<std::array<VECTOR3, 3>>& triangles, int32_t flags = kSurfaceSky) {
    Level level;
    level.Materials.resize(1);
    level.Materials[0].SurfaceFlags = flags;
    for (const auto& corners : triangles) {
        BspFace face;
        face.Type = kFacePolygon;
        face.FirstVertex = static_cast<int32_t>(level.Vertices.size());
        face.VertexCount = 3;
        face.FirstMeshVertex = static_cast<int32_t>(level.MeshVertices.size());
        face.MeshVertexCount = 3;
        for (int i = 0; i < 3; ++i) {
            BspVertex v;
            v.Position = ToYUp(corners[static_cast<size_t>(i)]);
            level.Vertices.push_back(v);
            level.MeshVertices.push_back(i);
        }
        level.FirstList.push_back(static_cast<int32_t>(level.Faces.size()));
        level.Faces.push_back(face);
    }
    level.FirstCount = static_cast<int32_t>(level.Faces.size());
    return level;
}

constexpr float kMargin = 1.0f / 32;
constexpr int kBack = 1, kUp = 4, kDown = 5;  // rt (file +x) bk (-x) lf (+y) ft (-y) up dn

TEST(SkyBounds, AFaceAheadShowsPartOfOneSide) {
    // 100 along file -x (the back side), y from -10 to 10, z from -5 to 20.
    const Level level = TriangleLevel({{VECTOR3{-100, -10, -5}, {-100, 10, -5}, {-100, 0, 20}}});
    const SkyRanges ranges = SkyFaceRanges(level, {});
    for (int side = 0; side < 6; ++side) EXPECT_EQ(ranges[static_cast<size_t>(side)].Seen, side == kBack) << side;
    const SkySideRange& back = ranges[kBack];
    EXPECT_NEAR(back.Min[0], -0.1f - kMargin, 1e-5);
    EXPECT_NEAR(back.Max[0], 0.1f + kMargin, 1e-5);
    EXPECT_NEAR(back.Min[1], -0.05f - kMargin, 1e-5);
    EXPECT_NEAR(back.Max[1], 0.2f + kMargin, 1e-5);

    // The same face seen from beside it moves across the side; from behind it
    // (the eye past the face) it lies on the side facing file +x instead.
    const SkyRanges moved = SkyFaceRanges(level, ToYUp({0, 10, 0}));
    EXPECT_NEAR(moved.at(kBack).Min[0], -0.2f - kMargin, 1e-5);
    const SkyRanges behind = SkyFaceRanges(level, ToYUp({-200, 0, 0}));
    EXPECT_FALSE(behind.at(kBack).Seen);
    EXPECT_TRUE(behind.at(0).Seen);
}

TEST(SkyBounds, ACeilingShowsTheTopAndTheWallsAboveTheHorizon) {
    // A square at z = 50 over the eye, out to 1000 on every side.
    const Level level = TriangleLevel({{VECTOR3{-1000, -1000, 50}, {1000, -1000, 50}, {1000, 1000, 50}},
                                       {VECTOR3{-1000, -1000, 50}, {1000, 1000, 50}, {-1000, 1000, 50}}});
    const SkyRanges ranges = SkyFaceRanges(level, {});
    const SkySideRange& up = ranges[kUp];
    ASSERT_TRUE(up.Seen);
    EXPECT_EQ((std::vector<float>{up.Min[0], up.Min[1], up.Max[0], up.Max[1]}), (std::vector<float>{-1, -1, 1, 1}));
    EXPECT_FALSE(ranges[kDown].Seen);
    for (int side = 0; side < 4; ++side) {
        const SkySideRange& wall = ranges[static_cast<size_t>(side)];
        ASSERT_TRUE(wall.Seen) << side;
        // Each wall's edge of the square is 1000 away and 50 up: nothing below t = 0.05.
        EXPECT_NEAR(wall.Min[1], 0.05f - kMargin, 1e-4) << side;
        EXPECT_EQ(wall.Max[1], 1) << side;
    }
}

TEST(SkyBounds, OnlySkyFacesCount) {
    const Level walls = TriangleLevel({{VECTOR3{-100, -10, -5}, {-100, 10, -5}, {-100, 0, 20}}}, 0);
    for (const SkySideRange& side : SkyFaceRanges(walls, {})) EXPECT_FALSE(side.Seen);
    // A sky face that is a point or passes through the eye adds nothing it cannot place.
    const Level through = TriangleLevel({{VECTOR3{0, 0, 0}, {0, 0, 0}, {-100, 0, 0}}});
    const SkyRanges ranges = SkyFaceRanges(through, {});
    EXPECT_TRUE(ranges[kBack].Seen);
    EXPECT_LE(ranges[kBack].Max[0] - ranges[kBack].Min[0], 2 * kMargin + 1e-5);
}

}  // namespace
}  // namespace korvath::test
