// The animation table of MD3 characters, as real tables are written.
#include <array>
#include <climits>

#include "korvath/MD3.h"
#include "models/Md3AnimationTable.h"
#include "models/ModelTestSupport.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

// count entries "10 × i, 5, 0, 20" joined by end, entry 6 and 13 as given.
std::string Table(size_t count, const std::string& end = "\n", const std::string& six = "",
                  const std::string& thirteen = "") {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        const std::string line = std::to_string(10 * i) + "\t5\t0\t20";
        text += (i == 6 && !six.empty() ? six : i == 13 && !thirteen.empty() ? thirteen : line) + end;
    }
    return text;
}

std::array<int32_t, 3> Row(const MD3_ANIMATION& a) { return {a.FirstFrame, a.NumFrames, a.FrameRate}; }

TEST(Md3AnimationTable, ReadsNumbersAndSkipsEverythingElse) {
    struct Case {
        const char* what;
        std::string text;
        bool read;
        size_t entries;
    };
    const Case cases[] = {
        {"LF", Table(25), true, 25},
        {"CRLF and no last end", Table(24, "\r\n") + "240\t5\t0\t20", true, 25},
        {"comments, sex, footsteps, headoffset, fixed lines",
         "// animation config file\r\nsex\tm\r\n\r\nfootsteps\tboot\r\nheadoffset 0 0 0\r\nfixedtorso\r\n"
         "fixedlegs\r\n" + Table(25, "\t\t// a comment\r\n"),
         true, 25},
        {"blanks between fields", "0 5 0 20\n" + Table(13), true, 14},
        {"13 entries", Table(13), false, 13},
        {"non-numeric lines", "a\tb\tc\td\n" + Table(13) + "1\t2\tx\t4\n5\t6\t7\n", false, 13},
        {"a number out of range", Table(13) + "99999999999\t5\t0\t20\n", false, 13},
        {"empty", "", false, 0},
    };
    for (const Case& c : cases) {
        std::vector<MD3_ANIMATION> table;
        EXPECT_EQ(ParseAnimationTable(c.text, table), c.read) << c.what;
        EXPECT_EQ(table.size(), c.entries) << c.what;
    }
}

TEST(Md3AnimationTable, TabLineWithCommentGivesTheEntryReducedByOne) {
    std::vector<MD3_ANIMATION> table;
    ASSERT_TRUE(ParseAnimationTable("0\t30\t0\t25\t\t// BOTH_DEATH1\n" + Table(24), table));
    EXPECT_EQ(Row(table[0]), (std::array<int32_t, 3>{0, 29, 25}));
    EXPECT_EQ(table[1].NumFrames, 4);  // every count above 1 loses one
}

TEST(Md3AnimationTable, LegsEntriesMoveByTheGapAfterTheTorso) {
    std::vector<MD3_ANIMATION> table;
    ASSERT_TRUE(ParseAnimationTable(Table(25, "\n", "90\t5\t0\t20", "153\t1\t0\t20"), table));
    // The torso stays; one frame stays one.
    EXPECT_EQ((std::vector<int32_t>{table[6].FirstFrame, table[12].FirstFrame, table[13].FirstFrame, table[13].NumFrames}),
              (std::vector<int32_t>{90, 120, 90, 1}));
    for (size_t i = 14; i < 25; ++i) EXPECT_EQ(table[i].FirstFrame, static_cast<int32_t>(10 * i) - 63) << i;
}

TEST(Md3AnimationTable, AbsurdFramesSaturateInsteadOfWrapping) {
    std::vector<MD3_ANIMATION> table;
    ASSERT_TRUE(ParseAnimationTable(Table(25, "\n", "-2147483648\t5\t0\t20", "2147483647\t5\t0\t20"), table));
    // 2147483647 - (2147483647 + 2147483648)
    EXPECT_EQ(std::pair(table[13].FirstFrame, table[14].FirstFrame), std::pair(INT32_MIN, INT32_MIN));
}

class Md3AnimationTableLoad : public LoggedEngineTest {};

TEST_F(Md3AnimationTableLoad, CorpusTableAfterMovingAndReducing) {
    MD3 player;
    player.LoadAnimationTable(CorpusPath("q3/models/players/tony/animation.cfg"));
    EXPECT_EQ(NewLogLines(), (Lines{"MD3: Loading Animation Table animation.cfg", "MD3: Loaded Successfully", ""}));
    // First frame, frames and rate of the 25 entries; the legs moved by 96 - 95.
    const int32_t expected[25][3] = {
        {0, 28, 15},   {28, 1, 30},   {30, 15, 10},  {46, 1, 30},   {64, 25, 15},  {89, 1, 30},   {95, 36, 13},
        {130, 5, 15},  {138, 5, 15},  {144, 4, 20},  {149, 3, 20},  {165, 1, 5},   {154, 1, 6},   {95, 5, 12},
        {124, 7, 15},  {116, 7, 12},  {105, 7, 12},  {145, 7, 12},  {155, 2, 15},  {158, 7, 20},  {174, 4, 15},
        {178, 4, 20},  {185, 14, 12}, {213, 9, 15},  {228, 4, 15},
    };
    const std::vector<MD3_ANIMATION> table = player.Animations();
    ASSERT_EQ(table.size(), 25u);
    for (size_t i = 0; i < 25; ++i) EXPECT_EQ(Row(table[i]), (std::array<int32_t, 3>{expected[i][0], expected[i][1], expected[i][2]})) << i;
}

TEST_F(Md3AnimationTableLoad, ShortOrMissingTableFails) {
    MD3 player;
    const std::string text = Table(13);
    player.LoadAnimationTable(WriteModel("short.cfg", {text.begin(), text.end()}));
    player.LoadAnimationTable("missing.cfg");
    EXPECT_EQ(NewLogLines(), (Lines{"MD3: Loading Animation Table short.cfg", "MD3: Loading Failed...", "",
                                    "MD3: Loading Animation Table missing.cfg", "MD3: Loading Failed...", ""}));
    EXPECT_TRUE(player.Animations().empty());
}

}  // namespace
}  // namespace korvath::test
