#include <gtest/gtest.h>

#include "materials/MaterialScripts.h"
#include "materials/ScriptText.h"

using namespace korvath;

// Field input: blanks before a field are skipped, a field ends at a comma or a
// line break of any kind, a quoted field ends at its quote.
TEST(ShaderText, FieldsEndAtCommasAndLineBreaks) {
    ScriptText text("  textures/a\r\n{ x,  y  \n\"quoted, text\" rest,z\rlast");
    for (const char* expected : {"textures/a", "{ x", "y", "quoted, text", "z", "last"}) EXPECT_EQ(text.NextField(), expected);
    EXPECT_TRUE(text.AtEnd());
    EXPECT_EQ(text.NextField(), "");
}

TEST(ShaderText, LinesDropTheirLineBreak) {
    ScriptText text("one\r\ntwo\r\n\r\nthree\nfour\rfive");
    for (const char* expected : {"one", "two", "", "three", "four", "five"}) EXPECT_EQ(text.NextLine(), expected);
    EXPECT_TRUE(text.AtEnd());
}

TEST(ShaderText, NormalFormDeletesTabsLowersAndFoldsBlanks) {
    for (const auto& [line, normal] : {std::pair{"\t\tMap\tTextures/A.TGA  ", "maptextures/a.tga"},
                                       {"  tcMod   scroll \t 0.5    -1 ", "tcmod scroll 0.5 -1"}, {" \t ", ""}})
        EXPECT_EQ(NormaliseLine(line), normal) << line;
    EXPECT_EQ(RestAfter("cull none", "cull"), "none");
    EXPECT_EQ(RestAfter("cull", "cull"), "");
    EXPECT_EQ(SplitBlanks("a bb c").size(), 3u);
}

TEST(ShaderText, NumbersConvertWholeTokensOnly) {
    for (const auto& [token, value] : {std::pair{"-0.25", -0.25f}, {".5", 0.5f}, {"+2", 2.0f}})
        EXPECT_FLOAT_EQ(ToSingle(token).value(), value) << token;
    for (const char* bad : {"", "1x", "nan", "inf", "1e40", "--1"}) EXPECT_FALSE(ToSingle(bad)) << bad;
    EXPECT_EQ(std::pair(ToLong("2.5").value(), ToLong("3.5").value()), std::pair(2, 4));
    EXPECT_FALSE(ToLong("3000000000"));
}

// The search finds the first field equal to the name or to the script path, and
// the block starts on the line after it; the empty name matches nothing.
TEST(ShaderText, IndexFindsTheFirstMatchingField) {
    const ScriptIndex index("textures/b {\r\ntextures/a\r\nfirst\r\ntextures/a\r\nsecond\r\n,,\r\nscripts/x.shader\r\nthird");
    const std::string_view text = index.Text();
    EXPECT_EQ(ScriptText(text, index.BlockStart("textures/a", "none")).NextLine(), "first");
    EXPECT_EQ(ScriptText(text, index.BlockStart("absent", "scripts/x.shader")).NextLine(), "third");
    EXPECT_EQ(index.BlockStart("textures/b", "none"), std::string_view::npos);
    EXPECT_EQ(index.BlockStart("", "none"), std::string_view::npos);
}
