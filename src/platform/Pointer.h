#pragma once
// The mouse pointer in screen coordinates: where the message pump last saw it,
// moving it, the rectangle of a window, and the buttons as virtual keys.
#include <cstdint>

namespace korvath::platform {

struct ScreenPoint {
    int32_t x = 0, y = 0;
};

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

ScreenPoint PointerPosition();
// Moves the pointer to a screen point over the window (an SDL window id) and
// records it there at once, before the window system reports the move.
void WarpPointer(int32_t window, int32_t x, int32_t y);
// False (and an empty rectangle) when there is no such window.
bool WindowRectangle(int32_t window, ScreenRect& rect);

// Fed by the message pump: motion reported relative to a window.
void NotePointerMotion(uint32_t windowId, int32_t x, int32_t y);
// The virtual-key code of an SDL mouse button (1 left, 2 right, 4 middle); 0 for others.
int32_t VirtualKeyOfButton(uint8_t button);

}  // namespace korvath::platform
