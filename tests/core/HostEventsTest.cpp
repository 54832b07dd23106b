#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/ConsoleState.h"
#include "korvath/Engine.h"
#include "korvath/Enums.h"
#include "korvath/Keyboard.h"
#include "platform/HostEvents.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

class HostEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.initialized());
        ConsoleData().Visible = false;
        Engine::PumpMessages();
        platform::ClearHostEvents();
        Engine::ClearCloseRequest();
    }
    void TearDown() override { Engine::ClearCloseRequest(); }

    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }
    SDL_Event WindowEvent(Uint8 what, int32_t data1 = 0, int32_t data2 = 0) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = static_cast<Uint32>(gl_.window());
        event.window.event = what;
        event.window.data1 = data1;
        event.window.data2 = data2;
        return event;
    }
    SDL_Event Wheel(int32_t x, int32_t y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL) {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.windowID = static_cast<Uint32>(gl_.window());
        event.wheel.x = x;
        event.wheel.y = y;
        event.wheel.direction = direction;
        return event;
    }
    SDL_Event Key(Uint32 type, SDL_Scancode code, bool repeat = false) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = static_cast<Uint32>(gl_.window());
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = code;
        return event;
    }
    SDL_Event Text(const char* text) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = static_cast<Uint32>(gl_.window());
        std::strncpy(event.text.text, text, sizeof event.text.text);
        return event;
    }
    std::vector<WINDOW_EVENT> Drain() {
        std::vector<WINDOW_EVENT> events;
        WINDOW_EVENT event;
        while (Engine::PollEvent(event)) events.push_back(event);
        return events;
    }
    void Frame() {
        gl_.engine().BeginScene();
        gl_.engine().EndScene();
    }

    test::OffscreenEngine gl_{320, 240};
};

TEST_F(HostEvents, EndSceneHandsTheHostWhatThePumpSaw) {
    struct Case {
        const char* name;
        SDL_Event event;
        WINDOW_EVENT expected;
    };
    const int32_t id = gl_.window();
    auto record = [](int32_t type, int32_t window, int32_t x = 0, int32_t y = 0, int32_t key = 0, bool repeat = false) {
        WINDOW_EVENT e;
        e.Type = type;
        e.Window = window;
        e.X = x;
        e.Y = y;
        e.Key = key;
        e.Repeat = repeat;
        return e;
    };
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    const std::vector<Case> cases = {
        {"wheel away", Wheel(0, 2), record(EVENT_MOUSE_WHEEL, id, 0, 2)},
        {"flipped wheel", Wheel(1, 3, SDL_MOUSEWHEEL_FLIPPED), record(EVENT_MOUSE_WHEEL, id, -1, -3)},
        {"key down", Key(SDL_KEYDOWN, SDL_SCANCODE_A), record(EVENT_KEY_DOWN, id, 0, 0, KEY_A)},
        {"held key", Key(SDL_KEYDOWN, SDL_SCANCODE_A, true), record(EVENT_KEY_DOWN, id, 0, 0, KEY_A, true)},
        {"key up", Key(SDL_KEYUP, SDL_SCANCODE_A), record(EVENT_KEY_UP, id, 0, 0, KEY_A)},
        {"size", WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 400, 300), record(EVENT_RESIZED, id, 400, 300)},
        {"focus lost", WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), record(EVENT_FOCUS_LOST, id)},
        {"focus gained", WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), record(EVENT_FOCUS_GAINED, id)},
        {"minimised", WindowEvent(SDL_WINDOWEVENT_MINIMIZED), record(EVENT_MINIMIZED, id)},
        {"restored", WindowEvent(SDL_WINDOWEVENT_RESTORED), record(EVENT_RESTORED, id)},
        {"pointer in", WindowEvent(SDL_WINDOWEVENT_ENTER), record(EVENT_MOUSE_ENTER, id)},
        {"pointer out", WindowEvent(SDL_WINDOWEVENT_LEAVE), record(EVENT_MOUSE_LEAVE, id)},
        {"close", WindowEvent(SDL_WINDOWEVENT_CLOSE), record(EVENT_CLOSE, id)},
        {"session quits", quit, record(EVENT_CLOSE, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Push(c.event);
        Frame();
        const std::vector<WINDOW_EVENT> got = Drain();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].Type, c.expected.Type);
        EXPECT_EQ(got[0].Window, c.expected.Window);
        EXPECT_EQ(got[0].X, c.expected.X);
        EXPECT_EQ(got[0].Y, c.expected.Y);
        EXPECT_EQ(got[0].Key, c.expected.Key);
        EXPECT_EQ(got[0].Repeat, c.expected.Repeat);
    }
}

TEST_F(HostEvents, TextIsCopiedAndAlwaysTerminated) {
    Push(Text("h\xC3\xA9llo"));
    SDL_Event full = Text("");
    std::memset(full.text.text, 'x', sizeof full.text.text);  // no terminator at all
    Push(full);
    Frame();
    const std::vector<WINDOW_EVENT> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Type, EVENT_TEXT_INPUT);
    EXPECT_STREQ(got[0].Text, "h\xC3\xA9llo");
    EXPECT_EQ(std::string(got[1].Text), std::string(sizeof got[1].Text - 1, 'x'));
}

TEST_F(HostEvents, PointerMotionAndButtonsStayWithTheCursor) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = static_cast<Uint32>(gl_.window());
    Push(motion);
    Frame();
    EXPECT_TRUE(Drain().empty());
}

TEST_F(HostEvents, TheEngineStillHandlesKeysAndCloseItself) {
    Keyboard keys;
    keys.Check(KEY_A);  // forget earlier presses
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_A));
    Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    Frame();
    EXPECT_TRUE(keys.Check(KEY_A));
    EXPECT_TRUE(Engine::CloseRequested());
    EXPECT_EQ(Drain().size(), 2u);
}

// A host that never reads loses the oldest events, and the queue stays bounded.
TEST_F(HostEvents, AnUnreadQueueKeepsTheNewest) {
    const int32_t pushed = static_cast<int32_t>(platform::kHostEventCapacity) + 40;
    for (int32_t i = 0; i < pushed; ++i) Push(Wheel(i, 1));
    Frame();
    const std::vector<WINDOW_EVENT> got = Drain();
    ASSERT_EQ(got.size(), platform::kHostEventCapacity);
    EXPECT_EQ(got.front().X, 40);
    EXPECT_EQ(got.back().X, pushed - 1);
}

}  // namespace
