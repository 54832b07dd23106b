#pragma once
// Window-system events handed to the host. EndScene (and every other place the
// engine runs the window system's events) keeps its own handling of keys and of
// the close request, and also queues a copy of what a host may want to act on.
// The host takes them with Engine::PollEvent after EndScene.
#include <cstdint>

namespace korvath {

enum WINDOW_EVENT_TYPE : int32_t {
    EVENT_NONE = 0,
    EVENT_KEY_DOWN = 1,       // Key: virtual key (KEYBOARD_CONTROLS); Repeat: held down
    EVENT_KEY_UP = 2,         // Key: virtual key
    EVENT_TEXT_INPUT = 3,     // Text: the typed characters, UTF-8, NUL-terminated
    EVENT_MOUSE_WHEEL = 4,    // X, Y: wheel steps, Y positive away from the user
    EVENT_RESIZED = 5,        // X, Y: the new client size in pixels
    EVENT_FOCUS_GAINED = 6,
    EVENT_FOCUS_LOST = 7,
    EVENT_MINIMIZED = 8,
    EVENT_RESTORED = 9,
    EVENT_MOUSE_ENTER = 10,
    EVENT_MOUSE_LEAVE = 11,
    EVENT_CLOSE = 12,         // the user asked to close; Engine::CloseRequested is set too
};

struct WINDOW_EVENT {
    int32_t Type = EVENT_NONE;
    int32_t Window = 0;  // window id (as Window::Load returns); 0 for the session quitting
    int32_t X = 0, Y = 0;
    int32_t Key = 0;
    bool Repeat = false;
    char Text[32] = {};
};

}  // namespace korvath
