#include <gtest/gtest.h>

#include <SDL.h>

#include "core/ConsoleFixture.h"
#include "core/ConsoleState.h"
#include "core/EngineState.h"
#include "input/KeyboardService.h"

using namespace korvath;

namespace {

// A player at the keyboard: each key goes down, one frame runs, the key comes up.
class ConsoleTyping : public test::ConsoleScreen {
protected:
    void Frame() {
        gl_.engine().BeginScene();
        gl_.engine().EndScene();
    }
    void Tap(int32_t key) {
        platform::Keys().Press(key);
        Frame();
        platform::Keys().Release(key);
    }
    void Type(const std::string& text) {
        for (char c : text) {
            if (c == ' ') Tap(KEY_SPACE);
            else if (c >= 'a' && c <= 'z') Tap(KEY_A + (c - 'a'));
            else if (c >= '0' && c <= '9') Tap(KEY_0 + (c - '0'));
            else FAIL() << "no key for " << c;
        }
    }
    void Enter(const std::string& text) {
        Type(text);
        Tap(KEY_RETURN);
    }
    static std::string Text(const Variant& value) {
        return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : "<not text>";
    }
};

}  // namespace

TEST_F(ConsoleTyping, RegisteredCommandIsAnsweredOnce) {
    console.Load("map");
    Enter("map e1m1");
    EXPECT_EQ(Text(console.Command("MAP")), "E1M1");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(console.Command("map")));
    EXPECT_EQ(ConsoleData().LineCount, 0);  // a recognised line is not echoed
    EXPECT_EQ(ConsoleData().History, std::vector<std::string>{"MAP E1M1"});

    Enter("map");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(console.Command("quit")));  // other names leave it
    Variant bare = console.Command("Map");
    ASSERT_TRUE(std::holds_alternative<bool>(bare));
    EXPECT_TRUE(std::get<bool>(bare));

    // Further blanks stay in the upper-cased argument.
    Enter("map  e1m1 fast");
    EXPECT_EQ(Text(console.Command("map")), " E1M1 FAST");
}

// Numpad Enter submits a line as Enter does, through the window system's events.
TEST_F(ConsoleTyping, NumpadEnterSubmitsTheLine) {
    console.Load("map");
    Type("map dm");
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = static_cast<Uint32>(gl_.window());
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = SDL_SCANCODE_KP_ENTER;
        event.key.keysym.sym = SDLK_KP_ENTER;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
        Frame();
    }
    EXPECT_EQ(Text(console.Command("map")), "DM");
}

TEST_F(ConsoleTyping, BareCommandDoesNotInheritAnEarlierArgument) {
    console.Load("map");
    console.Load("fps");
    Enter("map e1m1");  // never polled
    Enter("fps");
    Variant value = console.Command("fps");
    ASSERT_TRUE(std::holds_alternative<bool>(value));
}

TEST_F(ConsoleTyping, UnknownCommandGivesRedNotFoundLine) {
    console.Load("map");
    Enter("foo");
    Frame();
    ASSERT_EQ(ConsoleData().LineCount, 1);
    EXPECT_EQ(ConsoleData().Lines[0].Text, "Error: * \"FOO\" Not Found!");
    EXPECT_EQ(ConsoleData().History.back(), "FOO");
    EXPECT_TRUE(ConsoleData().Lines[0].Error && EngineKeyboard().Buffer().empty());

    // With no commands at all, every line is unknown; a blank line is not remembered.
    console.UnLoad("MAP");
    EXPECT_TRUE(ConsoleData().Commands.empty());
    Enter("map");
    Frame();
    EXPECT_EQ(ConsoleData().Lines.back().Text, "Error: * \"MAP\" Not Found!");
    Enter("  ");
    EXPECT_EQ(ConsoleData().HistoryCount, 2);
}

TEST_F(ConsoleTyping, HistoryRecallsNewestFirstAndDownStartsOver) {
    for (const char* line : {"one", "two", "three"}) Enter(line);
    std::vector<std::string> recalled;
    for (int i = 0; i < 4; ++i) {
        Tap(KEY_UP);
        recalled.push_back(EngineKeyboard().Buffer());
    }
    EXPECT_EQ(recalled, (std::vector<std::string>{"THREE", "TWO", "ONE", "ONE"}));
    Tap(KEY_DOWN);
    EXPECT_TRUE(EngineKeyboard().Buffer().empty());
    Tap(KEY_UP);
    EXPECT_EQ(EngineKeyboard().Buffer(), "THREE");

    console.Clear();
    Tap(KEY_UP);
    EXPECT_EQ(EngineKeyboard().Buffer(), "THREE");  // nothing to recall after Clear
    EXPECT_EQ(ConsoleData().LineCount, 0);
}

TEST_F(ConsoleTyping, BackquoteClosesTheConsole) {
    Tap(KEY_BACKQUOTE);
    EXPECT_FALSE(console.Visible());
    Tap(KEY_BACKQUOTE);  // EndScene opens it again
    EXPECT_TRUE(console.Visible());
}

TEST_F(ConsoleTyping, LoadAndUnLoadKeepTheListInStep) {
    console.Load("map");
    console.Load("MAP");
    console.Load("god");
    console.UnLoad("Map");
    EXPECT_EQ(ConsoleData().Commands, (std::vector<std::string>{"MAP", "GOD"}));
    for (const char* name : {"noclip", "map", "god", "god"}) console.UnLoad(name);
    EXPECT_TRUE(ConsoleData().Commands.empty());
    EXPECT_EQ(ConsoleData().CommandCount, 0);
}

// A typed or pasted line is untrusted: any length, any byte.
TEST_F(ConsoleTyping, HostileInputLinesStayContained) {
    console.Load("map");
    std::string hostile;
    for (int i = 0; i < 200000; ++i) hostile += static_cast<char>(i % 7 == 0 ? ' ' : 128 + i % 128);
    hostile += "\xff\xff";
    hostile.push_back('\0');
    hostile += "end";
    EngineKeyboard().Buffer(hostile);
    Frame();  // the overlay copies the buffer into the input line
    EXPECT_EQ(ConsoleData().InputText, hostile);
    Tap(KEY_RETURN);
    Frame();

    ASSERT_EQ(ConsoleData().History.back(), hostile);
    ASSERT_EQ(static_cast<size_t>(ConsoleData().LineCount), ConsoleData().Lines.size());
    std::string joined;
    for (const ConsoleLine& line : ConsoleData().Lines) {
        EXPECT_TRUE(line.Error && !line.Text.empty());
        joined += line.Text;
    }
    // Pieces lose only the blanks they were cut at.
    std::string expected = "Error: * \"" + hostile + "\" Not Found!";
    std::erase(expected, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, expected);
    EXPECT_EQ(ConsoleData().NextRow, 3 * ConsoleData().LineCount);

    // Code 255 and bytes past ASCII draw, measure and recall without harm.
    EngineKeyboard().Buffer("\xff\x80\xe9\xff");
    Frame();
    Tap(KEY_RETURN);
    Frame();
    EXPECT_EQ(ConsoleData().Lines.back().Text, "Error: * \"\xff\x80\xe9\xff\" Not Found!");
    Tap(KEY_UP);
    EXPECT_EQ(EngineKeyboard().Buffer(), "\xff\x80\xe9\xff");
}
