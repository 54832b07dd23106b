#pragma once
#include <cstdint>

namespace korvath {

// A render window made by the library, for hosts that do not bring their own.
class Window {
public:
    Window() = default;
    ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Makes the (hidden) window, centred when windowed; returns its handle, 0 on failure.
    int32_t Load(int32_t Width, int32_t Height, bool Fullscreen = false);
    void UnLoad();
    // Gives the window a new client size; the engine's viewport and projections
    // follow at the next BeginScene, as they do when the user drags the border.
    void Resize(int32_t Width, int32_t Height);
    // Whether the user may drag the border of a windowed window (not at first).
    void Resizable(bool Value);

private:
    bool loaded_ = false;
};

}  // namespace korvath
