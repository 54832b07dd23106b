#pragma once
// The window the engine draws into and its GL context.
#include <cstdint>

namespace korvath {

struct DisplayState {
    int32_t WindowHandle = 0;   // the window made by Window::Load (an SDL window id)
    int32_t DeviceContext = 0;  // the window Initialize draws into (an SDL window id)
    void* RenderContext = nullptr;
    int32_t ScreenWidth = 0, ScreenHeight = 0, ScreenBits = 0;
    int32_t DrawableWidth = 0, DrawableHeight = 0;  // the window's size when last looked at
    bool FullScreen = false;
    bool VSyncWanted = false;  // what the host asked for, applied to every context made
    bool VSync = false;        // whether the current context swaps on the display's refresh
};

DisplayState& Display();

}  // namespace korvath
