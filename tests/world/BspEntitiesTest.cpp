// The entity text parser and the lightmap brightening, on text and texels.
#include <gtest/gtest.h>

#include "world/BspEntities.h"
#include "world/BspLightmaps.h"
#include "support/TestSupport.h"

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
    EXPECT_TRUE(test::FloatsEq({e.Origin.x, e.Origin.y, e.Origin.z, e.Health, e.Speed, e.Wait}, {30, 20, 10, 5, 2.5f, -1}));
    EXPECT_NEAR(e.Angle, 0, 1e-12);
    EXPECT_EQ((std::vector<std::string>{e.ClassName, e.Model, e.Message, e.Noise, e.Target, e.Team}),
              (std::vector<std::string>{"info_player_start", "*1", "hi there", "n.wav", "t1", "red"}));
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
    EXPECT_EQ(std::pair(b.ClassName, b.Target), std::pair(std::string("b"), std::string("t1")));
    EXPECT_TRUE(test::FloatsEq({b.Origin.x, b.Speed, b.Wait, b.Health}, {0, 0, 0, 0}));
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
