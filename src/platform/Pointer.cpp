#include "platform/Pointer.h"

#include <SDL.h>

#include "platform/Video.h"

namespace korvath::platform {

namespace {
ScreenPoint g_pointer;

SDL_Window* WindowOf(uint32_t id) { return VideoStarted() && id != 0 ? SDL_GetWindowFromID(id) : nullptr; }
}  // namespace

ScreenPoint PointerPosition() { return g_pointer; }

void NotePointerMotion(uint32_t windowId, int32_t x, int32_t y) {
    // A window without the mouse focus (hidden, or on a driver that tracks no
    // focus) gets motion without its id; it is then the window being drawn into.
    if (windowId == 0 && VideoStarted())
        if (SDL_Window* current = SDL_GL_GetCurrentWindow()) windowId = SDL_GetWindowID(current);
    ScreenRect rect;
    WindowRectangle(static_cast<int32_t>(windowId), rect);
    g_pointer = {rect.left + x, rect.top + y};
}

void WarpPointer(int32_t window, int32_t x, int32_t y) {
    ScreenRect rect;
    if (!WindowRectangle(window, rect)) return;
    g_pointer = {x, y};
    SDL_WarpMouseInWindow(WindowOf(static_cast<uint32_t>(window)), x - rect.left, y - rect.top);
}

bool WindowRectangle(int32_t window, ScreenRect& rect) {
    rect = {};
    SDL_Window* w = window > 0 ? WindowOf(static_cast<uint32_t>(window)) : nullptr;
    if (!w) return false;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(w, &x, &y);
    SDL_GetWindowSize(w, &width, &height);
    rect = {x, y, x + width, y + height};
    return true;
}

int32_t VirtualKeyOfButton(uint8_t button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 4;
    default: return 0;
    }
}

}  // namespace korvath::platform
