#pragma once
#include <cstdint>

namespace korvath {

// Virtual-key codes of the keyboard queries; the values are part of the interface.
enum KEYBOARD_CONTROLS : int32_t {
    KEY_0 = 48, KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9,
    KEY_A = 65, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
    KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
    KEY_F1 = 112, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11,
    KEY_F12, KEY_F13, KEY_F14, KEY_F15, KEY_F16,
    KEY_NUMPAD_0 = 96, KEY_NUMPAD_1, KEY_NUMPAD_2, KEY_NUMPAD_3, KEY_NUMPAD_4, KEY_NUMPAD_5,
    KEY_NUMPAD_6, KEY_NUMPAD_7, KEY_NUMPAD_8, KEY_NUMPAD_9,
    KEY_NUMPAD_DECIMAL = 110,
    KEY_NUMPAD_DIVIDE = 111,
    KEY_NUMPAD_MULTIPLY = 106,
    KEY_NUMPAD_MINUS = 109,
    KEY_NUMPAD_PLUS = 107,
    KEY_NUMPAD_ENTER = 108,
    KEY_UP = 38,
    KEY_DOWN = 40,
    KEY_RIGHT = 39,
    KEY_LEFT = 37,
    KEY_INSERT = 45,
    KEY_HOME = 36,
    KEY_END = 35,
    KEY_PAGEUP = 33,
    KEY_PAGEDOWN = 34,
    KEY_BACKSPACE = 8,
    KEY_BACKQUOTE = 192,
    KEY_COMMA = 44,
    KEY_TAB = 9,
    KEY_CLEAR = 12,
    KEY_RETURN = 13,
    KEY_PAUSE = 19,
    KEY_PERIOD = 190,
    KEY_SLASH = 191,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_DELETE = 46,
    KEY_NUMLOCK = 144,
    KEY_CAPSLOCK = 20,
    KEY_SHIFT = 16,
    KEY_CTRL = 17,
    KEY_ALT = 18,
    KEY_HELP = 47,
    KEY_PRINT = 42,
    KEY_MENU = 18,
};

}  // namespace korvath
