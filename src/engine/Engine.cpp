#include "korvath/Engine.h"

#include <cmath>

#include "core/Capabilities.h"
#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/FrameTiming.h"
#include "core/Lighting.h"
#include "core/LoadingScreen.h"
#include "core/Log.h"
#include "core/Math.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/ViewState.h"
#include "engine/CursorPasses.h"
#include "engine/Overlay.h"
#include "engine/WindowSize.h"
#include "input/CursorMaterial.h"
#include "input/KeyboardService.h"
#include "korvath/Ext.h"
#include "korvath/Font.h"
#include "korvath/Keyboard.h"
#include "materials/Texture.h"
#include "platform/Clock.h"
#include "platform/DirectoryListings.h"
#include "platform/Events.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/HostEvents.h"
#include "platform/Video.h"

namespace korvath {

namespace {

void Status(const std::string& text, bool error = false) { ShowLoadStatus(text, true, 0, error); }

void SetDefaultGLState(int32_t width, int32_t height) {
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glClearColor(0, 0, 0, 1);
    glCullFace(GL_FRONT);
    glEnable(GL_CULL_FACE);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glViewport(0, 0, width, height);
}

// Whole degrees 0..360 with the engine's own degree factor (a Single constant,
// the product taken in double precision).
void FillTrigTables() {
    ViewState& view = View();
    view.CosineTable.assign(361, 0);
    view.SineTable.assign(361, 0);
    for (int d = 0; d <= 360; ++d) {
        view.CosineTable[d] = static_cast<float>(std::cos(d * kDegreeFactor));
        view.SineTable[d] = static_cast<float>(std::sin(d * kDegreeFactor));
    }
}

void SwitchScreen(bool Full) {
    DisplayState& display = Display();
    if (Full == display.FullScreen) return;
    if (Full) {
        platform::ShowCursor(false);
        display.FullScreen = true;
        if (!platform::EnterFullscreen(display.DeviceContext, display.ScreenWidth, display.ScreenHeight,
                                       display.ScreenBits))
            ShowLoadStatus(" * Error Setting Resolution", true, 0, true);
    } else {
        if (!platform::LeaveFullscreen(display.DeviceContext))
            ShowLoadStatus(" * Error Resetting Resolution", true, 0, true);
        display.FullScreen = false;
    }
}

// Runs when the Engine object goes and when Initialize fails; each step leaves
// alone what is already released, so it can run twice.
void Teardown() {
    platform::ShowCursor(true);
    platform::ShowWindow(Display().WindowHandle, false);
    SwitchScreen(false);
    View().CosineTable.clear();
    View().SineTable.clear();
    if (Display().RenderContext && platform::MakeCurrent(0, nullptr)) {
        platform::DeleteContext(Display().RenderContext);
        Display().RenderContext = nullptr;
    }
    EngineExt().UnPatchGLExt();
    Status("Engine: Unloaded");
    Status("");
    CloseLog();
}

bool Fail(const std::string& errorLine) {
    KeepLog();
    if (!errorLine.empty()) Status(errorLine, true);
    Status("Engine: Loading Failed...", true);
    Status("");
    Teardown();
    return false;
}

// Sleeps through most of the frame's budget at once and the last milliseconds
// one at a time, as a sleep may overshoot: the frame rate holds without
// burning a processor while it waits.
void WaitFrameLimit() {
    const double budget = 1000.0 / Timing().FrameLimit;
    for (;;) {
        platform::PumpMessages();
        const double left = budget - platform::TickDifference(platform::TickCount(), Timing().CurrentTick);
        if (left < 0) return;
        platform::SleepMilliseconds(left > 2 ? static_cast<uint32_t>(left) - 1 : 1);
    }
}

}  // namespace

// The loading screen is the overlay drawn alone; loaders below the overlay reach
// it through the painter. The cursor reaches material drawing the same way.
Engine::Engine() {
    SetLoadScreenPainter(PaintLoadingScreen);
    SetCursorMaterialPasses(DrawCursorPasses);
    OpenLog();
}

Engine::~Engine() { Teardown(); }

void Engine::BeginScene() {
    FollowWindowSize();
    if (Display().RenderContext) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    Timing().FrameVertices = 0;
}

void Engine::ResetScene() {
    if (Display().RenderContext) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

bool Engine::Initialize(int32_t hWnd, int32_t Width, int32_t Height, int32_t BPP, bool Fullscreen) {
    Display().DeviceContext = hWnd;
    ConsoleData().Visible = true;
    SkipMipmapsForNextTexture(false);
    Display().ScreenWidth = Width;
    Display().ScreenHeight = Height;
    Display().ScreenBits = BPP;
    View().FieldOfView = 70;
    View().AspectRatio = 1.0f;
    View().NearPlane = 0.1f;
    View().FarPlane = 10000;
    Status("Engine: Initializing");

    platform::VideoStart video = platform::StartVideo();
    if (video.FellBackToOffscreen) Status("Engine: No Display Found, Rendering Offscreen");
    if (!video.Ok || !platform::IsWindow(hWnd) || BPP <= 0)
        return Fail(" * ERROR: Could not find a Suitable Pixel Format.");
    if (Width <= 0 || Height <= 0) return Fail(" * ERROR: Invalid Screen Size.");
    platform::RequestPixelFormat(platform::PixelFormatFor(BPP));

    if (Display().RenderContext) {
        // A second Initialize replaces the context of the first.
        platform::MakeCurrent(0, nullptr);
        platform::DeleteContext(Display().RenderContext);
    }
    Display().RenderContext = platform::CreateContext(hWnd);
    if (!Display().RenderContext || !platform::MakeCurrent(hWnd, Display().RenderContext)) {
        platform::DeleteContext(Display().RenderContext);
        Display().RenderContext = nullptr;
        return Fail(" * ERROR: Creating OpenGL Window.");
    }

    Display().VSync = Display().VSyncWanted && platform::SetSwapSync(true);
    try {
        EngineExt().PatchGLExt();
        ProbeCapabilities();
        SetDefaultGLState(Width, Height);
        NoteWindowSize();
        EngineFont().Load("Courier New", RoundHalfEven(Width / 50.0 + 2), true, false, false, false);
        FillTrigTables();
        platform::ShowWindow(Display().WindowHandle, true);
        SetScreen(Fullscreen);
        PlayIntro();
    } catch (const std::exception&) {
        return Fail("");
    }
    Status("Engine: Success");
    Status("");
    return true;
}

void Engine::UnInitialize() {
    StartFade(-500);
    Timing().UnloadRequested = true;
}

bool Engine::Loaded() const { return Timing().IntroDone && !Timing().FadeActive; }
bool Engine::Unloaded() const { return Timing().UnloadRequested && !Timing().FadeActive; }

void Engine::SetFPS(bool Visible) { ConsoleData().ShowFPS = Visible; }
void Engine::SetLimit(int32_t Limit) { Timing().FrameLimit = Limit; }
void Engine::SetVersion(bool Visible) { ConsoleData().ShowVersion = Visible; }
void Engine::SetOverbright(bool Enabled) { Lighting().Overbright = Enabled; }

void Engine::SetTrilinear(bool Enabled) { SetTrilinearFiltering(Enabled); }

bool Engine::SetVSync(bool Enabled) {
    Display().VSyncWanted = Enabled;
    if (!Display().RenderContext) return true;  // applied when the context is made
    const bool taken = platform::SetSwapSync(Enabled);
    Display().VSync = Enabled && taken;
    return taken;
}

void Engine::SetLog(bool Enabled) {
    if (Log().File) Log().Enabled = Enabled;
}

// A relative path is fixed against the current directory now: every name is
// then resolved against it exactly once, and a later change of directory does
// not move the game data.
void Engine::SetPath(const std::string& Path) {
    std::string path = Path.empty() || IsAbsolutePath(Path) ? Path : platform::CurrentDirectory() + "/" + Path;
    if (path.empty() || (path.back() != '/' && path.back() != '\\')) path += '/';
    EnginePath() = path;
    platform::ForgetDirectoryListings();
}

void Engine::SetScreen(bool Full) { SwitchScreen(Full); }

void Engine::EndScene() {
    FrameTiming& timing = Timing();
    int32_t now = platform::TickCount();
    timing.CurrentTick = now;
    timing.FrameTime = static_cast<float>(platform::TickDifference(now, timing.PreviousTick)) * 0.001f;
    timing.SceneTime = static_cast<float>(now) * 0.001f;
    timing.PreviousTick = now;
    timing.FrameCount += 1;

    if (platform::TickDifference(platform::TickCount(), timing.FpsDeadline) > 0) {
        timing.FramesLastSecond = timing.FrameCount;
        timing.FrameCount = 0;
        timing.FpsDeadline = platform::TickAfter(platform::TickCount(), 1000);
    }

    // With the swap tied to the display's refresh, the swap itself paces frames.
    if (timing.FrameLimit != 0 && !Display().VSync) WaitFrameLimit();
    platform::PumpMessages();

    if (timing.FrameCount > 0 && timing.FadeActive) {
        // A zero-length fade ends at once instead of dividing by zero.
        if (timing.FadeDuration > 0) timing.FadeLevel += 1000.0f / timing.FadeDuration * timing.FrameTime;
        else timing.FadeLevel = 1;
    }
    if (timing.FadeLevel >= 1) timing.FadeActive = false;

    if (!Display().RenderContext) return;
    FollowWindowSize();
    if (ConsoleData().Visible) {
        RenderOverlay();
    } else {
        if (ConsoleData().ShowFPS) EngineFont().Render("FPS: " + std::to_string(timing.FramesLastSecond), 1, 1, 1, 0, 0, 1);
        if (EngineKeyboard().Check(KEY_BACKQUOTE)) ConsoleData().Visible = true;
    }
    glFlush();
    platform::SwapWindow(Display().DeviceContext);
}

void Engine::PumpMessages() { platform::PumpMessages(); }
bool Engine::PollEvent(WINDOW_EVENT& Event) { return platform::TakeHostEvent(Event); }
bool Engine::CloseRequested() { return platform::CloseRequested(); }
void Engine::ClearCloseRequest() { platform::ClearCloseRequest(); }

}  // namespace korvath
