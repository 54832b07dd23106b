#pragma once
#include <cstdint>
#include <string>

#include "korvath/Events.h"

namespace korvath {

// Brings the library up on a window, runs the frame bracket, measures and limits
// the frame rate, plays the intro and the fades, and tears everything down.
// All state is engine-wide: a second Engine object shares it.
//
// A frame is BeginScene, the Update/Render calls of what the host loaded, then
// EndScene. EndScene runs the window-system events; when the user closes the
// window, CloseRequested turns True and the host decides what to do (normally
// UnInitialize, then keep drawing until Unloaded).
class Engine {
public:
    Engine();   // opens the log
    ~Engine();  // restores the display, deletes the GL context, closes the log

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void BeginScene();
    void EndScene();
    void ResetScene();
    // hWnd is a window id from Window::Load, or SDL_GetWindowID of the host's own
    // SDL window (made with SDL_WINDOW_OPENGL).
    bool Initialize(int32_t hWnd, int32_t Width, int32_t Height, int32_t BPP, bool Fullscreen = false);
    void UnInitialize();
    bool Loaded() const;
    bool Unloaded() const;
    void SetFPS(bool Visible);
    void SetLimit(int32_t Limit);
    void SetLog(bool Enabled);
    void SetPath(const std::string& Path);
    void SetVersion(bool Visible);
    void SetScreen(bool Full);
    // Levels loaded afterwards are lit as their content was made to be seen:
    // lightmaps brightened four times (the hue of bright texels kept) instead of
    // three. Off by default; folded into the lightmap upload, so it costs no
    // frame time.
    void SetOverbright(bool Enabled);
    // Mipmapped textures blend their two nearest mipmap levels (trilinear, the
    // default) or read the nearest one only (bilinear): a little shimmer in the
    // distance for about a fifth less drawing time on a software rasteriser.
    // Applies at once to every texture alive and to every one made later.
    void SetTrilinear(bool Enabled);
    // Ties each frame's swap to the display's refresh (adaptively where the
    // driver can); the frame limiter then stands aside. Takes effect at once on
    // a running engine and at every Initialize; False when the driver refuses.
    bool SetVSync(bool Enabled);

    // Runs pending window-system events now (EndScene does this every frame).
    static void PumpMessages();
    // True once the user asked to close the window; ClearCloseRequest resets it.
    static bool CloseRequested();
    static void ClearCloseRequest();
    // Takes the oldest window-system event gathered for the host (wheel, text
    // input, keys, focus, size, close); False when none is left. Read them
    // after EndScene; the newest 256 are kept for a host that falls behind.
    static bool PollEvent(WINDOW_EVENT& Event);

private:
    void PlayIntro();
};

}  // namespace korvath
