#include "engine/WindowSize.h"

#include "core/Display.h"
#include "core/Matrix.h"
#include "platform/GL.h"
#include "platform/Video.h"

namespace korvath {

void NoteWindowSize() {
    DisplayState& display = Display();
    if (!platform::DrawableSize(display.DeviceContext, display.DrawableWidth, display.DrawableHeight))
        display.DrawableWidth = display.DrawableHeight = 0;
}

// The size given to Initialize stands until the window really changes: a host
// may have reasons to draw on a size of its own.
void FollowWindowSize() {
    DisplayState& display = Display();
    if (!display.RenderContext) return;
    int32_t width = 0, height = 0;
    if (!platform::DrawableSize(display.DeviceContext, width, height)) return;
    if (width == display.DrawableWidth && height == display.DrawableHeight) return;
    display.DrawableWidth = width;
    display.DrawableHeight = height;
    // A minimised window may report no area; drawing goes on at the last size.
    if (width <= 0 || height <= 0) return;
    display.ScreenWidth = width;
    display.ScreenHeight = height;
    glViewport(0, 0, width, height);
    ReloadProjection();
}

}  // namespace korvath
