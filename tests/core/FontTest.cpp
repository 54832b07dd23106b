#include <algorithm>
#include <gtest/gtest.h>

#include "core/Services.h"
#include "core/TextMetrics.h"
#include "korvath/Font.h"
#include "platform/FontFace.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

using namespace korvath;
using platform::FontRequest;
using platform::GlyphBitmap;
using platform::RasteriseFont;

namespace {

int InkOf(const GlyphBitmap& glyph) {
    int ink = 0;
    for (uint8_t byte : glyph.Bits) ink += __builtin_popcount(byte);
    return ink;
}

// Heights above the baseline of the rows inked across the whole cell.
std::vector<int> RuledRows(const GlyphBitmap& glyph) {
    std::vector<int> rows;
    const int stride = (glyph.Width + 7) / 8;
    for (int row = 0; row < glyph.Rows; ++row) {
        int ink = 0;
        for (int x = 0; x < glyph.Width; ++x)
            ink += (glyph.Bits[static_cast<size_t>(row * stride + x / 8)] >> (7 - x % 8)) & 1;
        if (ink >= glyph.Advance) rows.push_back(row - static_cast<int>(glyph.OriginY));
    }
    return rows;
}

bool HasInk(const std::vector<uint8_t>& rgba) {
    for (size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] > 40 || rgba[i + 1] > 40 || rgba[i + 2] > 40) return true;
    return false;
}

}  // namespace

TEST(FontFace, CourierNewIsAMetricTwinInTheAskedStyle) {
    platform::FontGlyphs font = RasteriseFont({"Courier New", 15, true, false, false, false});
    ASSERT_TRUE(font.Found);
    EXPECT_NE(font.File.find("LiberationMono-Bold."), std::string::npos) << font.File;
    EXPECT_NEAR(font.Height, 15, 1);
    ASSERT_EQ(font.Glyphs.size(), 256u);
    // Fixed pitch across letters, blanks, control codes and the upper half.
    const int32_t advance = font.Glyphs['M'].Advance;
    EXPECT_GT(advance, 5);
    for (int code : {32, 'i' + 0, 'W' + 0, 0, 9, 0x80, 0xE9, 0xFF}) EXPECT_EQ(font.Glyphs[code].Advance, advance) << code;
    EXPECT_GT(InkOf(font.Glyphs['W']), 10);
    EXPECT_GT(InkOf(font.Glyphs[0x80]), 5);  // the euro sign of the ANSI code page
    EXPECT_EQ(InkOf(font.Glyphs[' ']) + InkOf(font.Glyphs[7]), 0);  // nor have control codes a picture

    platform::FontGlyphs italic = RasteriseFont({"Courier New", 15, false, true, false, false});
    EXPECT_NE(italic.File.find("LiberationMono-Italic."), std::string::npos) << italic.File;
}

TEST(FontFace, UnderlineAndStrikeoutRuleEveryCharacterCell) {
    platform::FontGlyphs under = RasteriseFont({"Courier New", 20, false, false, true, false});
    platform::FontGlyphs strike = RasteriseFont({"Courier New", 20, false, false, false, true});
    ASSERT_TRUE(under.Found && strike.Found);
    // A blank is nothing but the rule: whole rows across the cell, under the baseline
    // for the underline, above it (below mid-height) for the strikeout.
    const std::vector<int> underRows = RuledRows(under.Glyphs[' ']);
    ASSERT_FALSE(underRows.empty());
    for (int y : underRows) EXPECT_LT(y, 0);
    const std::vector<int> strikeRows = RuledRows(strike.Glyphs[' ']);
    ASSERT_FALSE(strikeRows.empty());
    for (int y : strikeRows) EXPECT_TRUE(y > 0 && y < strike.Height / 2) << y;
    // Letters carry the same rule.
    EXPECT_EQ(RuledRows(under.Glyphs['x']), underRows);
}

TEST(FontFace, MissingStylesAreSynthesised) {
    platform::FontGlyphs regular = RasteriseFont({"DejaVu Math TeX Gyre", 30, false, false, false, false});
    if (regular.File.find("DejaVuMath") == std::string::npos) GTEST_SKIP() << "no single-style face here";
    platform::FontGlyphs bold = RasteriseFont({"DejaVu Math TeX Gyre", 30, true, false, false, false});
    platform::FontGlyphs slanted = RasteriseFont({"DejaVu Math TeX Gyre", 30, false, true, false, false});
    EXPECT_EQ(bold.File, regular.File);
    EXPECT_GT(InkOf(bold.Glyphs['I']), InkOf(regular.Glyphs['I']) + 10);
    EXPECT_NE(slanted.Glyphs['I'].Bits, regular.Glyphs['I'].Bits);
}

TEST(FontFace, OddSizesStayBounded) {
    for (int32_t size : {0, -12, 1, 100000, -100000}) {
        platform::FontGlyphs font = RasteriseFont({"Courier New", size, false, false, false, false});
        ASSERT_TRUE(font.Found) << size;
        EXPECT_TRUE(font.Height > 0 && font.Height <= 1024) << size << ": " << font.Height;
    }
}

namespace {

class FontDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.initialized());
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    test::OffscreenEngine gl_{640, 480};
};

}  // namespace

TEST_F(FontDrawing, TextLandsAtItsCoordinatesAndMeasuresAsDrawn) {
    while (glGetError() != GL_NO_ERROR) {
    }
    Font font;
    font.Load("Courier New", 20, false, false, false, false);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));  // blank glyphs record cleanly too
    // x 50.5 is the middle column; y 51 puts the baseline 3 % under the middle row.
    font.Render("HH", 50.5f, 51, 0, 1, 0, 1);
    const int32_t width = MeasureText("HH").Width;
    EXPECT_EQ(width, 2 * MeasureText("H").Width);
    const int baseline = 240 - static_cast<int>(0.03 * 240 + 0.5);
    const std::vector<uint8_t> text = test::ReadPixels(320, baseline + 1, width, 8);
    EXPECT_TRUE(HasInk(text) && std::any_of(text.begin(), text.end(), [](uint8_t v) { return v == 255; }));
    EXPECT_FALSE(HasInk(test::ReadPixels(320 + width + 2, baseline - 4, 40, 20)) ||
                 HasInk(test::ReadPixels(260, baseline - 4, 58, 20)));
}

TEST_F(FontDrawing, EmptyTextChangesNoState) {
    Font font;
    font.Load("Courier New", 15, false, false, false, false);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glColor4f(0.25f, 0.5f, 0.75f, 1);
    glMatrixMode(GL_PROJECTION);
    font.Render("", 1, 1);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_EQ(test::GLIntegers({GL_MATRIX_MODE})[0], GL_PROJECTION);
    EXPECT_EQ(test::GLEnabled({GL_DEPTH_TEST, GL_LIGHTING}), (std::vector<bool>{false, true}));
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(FontDrawing, Code255RunsNoListOfAnotherOwner) {
    Font font;
    font.Load("Courier New", 15, false, false, false, false);
    // The list right after the font's 255 belongs to someone else and draws a block.
    const GLuint foreign = static_cast<GLuint>(font.ListBase()) + 255;
    ASSERT_FALSE(glIsList(foreign));
    std::vector<uint8_t> block(64 * 8, 0xFF);
    glNewList(foreign, GL_COMPILE);
    glBitmap(64, 64, 0, 0, 0, 0, block.data());
    glEndList();

    font.Render("\xff\xff", 50.5f, 51);
    EXPECT_FALSE(HasInk(test::ReadPixels(300, 200, 100, 100)));
    font.Render("\xff" "A\xff", 50.5f, 51);  // the characters around it still draw
    EXPECT_TRUE(HasInk(test::ReadPixels(300, 200, 100, 100)));
    glDeleteLists(foreign, 1);

    // A font that was never loaded has no lists and draws nothing.
    Font unloaded;
    glClear(GL_COLOR_BUFFER_BIT);
    unloaded.Render("ABC", 50.5f, 51);
    EXPECT_FALSE(HasInk(test::ReadPixels(300, 200, 100, 100)));
}

TEST_F(FontDrawing, ReloadingReleasesTheOldLists) {
    Font font;
    font.Load("Courier New", 15, false, false, false, false);
    const GLuint first = static_cast<GLuint>(font.ListBase());
    ASSERT_TRUE(glIsList(first + 254));
    font.Load("Courier New", 30, true, false, false, false);
    EXPECT_FALSE(glIsList(first) || glIsList(first + 254));
    EXPECT_TRUE(glIsList(static_cast<GLuint>(font.ListBase())));
    // The font made last is the one text is measured in.
    EXPECT_NEAR(MeasureText(" ").Height, 30, 1);
    EngineFont().Load("Courier New", 15, true, false, false, false);
}
