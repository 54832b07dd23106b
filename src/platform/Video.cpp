#include "platform/Video.h"

#include <SDL.h>
#include <cmath>
#include <cstdlib>

namespace korvath::platform {

namespace {
bool g_forceOffscreen = false;
bool g_blockContexts = false;
VideoStart g_start;

SDL_Window* WindowOf(int32_t window) {
    if (window <= 0 || !VideoStarted()) return nullptr;
    return SDL_GetWindowFromID(static_cast<Uint32>(window));
}

// Through SDL_InitSubSystem, so the rest of SDL (clipboard, events) knows video runs.
bool TryDriver(const char* driver) {
    if (driver) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver, SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    g_start.Driver = SDL_GetCurrentVideoDriver();
    return true;
}
}  // namespace

PixelFormat PixelFormatFor(int32_t bpp) {
    PixelFormat format;
    format.ColourBits = bpp;
    format.DepthBits = static_cast<int32_t>(std::nearbyint(bpp / 2.0));
    format.StencilBits = 8;
    format.DoubleBuffer = true;
    return format;
}

void RequestOffscreen() { g_forceOffscreen = true; }
bool VideoStarted() { return g_start.Ok; }

VideoStart StartVideo() {
    if (g_start.Ok) return g_start;
    // SDL turns an interrupt or terminate signal into a close request, as the
    // window's close button does, unless the host handles those signals itself.
    // The render window's class, which window managers and scripts find it by,
    // unless the user named another.
    setenv("SDL_VIDEO_X11_WMCLASS", "KRVX", 0);
    const char* wanted = std::getenv("SDL_VIDEODRIVER");
    bool offscreenWanted = g_forceOffscreen || (wanted && std::string(wanted) == "offscreen");
    if (!offscreenWanted && TryDriver(nullptr)) {
        // SDL itself ends its driver list with the offscreen one.
        g_start.Ok = true;
        g_start.FellBackToOffscreen = g_start.Driver == "offscreen";
    } else if (TryDriver("offscreen")) {
        g_start.Ok = true;
        g_start.FellBackToOffscreen = !offscreenWanted;
    } else {
        g_start.Error = SDL_GetError();
    }
    return g_start;
}

void RequestPixelFormat(const PixelFormat& format) {
    // Attributes set before the video system starts are lost when it starts.
    if (!StartVideo().Ok) return;
    int channel = format.ColourBits >= 24 ? 8 : (format.ColourBits >= 15 ? 5 : 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.ColourBits == 16 ? 6 : channel);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.ColourBits >= 32 ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.DepthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.StencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.DoubleBuffer ? 1 : 0);
    // The renderer uses fixed-function GL and ARB shader objects: ask for a
    // compatibility context.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

int32_t CreateWindow(const std::string& title, int32_t width, int32_t height, bool popup) {
    if (!StartVideo().Ok) return 0;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (popup) flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
    return window ? static_cast<int32_t>(SDL_GetWindowID(window)) : 0;
}

void DestroyWindow(int32_t window) {
    if (SDL_Window* w = WindowOf(window)) SDL_DestroyWindow(w);
}

bool IsWindow(int32_t window) { return WindowOf(window) != nullptr; }

void ShowWindow(int32_t window, bool visible) {
    SDL_Window* w = WindowOf(window);
    if (!w) return;
    if (visible) SDL_ShowWindow(w); else SDL_HideWindow(w);
}

void MoveWindow(int32_t window, int32_t x, int32_t y) {
    if (SDL_Window* w = WindowOf(window)) SDL_SetWindowPosition(w, x, y);
}

bool DrawableSize(int32_t window, int32_t& width, int32_t& height) {
    SDL_Window* w = WindowOf(window);
    if (!w) return false;
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(w, &drawableWidth, &drawableHeight);
    width = drawableWidth;
    height = drawableHeight;
    return true;
}

void ResizeWindow(int32_t window, int32_t width, int32_t height) {
    if (SDL_Window* w = WindowOf(window); w && width > 0 && height > 0) SDL_SetWindowSize(w, width, height);
}

void SetWindowResizable(int32_t window, bool resizable) {
    if (SDL_Window* w = WindowOf(window)) SDL_SetWindowResizable(w, resizable ? SDL_TRUE : SDL_FALSE);
}

bool DesktopSize(int32_t& width, int32_t& height, int32_t& bitsPerPixel) {
    SDL_DisplayMode mode;
    if (!StartVideo().Ok || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    bitsPerPixel = static_cast<int32_t>(SDL_BITSPERPIXEL(mode.format));
    return true;
}

void ShowCursor(bool visible) {
    if (VideoStarted()) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void* CreateContext(int32_t window) {
    SDL_Window* w = WindowOf(window);
    if (!w || g_blockContexts) return nullptr;
    return SDL_GL_CreateContext(w);
}

bool MakeCurrent(int32_t window, void* context) {
    if (!VideoStarted()) return false;
    if (!context) return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
    SDL_Window* w = WindowOf(window);
    return w && SDL_GL_MakeCurrent(w, static_cast<SDL_GLContext>(context)) == 0;
}

void DeleteContext(void* context) {
    if (context) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void SwapWindow(int32_t window) {
    if (SDL_Window* w = WindowOf(window)) SDL_GL_SwapWindow(w);
}

bool SetSwapSync(bool on) {
    if (!VideoStarted()) return false;
    if (!on) return SDL_GL_SetSwapInterval(0) == 0;
    return SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
}

void* GetProcAddress(const char* name) {
    return VideoStarted() ? SDL_GL_GetProcAddress(name) : nullptr;
}

bool ContextCreationBlocked() { return g_blockContexts; }
void BlockContextCreation(bool blocked) { g_blockContexts = blocked; }

bool EnterFullscreen(int32_t window, int32_t width, int32_t height, int32_t bitsPerPixel) {
    SDL_Window* w = WindowOf(window);
    if (!w || width <= 0 || height <= 0) return false;
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    wanted.format = bitsPerPixel == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    SDL_DisplayMode closest;
    int display = SDL_GetWindowDisplayIndex(w);
    if (!SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest)) return false;
    if (closest.w != width || closest.h != height) return false;
    if (SDL_SetWindowDisplayMode(w, &closest) != 0) return false;
    return SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN) == 0;
}

bool LeaveFullscreen(int32_t window) {
    SDL_Window* w = WindowOf(window);
    if (!w) return false;
    return SDL_SetWindowFullscreen(w, 0) == 0;
}

namespace {
// EGL and GLX both answer the window-system extension query; whichever the
// context was made with is found through the GL loader.
using EglGetCurrentDisplay = void* (*)();
using EglQueryString = const char* (*)(void*, int);
using GlxGetCurrentDisplay = void* (*)();
using GlxQueryExtensionsString = const char* (*)(void*, int);
using GlxGetCurrentContext = void* (*)();

}  // namespace

const char* WindowSystemExtensions() {
    auto eglDisplay = reinterpret_cast<EglGetCurrentDisplay>(platform::GetProcAddress("eglGetCurrentDisplay"));
    auto eglQuery = reinterpret_cast<EglQueryString>(platform::GetProcAddress("eglQueryString"));
    if (eglDisplay && eglQuery) {
        void* display = eglDisplay();
        if (display) return eglQuery(display, 0x3055 /* EGL_EXTENSIONS */);
    }
    auto glxContext = reinterpret_cast<GlxGetCurrentContext>(platform::GetProcAddress("glXGetCurrentContext"));
    auto glxDisplay = reinterpret_cast<GlxGetCurrentDisplay>(platform::GetProcAddress("glXGetCurrentDisplay"));
    auto glxQuery = reinterpret_cast<GlxQueryExtensionsString>(platform::GetProcAddress("glXQueryExtensionsString"));
    if (glxContext && glxDisplay && glxQuery && glxContext()) {
        void* display = glxDisplay();
        if (display) return glxQuery(display, 0);
    }
    return nullptr;
}


}  // namespace korvath::platform
