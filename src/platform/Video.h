#pragma once
// Windows, GL contexts and display modes over SDL2. Window handles are SDL window
// ids, so a host that makes its own SDL window passes SDL_GetWindowID of it.
#include <cstdint>
#include <string>

namespace korvath::platform {

struct PixelFormat {
    int32_t ColourBits = 0;
    int32_t DepthBits = 0;
    int32_t StencilBits = 0;
    bool DoubleBuffer = false;
};

// What the engine asks for on a window of colour depth bpp: depth bpp / 2 rounded
// half to even, 8 stencil bits, double buffered.
PixelFormat PixelFormatFor(int32_t bpp);

struct VideoStart {
    bool Ok = false;
    bool FellBackToOffscreen = false;
    std::string Driver;
    std::string Error;
};

// Starts SDL video once. Without a display (or when asked) it uses the offscreen
// driver, which gives a real Mesa context through EGL.
VideoStart StartVideo();
// Makes the next StartVideo pick the offscreen driver; for tests and servers.
void RequestOffscreen();
bool VideoStarted();

// Applies the GL attributes of format to the next window and context made.
void RequestPixelFormat(const PixelFormat& format);

int32_t CreateWindow(const std::string& title, int32_t width, int32_t height, bool popup);
void DestroyWindow(int32_t window);
bool IsWindow(int32_t window);
void ShowWindow(int32_t window, bool visible);
void MoveWindow(int32_t window, int32_t x, int32_t y);
// The size the window's GL drawable has now, in pixels; false without the window.
bool DrawableSize(int32_t window, int32_t& width, int32_t& height);
void ResizeWindow(int32_t window, int32_t width, int32_t height);
// Whether the user may drag the window's border.
void SetWindowResizable(int32_t window, bool resizable);
bool DesktopSize(int32_t& width, int32_t& height, int32_t& bitsPerPixel);
void ShowCursor(bool visible);

void* CreateContext(int32_t window);
bool MakeCurrent(int32_t window, void* context);
void DeleteContext(void* context);
void SwapWindow(int32_t window);
// Ties buffer swaps of the current context to the display's refresh (adaptive,
// where the driver has it, so a late frame is not held a whole refresh) or
// frees them; false when the driver refuses.
bool SetSwapSync(bool on);
void* GetProcAddress(const char* name);
bool ContextCreationBlocked();
// Tests make context creation fail to reach the engine's failure path.
void BlockContextCreation(bool blocked);

// Full-screen display mode of the window, or back to the desktop. False when refused.
bool EnterFullscreen(int32_t window, int32_t width, int32_t height, int32_t bitsPerPixel);
bool LeaveFullscreen(int32_t window);

// The window-system extension string of the current context (EGL or GLX,
// whichever made it); null without one.
const char* WindowSystemExtensions();

}  // namespace korvath::platform
