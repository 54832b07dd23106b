#include <gtest/gtest.h>

#include "materials/MaterialScripts.h"
#include "materials/ScriptText.h"

using namespace korvath;

// Field input: blanks before a field are skipped, a field ends at a comma or a
// line break of any kind, a quoted field ends at its quote.
TEST(ShaderText, FieldsEndAtCommasAndLineBreaks) {
    ScriptText text("  textures/a\r\n{ x,  y  \n\"quoted, text\" rest,z\rlast");
    EXPECT_EQ(text.NextField(), "textures/a");
    EXPECT_EQ(text.NextField(), "{ x");
    EXPECT_EQ(text.NextField(), "y");
    EXPECT_EQ(text.NextField(), "quoted, text");
    EXPECT_EQ(text.NextField(), "z");
    EXPECT_EQ(text.NextField(), "last");
    EXPECT_TRUE(text.AtEnd());
    EXPECT_EQ(text.NextField(), "");
}

TEST(ShaderText, LinesDropTheirLineBreak) {
    ScriptText text("one\r\ntwo\r\n\r\nthree\nfour\rfive");
    for (const char* expected : {"one", "two", "", "three", "four", "five"}) EXPECT_EQ(text.NextLine(), expected);
    EXPECT_TRUE(text.AtEnd());
}

TEST(ShaderText, NormalFormDeletesTabsLowersAndFoldsBlanks) {
    EXPECT_EQ(NormaliseLine("\t\tMap\tTextures/A.TGA  "), "maptextures/a.tga");
    EXPECT_EQ(NormaliseLine("  tcMod   scroll \t 0.5    -1 "), "tcmod scroll 0.5 -1");
    EXPECT_EQ(NormaliseLine(" \t "), "");
    EXPECT_EQ(RestAfter("cull none", "cull"), "none");
    EXPECT_EQ(RestAfter("cull", "cull"), "");
    EXPECT_EQ(SplitBlanks("a bb c").size(), 3u);
}

TEST(ShaderText, NumbersConvertWholeTokensOnly) {
    EXPECT_FLOAT_EQ(ToSingle("-0.25").value(), -0.25f);
    EXPECT_FLOAT_EQ(ToSingle(".5").value(), 0.5f);
    EXPECT_FLOAT_EQ(ToSingle("+2").value(), 2.0f);
    for (const char* bad : {"", "1x", "nan", "inf", "1e40", "--1"}) EXPECT_FALSE(ToSingle(bad)) << bad;
    EXPECT_EQ(ToLong("2.5").value(), 2);
    EXPECT_EQ(ToLong("3.5").value(), 4);
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
