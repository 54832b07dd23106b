#include <gtest/gtest.h>

#include "core/ConsoleFixture.h"
#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/FrameTiming.h"
#include "core/LoadingScreen.h"
#include "core/Math.h"
#include "core/TextMetrics.h"
#include "core/Version.h"
#include "engine/ConsoleText.h"
#include "input/KeyboardService.h"

using namespace korvath;
using korvath::test::IsInk;
using korvath::test::IsRed;
using korvath::test::IsWhite;

namespace {

class Overlay : public test::ConsoleScreen {
protected:
    static std::vector<uint8_t> Pixel(int x, int y) { return test::ReadPixels(x, y, 1, 1); }
};

}  // namespace

TEST_F(Overlay, LoadingScreenWithHalfBar) {
    EngineKeyboard().Buffer("MAP E1M1");
    ShowLoadStatus("BSP: Loading Faces...", false, 0.5f, false);
    DrawOverlay();
    Screenshot("overlay-half-bar.png");

    // The bar runs along the bottom edge, 12 rows (2.5 %) high, over the left half.
    EXPECT_TRUE(IsWhite(Pixel(5, 5).data()) && IsWhite(Pixel(318, 11).data()));
    EXPECT_FALSE(IsInk(Pixel(322, 5).data()) || IsInk(Pixel(318, 12).data()));
    // The status line is the newest console line; the input line waits for the load.
    EXPECT_GT(CountInk(96, IsWhite), 20);
    EXPECT_EQ(CountInk(99, IsInk, 330, test::kScreenWidth), 0);
    EXPECT_EQ(ConsoleData().Lines.back().Text, "BSP: Loading Faces...");

    ShowLoadStatus("BSP: Loading Lightmaps...", false, 2.5f, false);
    EXPECT_EQ(Loading().Progress, 1.0f);
    DrawOverlay();
    EXPECT_TRUE(IsWhite(Pixel(638, 5).data()));

    ShowLoadStatus("", false, 0, false);
    DrawOverlay();
    EXPECT_FALSE(IsInk(Pixel(400, 3).data()));
    EXPECT_GT(CountInk(99, IsWhite), 20);  // the input line is back
}

TEST_F(Overlay, ConsoleWithRedAndWhiteLinesAndCaret) {
    console.Update("Engine: Success");
    console.Update("BSP: * Missing Texture textures/base_wall/c_met5_2", true);
    EngineKeyboard().Buffer("MAP E1M1");
    DrawOverlay();
    Screenshot("overlay-console.png");

    // The newest line red, the line before it white.
    EXPECT_TRUE(CountInk(96, IsRed) > 40 && CountInk(93, IsWhite) > 40);
    EXPECT_EQ(CountInk(96, IsWhite) + CountInk(93, IsRed), 0);
    EXPECT_EQ(ConsoleData().InputText, "MAP E1M1");
    EXPECT_GT(CountInk(99, IsWhite), 40);

    // The caret sits on the baseline in the column after the text.
    const int32_t column = MeasureText("MAP E1M1").Width;
    const int left = static_cast<int>(test::kScreenWidth / 101.0) + column;
    std::vector<uint8_t> caretRows = test::ReadPixels(left, 0, MeasureText("_").Width, 8);
    int caret = 0;
    for (size_t i = 0; i < caretRows.size(); i += 4) caret += IsWhite(&caretRows[i]) ? 1 : 0;
    EXPECT_GT(caret, 3);
    EXPECT_EQ(EngineKeyboard().Cursor(), std::string(8, ' ') + "_");
}

TEST_F(Overlay, VersionLineAtTheTopLeft) {
    DrawOverlay();
    EXPECT_EQ(CountInk(1, IsInk), 0);
    ConsoleData().ShowVersion = true;
    DrawOverlay();
    Screenshot("overlay-version.png");
    const int width = MeasureText(VersionText()).Width;
    EXPECT_GT(CountInk(1, IsWhite, 0, 6 + width), 60);
    EXPECT_EQ(CountInk(1, IsInk, 8 + width, test::kScreenWidth), 0);
}

TEST_F(Overlay, FadeCurtainHalfWay) {
    glClearColor(1, 1, 1, 1);
    Timing().FadeOut = true;  // closing: the curtain grows with the level
    Timing().FadeLevel = 0.5f;
    DrawOverlay();
    Screenshot("overlay-fade-half.png");
    EXPECT_NEAR(Pixel(320, 240)[0], 128, 3);

    Timing().FadeLevel = 0.25f;
    DrawOverlay();
    EXPECT_NEAR(Pixel(320, 240)[0], 191, 3);

    Timing().FadeOut = false;  // opening: the curtain thins as the level grows
    DrawOverlay();
    EXPECT_NEAR(Pixel(320, 240)[0], 64, 3);

    // No curtain while the intro plays its own fades.
    Timing().IntroDone = false;
    DrawOverlay();
    EXPECT_EQ(Pixel(320, 240)[0], 255);
    Timing().IntroDone = true;

    // A textured curtain is drawn in white light over the picture.
    GLuint texture = 0;
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    SHADER curtain;
    curtain.Stages.resize(1);
    curtain.Stages[0].Textures[0] = static_cast<int32_t>(texture);
    console.Background(curtain);
    glClearColor(0, 0, 0, 1);
    Timing().FadeOut = true;
    Timing().FadeLevel = 0.5f;
    DrawOverlay();
    EXPECT_NEAR(Pixel(320, 240)[0], 128, 3);
    console.Background(SHADER());
    glDeleteTextures(1, &texture);
    Timing().FadeLevel = 1;
    Timing().FadeOut = false;
}

TEST_F(Overlay, TwentyLinesShowTheNewestTwelve) {
    for (int i = 1; i <= 20; ++i) console.Update("Engine: line " + std::to_string(i), i == 20);
    ASSERT_EQ(ConsoleData().LineCount, 20);
    DrawOverlay();
    Screenshot("overlay-twenty-lines.png");
    EXPECT_GT(CountInk(96, IsRed), 20);
    for (int row = 0; row < 11; ++row) EXPECT_GT(CountInk(93.0f - 3 * row, IsWhite), 20) << row;
    EXPECT_EQ(CountInk(60, IsInk) + CountInk(57, IsInk), 0);
}

TEST_F(Overlay, StatusLinesEnterTheConsoleOnceEach) {
    console.Update("MD2: Loading models/tris.md2");
    console.Update("MD2: Loading models/tris.md2");
    EXPECT_EQ(ConsoleData().LineCount, 1);
    console.Update("MD2: Success");
    console.Update("MD2: Loading models/tris.md2");
    EXPECT_EQ(std::pair(ConsoleData().LineCount, ConsoleData().NextRow), std::pair(3, 9));

    // While the console is hidden only the last line waits, and enters on the next drawing.
    ConsoleData().Visible = false;
    ShowLoadStatus("PAK: Loading pak0.pk3", true, 0, false);
    ShowLoadStatus("PAK: Success", true, 0, false);
    EXPECT_EQ(ConsoleData().LineCount, 3);
    DrawOverlay();
    EXPECT_EQ(ConsoleData().LineCount, 4);
    EXPECT_EQ(ConsoleData().Lines.back().Text, "PAK: Success");
    EXPECT_TRUE(Loading().Text.empty());
}

TEST_F(Overlay, LongStatusLineWrapsAtBlanksWithinTheScreen) {
    std::string text = "BSP:";
    for (int word = 0; text.size() < 300; ++word) text += " " + std::string(3 + word % 7, 'a' + word % 26);
    text.resize(300);
    if (text.back() == ' ') text.back() = 'z';

    console.Update(text);
    const std::vector<ConsoleLine>& lines = ConsoleData().Lines;
    ASSERT_GE(lines.size(), 4u);
    // Walk the text piece by piece: a cut drops at most the one blank it was made at,
    // and no cut falls inside a word. (A piece that ends just before a blank leaves
    // that blank at the start of the next piece, as the wrap rule has it.)
    size_t at = 0;
    for (const ConsoleLine& line : lines) {
        EXPECT_LE(MeasureText(line.Text).Width, test::kScreenWidth) << line.Text;
        if (at > 0) EXPECT_TRUE(text[at] == ' ' || text[at - 1] == ' ') << line.Text;
        if (text.compare(at, line.Text.size(), line.Text) != 0 && text[at] == ' ') ++at;
        ASSERT_EQ(text.compare(at, line.Text.size(), line.Text), 0) << line.Text;
        at += line.Text.size();
    }
    EXPECT_EQ(at, text.size());
    DrawOverlay();
    Screenshot("overlay-wrapped.png");
}

TEST(WrapText, CutsEveryNCharactersWithoutBlanks) {
    test::OffscreenEngine gl(640, 480);
    const int32_t n = RoundHalfEven(640.0 / MeasureText(" ").Width - 2);
    std::vector<std::string> pieces = WrapText(std::string(3 * n + 5, 'x'));
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(std::pair(pieces[0].size(), pieces[3].size()), std::pair(static_cast<size_t>(n), size_t{5}));
    EXPECT_TRUE(WrapText("").empty());

    // A blank at the start of a piece is skipped; one exactly n on is a hard cut.
    pieces = WrapText(std::string(static_cast<size_t>(n), 'a') + " " + std::string(static_cast<size_t>(n), 'b'));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], std::string(static_cast<size_t>(n), 'b'));

    // A screen narrower than one character still ends, one character a piece.
    Display().ScreenWidth = 5;
    EXPECT_EQ(WrapText("abc").size(), 3u);
    Display().ScreenWidth = 640;
}
