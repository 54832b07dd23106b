// A resizable window whose view zooms with the mouse wheel, on vsync: the
// smallest host of the engine's window events. Drag the border to resize; the
// wheel narrows or widens the field of view; Escape or closing the window ends it.
//
//   zoomwindow [--frames N] [--autopilot]
//
// --autopilot resizes the window and turns the wheel by itself (through the
// window system's event queue, as a real wheel would), then prints what it saw.
// This file builds alone against an installed Korvath: it is the install check's host.
#include <korvath/Korvath.h>

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace korvath;

namespace {

// Four coloured squares round the view's centre, drawn with plain GL in the
// engine's current projection.
void DrawSquares() {
    const float colours[4][3] = {{1, 0.3f, 0.2f}, {0.3f, 1, 0.3f}, {0.3f, 0.4f, 1}, {1, 1, 0.3f}};
    const float corners[4][2] = {{-1.2f, -1.2f}, {0.2f, -1.2f}, {-1.2f, 0.2f}, {0.2f, 0.2f}};
    glLoadIdentity();
    glTranslatef(0, 0, -6);
    glDisable(GL_CULL_FACE);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glColor3fv(colours[i]);
        glVertex2f(corners[i][0], corners[i][1]);
        glVertex2f(corners[i][0] + 1, corners[i][1]);
        glVertex2f(corners[i][0] + 1, corners[i][1] + 1);
        glVertex2f(corners[i][0], corners[i][1] + 1);
    }
    glEnd();
    glEnable(GL_CULL_FACE);
    glColor3f(1, 1, 1);
}

// Pixels of the viewport that are not black.
long LitPixels() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<unsigned char> pixels(static_cast<size_t>(viewport[2]) * viewport[3] * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    long lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) > 16;
    return lit;
}

void PushWheel(int32_t window, int32_t steps) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = static_cast<Uint32>(window);
    event.wheel.y = steps;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&event);
}

}  // namespace

int main(int argc, char** argv) {
    int32_t frames = 0;
    bool autopilot = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            frames = std::max(0, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--autopilot") == 0) {
            autopilot = true;
        } else {
            std::fprintf(stderr, "zoomwindow: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (autopilot && frames == 0) frames = 90;

    Window window;
    const int32_t handle = window.Load(480, 360);
    window.Resizable(true);
    Engine engine;
    engine.SetVSync(true);
    if (!engine.Initialize(handle, 480, 360, 32)) {
        std::fprintf(stderr, "zoomwindow: the engine could not start (see Korvath.log)\n");
        return 1;
    }
    Console console;
    console.Visible(false);
    std::printf("vsync: %s\n", engine.SetVSync(true) ? "on" : "refused by the driver");

    Camera camera;
    float fieldOfView = 70;
    camera.Set3DFieldOfView(fieldOfView);
    long litBeforeZoom = 0;
    int32_t wheelSteps = 0;
    for (int32_t frame = 1; !Engine::CloseRequested() && (frames == 0 || frame <= frames); ++frame) {
        if (autopilot && frame == 20) window.Resize(320, 240);
        if (autopilot && frame >= 40 && frame < 50) PushWheel(handle, 1);

        engine.BeginScene();
        DrawSquares();
        if (autopilot && frame == 39) litBeforeZoom = LitPixels();
        if (autopilot && frame == frames) {
            GLint viewport[4];
            glGetIntegerv(GL_VIEWPORT, viewport);
            std::printf("viewport: %dx%d\n", viewport[2], viewport[3]);
            std::printf("zoom: %d wheel steps, field of view %.0f, lit pixels %ld before, %ld after\n", wheelSteps,
                        fieldOfView, litBeforeZoom, LitPixels());
        }
        engine.EndScene();

        WINDOW_EVENT event;
        while (Engine::PollEvent(event)) {
            if (event.Type == EVENT_MOUSE_WHEEL && event.Y != 0) {
                // A wheel step away from the user narrows the view by 5 degrees.
                wheelSteps += event.Y;
                fieldOfView = std::clamp(fieldOfView - 5.0f * static_cast<float>(event.Y), 10.0f, 120.0f);
                camera.Set3DFieldOfView(fieldOfView);
            } else if (event.Type == EVENT_RESIZED) {
                std::printf("resized: %dx%d\n", event.X, event.Y);
            } else if (event.Type == EVENT_KEY_DOWN && event.Key == KEY_ESCAPE) {
                engine.UnInitialize();
            }
        }
        if (engine.Unloaded()) break;
    }
    return 0;
}
