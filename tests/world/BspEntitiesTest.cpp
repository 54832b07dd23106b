// The entity text parser and the lightmap brightening, on text and texels.
#include <gtest/gtest.h>

#include "world/BspEntities.h"
#include "world/BspLightmaps.h"

namespace korvath {
namespace {

TEST(BspEntities, FillsKnownKeysAndReversesTheOrigin) {
    const std::vector<ENTITY> entities = ParseEntities(
        "{\n\"classname\" \"info_player_start\"\n\"origin\" \"10 20 30\"\n\"angle\" \"-1.40334e-014\"\n"
        "\"health\" \"5\"\n\"speed\" \"2.5\"\n\"wait\" \"-1\"\n\"model\" \"*1\"\n\"message\" \"hi there\"\n"
        "\"noise\" \"n.wav\"\n\"target\" \"t1\"\n\"team\" \"red\"\n\"music\" \"m.ogg\"\n}\n"
        "{\n\"classname\" \"light\"\n}\n");
    ASSERT_EQ(entities.size(), 2u);
    const ENTITY& e = entities[0];
    EXPECT_EQ(e.ClassName, "info_player_start");
    EXPECT_FLOAT_EQ(e.Origin.x, 30);
    EXPECT_FLOAT_EQ(e.Origin.y, 20);
    EXPECT_FLOAT_EQ(e.Origin.z, 10);
    EXPECT_NEAR(e.Angle, 0, 1e-12);
    EXPECT_FLOAT_EQ(e.Health, 5);
    EXPECT_FLOAT_EQ(e.Speed, 2.5f);
    EXPECT_FLOAT_EQ(e.Wait, -1);
    EXPECT_EQ(e.Model, "*1");
    EXPECT_EQ(e.Message, "hi there");
    EXPECT_EQ(e.Noise, "n.wav");
    EXPECT_EQ(e.Target, "t1");
    EXPECT_EQ(e.Team, "red");
    EXPECT_EQ(entities[1].ClassName, "light");
    EXPECT_FLOAT_EQ(entities[1].Origin.x, 0);
}

TEST(BspEntities, IgnoresTheTextAfterTheLastLineFeed) {
    EXPECT_EQ(ParseEntities("{\n\"classname\" \"a\"\n}").size(), 0u);
    EXPECT_EQ(ParseEntities("{\n\"classname\" \"a\"\n}\n").size(), 1u);
}

// Keys are matched whole ("angles" is not "angle", "targetname" not "target"),
// and a value that does not parse drops that key alone: the entities after it
// survive, as real levels need for their spawn points.
TEST(BspEntities, KeysMatchWholeAndABadValueDropsOnlyItsKey) {
    const std::vector<ENTITY> entities = ParseEntities(
        "{\n\"classname\" \"a\"\n\"angle\" \"45\"\n\"angles\" \"0 90 0\"\n\"targetname\" \"t1\"\n}\n"
        "{\n\"classname\" \"b\"\n\"origin\" \"1 2\"\n\"speed\" \"fast\"\n\"wait\" \"0x10\"\n\"wait\" \"inf\"\n"
        "\"health\" \"\"\n\"target\" \"t1\"\n}\n{\n\"classname\" \"c\"\n}\n");
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_FLOAT_EQ(entities[0].Angle, 45);
    EXPECT_EQ(entities[0].Target, "");
    const ENTITY& b = entities[1];
    EXPECT_EQ(b.ClassName, "b");
    EXPECT_FLOAT_EQ(b.Origin.x, 0);
    EXPECT_FLOAT_EQ(b.Speed, 0);
    EXPECT_FLOAT_EQ(b.Wait, 0);
    EXPECT_FLOAT_EQ(b.Health, 0);
    EXPECT_EQ(b.Target, "t1");
    EXPECT_EQ(entities[2].ClassName, "c");
}

// Level tools leave blank lines (and stray short ones) inside blocks: they are
// not key lines, and the keys around them still count.
TEST(BspEntities, BlankLinesInsideABlockAreNoKeyLines) {
    const std::vector<ENTITY> entities =
        ParseEntities("{\n\n\"classname\" \"a\"\n\"\n\r\n\"angle\" \"90\"\n}\n{\n\n}\n");
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0].ClassName, "a");
    EXPECT_FLOAT_EQ(entities[0].Angle, 90);
}

TEST(BspEntities, StrayBracesAndKeysOutsideBlocksMakeNoEntities) {
    const std::vector<ENTITY> entities =
        ParseEntities("\"classname\" \"loose\"\n}\n}\n}\n{\n\"classname\" \"only\"\n}\n}\n{\n\"classname\" \"open\"\n");
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_EQ(entities[0].ClassName, "only");
}

TEST(BspLightmaps, BrightensTexelsAndKeepsTheHueOfBrightOnes) {
    const std::vector<uint8_t> written = {10, 20, 30, 0, 0, 0, 86, 0, 0, 255, 255, 255, 120, 40, 0};
    std::vector<uint8_t> texels = written;
    BrightenLightmap(texels.data(), texels.size() / 3, kLightmapBrightness);
    EXPECT_EQ(texels, (std::vector<uint8_t>{30, 60, 90, 1, 1, 1, 255, 1, 1, 255, 255, 255, 255, 85, 1}));
    texels = written;
    BrightenLightmap(texels.data(), texels.size() / 3, kOverbrightBrightness);
    EXPECT_EQ(texels, (std::vector<uint8_t>{40, 80, 120, 1, 1, 1, 255, 1, 1, 255, 255, 255, 255, 85, 1}));
}

}  // namespace
}  // namespace korvath
