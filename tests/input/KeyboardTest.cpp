#include <SDL.h>
#include <gtest/gtest.h>

#include <tuple>

#include "core/FrameTiming.h"
#include "korvath/Keyboard.h"
#include "platform/KeyTable.h"
#include "platform/Video.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

// Presses and releases keys between editor steps, as a player would.
class Editor : public ::testing::Test {
protected:
    void SetUp() override { platform::Keys().ReleaseAll(); }
    void TearDown() override { platform::Keys().ReleaseAll(); }

    void Tap(int32_t key) {
        platform::Keys().Press(key);
        keyboard.Process(640);
        platform::Keys().Release(key);
    }
    void TapHolding(int32_t modifier, int32_t key) {
        platform::Keys().Press(modifier);
        Tap(key);
        platform::Keys().Release(modifier);
    }
    void AtOffset(const std::string& text, int32_t offset) {
        keyboard.Buffer(text);
        for (int32_t i = 0; i > offset; --i) Tap(KEY_LEFT);
        ASSERT_EQ(keyboard.CursorOffset(), offset);
    }

    Keyboard keyboard;
};

}  // namespace

TEST(KeyState, CheckSeesAPressOnceButtonSeesItWhileHeld) {
    Keyboard keyboard;
    platform::Keys().ReleaseAll();
    platform::Keys().Press(KEY_A);
    EXPECT_TRUE(keyboard.Check(KEY_A));
    EXPECT_FALSE(keyboard.Check(KEY_A));  // consumed
    EXPECT_TRUE(keyboard.Button(KEY_A));  // still down
    platform::Keys().Release(KEY_A);
    EXPECT_FALSE(keyboard.Button(KEY_A));

    // Pressed and released between two queries: Button sees it once, Check does not.
    platform::Keys().Press(KEY_B);
    platform::Keys().Release(KEY_B);
    EXPECT_FALSE(keyboard.Check(KEY_B));
    platform::Keys().Press(KEY_B);
    platform::Keys().Release(KEY_B);
    EXPECT_TRUE(keyboard.Button(KEY_B));
    EXPECT_FALSE(keyboard.Button(KEY_B));

    // Two objects share the one key state: a press is seen once in all.
    Keyboard other;
    platform::Keys().Press(KEY_C);
    EXPECT_TRUE(keyboard.Check(KEY_C));
    EXPECT_FALSE(other.Check(KEY_C));
    platform::Keys().ReleaseAll();
    EXPECT_FALSE(keyboard.Check(static_cast<KEYBOARD_CONTROLS>(-5)));
    EXPECT_FALSE(keyboard.Check(static_cast<KEYBOARD_CONTROLS>(4000)));
}

TEST(KeyState, ScancodesMapToUsLayoutVirtualKeys) {
    const std::pair<SDL_Scancode, int32_t> keys[] = {
        {SDL_SCANCODE_A, KEY_A},           {SDL_SCANCODE_0, KEY_0},          {SDL_SCANCODE_9, KEY_9},
        {SDL_SCANCODE_GRAVE, KEY_BACKQUOTE}, {SDL_SCANCODE_RETURN, KEY_RETURN}, {SDL_SCANCODE_F16, KEY_F16},
        {SDL_SCANCODE_KP_9, KEY_NUMPAD_9}, {SDL_SCANCODE_RSHIFT, KEY_SHIFT},  {SDL_SCANCODE_APOSTROPHE, 222},
        {SDL_SCANCODE_SEMICOLON, 186}};
    for (const auto& [scancode, key] : keys) EXPECT_EQ(platform::VirtualKeyOfScancode(scancode), key) << scancode;
}

TEST_F(Editor, DeleteBackspaceAndTypingAroundTheCursor) {
    // Key, then the text and cursor offset after it, from "ABC" with the cursor before C.
    for (const auto& [key, text, offset] : {std::tuple{KEY_BACKSPACE, "AC", -1}, {KEY_DELETE, "AB", 0}, {KEY_X, "ABXC", -1}}) {
        AtOffset("ABC", -1);
        Tap(key);
        EXPECT_EQ(keyboard.Buffer(), text) << key;
        EXPECT_EQ(keyboard.CursorOffset(), offset) << key;
    }
    AtOffset("ABC", 0);
    Tap(KEY_DELETE);  // nothing after the cursor
    EXPECT_EQ(keyboard.Buffer(), "ABC");
    AtOffset("ABC", -3);
    Tap(KEY_BACKSPACE);  // nothing before it
    EXPECT_EQ(keyboard.Buffer(), "ABC");
}

TEST_F(Editor, CursorStaysInsideTheText) {
    AtOffset("ABC", -3);
    Tap(KEY_LEFT);
    EXPECT_EQ(keyboard.CursorOffset(), -3);
    keyboard.Buffer("ABC");  // assigning puts the cursor at the end
    EXPECT_EQ(keyboard.CursorOffset(), 0);
    Tap(KEY_RIGHT);
    EXPECT_EQ(keyboard.CursorOffset(), 0);
    keyboard.Buffer("");
    Tap(KEY_LEFT);
    EXPECT_EQ(keyboard.CursorOffset(), 0);
}

TEST_F(Editor, ShiftTableAndFixedCharacters) {
    keyboard.Buffer("");
    Tap(KEY_7);
    TapHolding(KEY_SHIFT, KEY_1);
    TapHolding(KEY_SHIFT, KEY_0);
    Tap(KEY_A);
    // Letters stay upper case. Shift is not asked for a letter, so its press stays
    // pending and the next query of Shift still sees it, as the asynchronous key
    // state does: query it once to start the next keys clean.
    TapHolding(KEY_SHIFT, KEY_A);
    keyboard.Button(KEY_SHIFT);
    Tap(222);
    TapHolding(KEY_SHIFT, 222);
    Tap(186);
    TapHolding(KEY_SHIFT, 191);
    Tap(KEY_SPACE);
    Tap(219);
    TapHolding(KEY_SHIFT, 220);
    EXPECT_EQ(keyboard.Buffer(), "7!)AA'\";? [|");
}

TEST_F(Editor, KeysPressedTogetherAreInsertedInTableOrder) {
    keyboard.Buffer("");
    platform::Keys().Press(KEY_Z);
    platform::Keys().Press(KEY_1);
    platform::Keys().Press(KEY_SPACE);
    keyboard.Process(640);
    platform::Keys().ReleaseAll();
    EXPECT_EQ(keyboard.Buffer(), " 1Z");
}

TEST_F(Editor, ControlBlocksTypingAndPastesTheClipboard) {
    keyboard.Buffer("ab");
    TapHolding(KEY_CTRL, KEY_X);
    EXPECT_EQ(keyboard.Buffer(), "ab");
    ASSERT_TRUE(platform::StartVideo().Ok);
    ASSERT_EQ(SDL_SetClipboardText("paste"), 0);
    TapHolding(KEY_CTRL, KEY_V);
    EXPECT_EQ(keyboard.Buffer(), "abpaste");
}

TEST_F(Editor, EscapeLeavesTheLayoutAlone) {
    keyboard.Buffer("HELLO");
    Timing().FramesLastSecond = 60;
    Timing().FrameCount = 10;  // first half of the second: caret shown
    keyboard.Process(640);
    const std::string caret = keyboard.Cursor();
    const int32_t visible = keyboard.VisibleChars();
    ASSERT_FALSE(caret.empty());
    Timing().FrameCount = 50;
    Tap(KEY_ESCAPE);
    EXPECT_EQ(keyboard.Cursor(), caret);
    EXPECT_EQ(keyboard.VisibleChars(), visible);
}

TEST_F(Editor, CaretBlinksWithTheFrameRateSecond) {
    keyboard.Buffer("ABC");
    Timing().FramesLastSecond = 60;
    // Exactly half the second leaves it unchanged.
    for (const auto& [frame, caret] : {std::pair{10, "   _"}, {30, "   _"}, {31, ""}}) {
        Timing().FrameCount = frame;
        keyboard.Process(640);
        EXPECT_EQ(keyboard.Cursor(), caret) << frame;
    }
}
