#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/ConsoleState.h"
#include "korvath/Engine.h"
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
    }
    void TearDown() override { Engine::ClearCloseRequest(); }

    // An SDL event of type for the engine's window; the window id sits at the
    // same place in every window-bound event.
    SDL_Event Event(Uint32 type) {
        SDL_Event event{};
        event.type = type;
        event.window.windowID = static_cast<Uint32>(gl_.window());
        return event;
    }
    SDL_Event WindowEvent(Uint8 what, int32_t w = 0, int32_t h = 0) {
        SDL_Event event = Event(SDL_WINDOWEVENT);
        event.window.event = what;
        event.window.data1 = w;
        event.window.data2 = h;
        return event;
    }
    SDL_Event Wheel(int32_t x, int32_t y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL) {
        SDL_Event event = Event(SDL_MOUSEWHEEL);
        event.wheel.x = x;
        event.wheel.y = y;
        event.wheel.direction = direction;
        return event;
    }
    SDL_Event Key(Uint32 type, SDL_Scancode code, bool repeat = false) {
        SDL_Event event = Event(type);
        event.key.repeat = repeat;
        event.key.keysym.scancode = code;
        return event;
    }
    // Pushes the events, runs one frame and returns what the host is handed.
    std::vector<WINDOW_EVENT> Frame(std::vector<SDL_Event> events) {
        for (SDL_Event& event : events) EXPECT_EQ(SDL_PushEvent(&event), 1);
        gl_.engine().BeginScene();
        gl_.engine().EndScene();
        std::vector<WINDOW_EVENT> handed;
        for (WINDOW_EVENT event; Engine::PollEvent(event);) handed.push_back(event);
        return handed;
    }

    test::OffscreenEngine gl_{320, 240};
};

TEST_F(HostEvents, EndSceneHandsTheHostWhatThePumpSaw) {
    const int32_t id = gl_.window();
    struct Case {
        SDL_Event event;
        int32_t type, window, x, y, key;
        bool repeat;
    };
    const Case cases[] = {
        {Wheel(0, 2), EVENT_MOUSE_WHEEL, id, 0, 2, 0, false},
        {Wheel(1, 3, SDL_MOUSEWHEEL_FLIPPED), EVENT_MOUSE_WHEEL, id, -1, -3, 0, false},
        {Key(SDL_KEYDOWN, SDL_SCANCODE_A), EVENT_KEY_DOWN, id, 0, 0, KEY_A, false},
        {Key(SDL_KEYDOWN, SDL_SCANCODE_A, true), EVENT_KEY_DOWN, id, 0, 0, KEY_A, true},
        {Key(SDL_KEYUP, SDL_SCANCODE_A), EVENT_KEY_UP, id, 0, 0, KEY_A, false},
        {WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 400, 300), EVENT_RESIZED, id, 400, 300, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), EVENT_FOCUS_LOST, id, 0, 0, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), EVENT_FOCUS_GAINED, id, 0, 0, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_MINIMIZED), EVENT_MINIMIZED, id, 0, 0, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_RESTORED), EVENT_RESTORED, id, 0, 0, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_ENTER), EVENT_MOUSE_ENTER, id, 0, 0, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_LEAVE), EVENT_MOUSE_LEAVE, id, 0, 0, 0, false},
        {WindowEvent(SDL_WINDOWEVENT_CLOSE), EVENT_CLOSE, id, 0, 0, 0, false},
        {Event(SDL_QUIT), EVENT_CLOSE, 0, 0, 0, 0, false},
        {Event(SDL_MOUSEMOTION), EVENT_NONE, 0, 0, 0, 0, false},  // the cursor's, not queued
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const std::vector<WINDOW_EVENT> got = Frame({c.event});
        if (c.type == EVENT_NONE) {
            EXPECT_TRUE(got.empty());
            continue;
        }
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].Type, c.type);
        EXPECT_EQ(got[0].Window, c.window);
        EXPECT_EQ(got[0].X, c.x);
        EXPECT_EQ(got[0].Y, c.y);
        EXPECT_EQ(got[0].Key, c.key);
        EXPECT_EQ(got[0].Repeat, c.repeat);
    }
}

TEST_F(HostEvents, TextIsCopiedAndAlwaysTerminated) {
    SDL_Event typed = Event(SDL_TEXTINPUT), unterminated = Event(SDL_TEXTINPUT);
    std::strcpy(typed.text.text, "h\xC3\xA9llo");
    std::memset(unterminated.text.text, 'x', sizeof unterminated.text.text);
    const std::vector<WINDOW_EVENT> got = Frame({typed, unterminated});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Type, EVENT_TEXT_INPUT);
    EXPECT_STREQ(got[0].Text, "h\xC3\xA9llo");
    EXPECT_EQ(std::strlen(got[1].Text), sizeof got[1].Text - 1);
}

TEST_F(HostEvents, TheEngineStillHandlesKeysAndCloseItself) {
    Keyboard keys;
    keys.Check(KEY_A);  // forget earlier presses
    EXPECT_EQ(Frame({Key(SDL_KEYDOWN, SDL_SCANCODE_A), WindowEvent(SDL_WINDOWEVENT_CLOSE)}).size(), 2u);
    EXPECT_TRUE(keys.Check(KEY_A));
    EXPECT_TRUE(Engine::CloseRequested());
}

// A host that never reads loses the oldest events, and the queue stays bounded.
TEST_F(HostEvents, AnUnreadQueueKeepsTheNewest) {
    const int32_t pushed = static_cast<int32_t>(platform::kHostEventCapacity) + 40;
    std::vector<SDL_Event> wheels;
    for (int32_t i = 0; i < pushed; ++i) wheels.push_back(Wheel(i, 1));
    const std::vector<WINDOW_EVENT> got = Frame(wheels);
    ASSERT_EQ(got.size(), platform::kHostEventCapacity);
    EXPECT_EQ(got.front().X, 40);
    EXPECT_EQ(got.back().X, pushed - 1);
}

}  // namespace
