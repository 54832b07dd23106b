#include "korvath/Window.h"

#include "core/Display.h"
#include "core/Math.h"
#include "core/Version.h"
#include "platform/Video.h"

namespace korvath {

Window::~Window() {
    if (loaded_) UnLoad();
}

int32_t Window::Load(int32_t Width, int32_t Height, bool Fullscreen) {
    // The window's visual is fixed when it is made, so ask for the format the
    // engine requests for a 32-bit screen; Initialize asks again for its depth.
    platform::RequestPixelFormat(platform::PixelFormatFor(32));
    int32_t handle = platform::CreateWindow(VersionText(), Width, Height, Fullscreen);
    Display().WindowHandle = handle;
    if (handle != 0 && !Fullscreen) {
        int32_t screenWidth = 0, screenHeight = 0, bits = 0;
        if (platform::DesktopSize(screenWidth, screenHeight, bits))
            platform::MoveWindow(handle, RoundHalfEven((screenWidth - Width) / 2.0),
                                 RoundHalfEven((screenHeight - Height) / 2.0));
    }
    loaded_ = true;
    return handle;
}

void Window::UnLoad() {
    platform::DestroyWindow(Display().WindowHandle);
    Display().WindowHandle = 0;
}

void Window::Resize(int32_t Width, int32_t Height) { platform::ResizeWindow(Display().WindowHandle, Width, Height); }

void Window::Resizable(bool Value) { platform::SetWindowResizable(Display().WindowHandle, Value); }

}  // namespace korvath
