#include "korvath/Engine.h"

#include <cmath>

#include "core/Globals.h"
#include "core/Record.h"
#include "korvath/Ext.h"
#include "korvath/Font.h"
#include "korvath/Keyboard.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/GL.h"
#include "platform/Video.h"

namespace korvath {

namespace {

void Status(const std::string& text, bool error = false) { ShowLoadStatus(text, true, 0, error); }

// The probes of Initialize, in the order their lines are written.
struct Probe {
    const char* name;
    bool EngineState::*flag;
};
const Probe kProbes[] = {
    {"GL_EXT_multi_draw_arrays", &EngineState::ExtMultiDrawArrays},
    {"GL_ARB_multitexture", &EngineState::ExtMultitexture},
    {"GL_ARB_shader_objects", &EngineState::ExtShaderObjects},
    {"GL_ARB_vertex_shader", &EngineState::ExtVertexShader},
    {"GL_ARB_fragment_shader", &EngineState::ExtFragmentShader},
    {"GL_ARB_shading_language_100", &EngineState::ExtShadingLanguage},
    {"GL_EXT_texture_compression_s3tc", &EngineState::ExtTextureCompression},
    {"GL_ARB_texture_rectangle", &EngineState::ExtTextureRectangle},
};

// A rasteriser on the CPU keeps textures in system memory, so compression saves
// it nothing: its driver compresses on the CPU at load and decodes every texel
// it samples.
bool SoftwareRasteriser() {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer) return false;
    const std::string name = renderer;
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (name.find(software) != std::string::npos) return true;
    return false;
}

void ProbeExtensions() {
    EngineState& s = State();
    for (const Probe& probe : kProbes) {
        std::string name = probe.name;
        s.*probe.flag = EngineExt().IsExtensionSupported(name);
    }
    for (const Probe& probe : kProbes)
        if (!(s.*probe.flag)) Status(std::string("Engine: * ") + probe.name + " Extension Not Found!", true);
    s.CompressTextures = s.ExtTextureCompression && !SoftwareRasteriser();
}

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
    EngineState& s = State();
    const double factor = static_cast<double>(0.0174532f);
    s.CosineTable.assign(361, 0);
    s.SineTable.assign(361, 0);
    for (int d = 0; d <= 360; ++d) {
        s.CosineTable[d] = static_cast<float>(std::cos(d * factor));
        s.SineTable[d] = static_cast<float>(std::sin(d * factor));
    }
}

void SwitchScreen(bool Full) {
    EngineState& s = State();
    if (Full == s.FullScreen) return;
    if (Full) {
        platform::ShowCursor(false);
        s.FullScreen = true;
        int32_t width = 0, height = 0, bits = 0;
        platform::DesktopSize(width, height, bits);
        s.SavedMode = {0x1C0000, bits, width, height};
        s.RequestedMode = {0x1C0000, s.ScreenBits, s.ScreenWidth, s.ScreenHeight};
        if (!platform::EnterFullscreen(s.DeviceContext, s.ScreenWidth, s.ScreenHeight, s.ScreenBits))
            ShowLoadStatus(" * Error Setting Resolution", true, 0, true);
    } else {
        if (!platform::LeaveFullscreen(s.DeviceContext))
            ShowLoadStatus(" * Error Resetting Resolution", true, 0, true);
        s.FullScreen = false;
    }
}

// Runs when the Engine object goes and when Initialize fails; each step leaves
// alone what is already released, so it can run twice.
void Teardown() {
    EngineState& s = State();
    platform::ShowCursor(true);
    platform::ShowWindow(s.WindowHandle, false);
    SwitchScreen(false);
    s.CosineTable.clear();
    s.SineTable.clear();
    if (s.RenderContext && platform::MakeCurrent(0, nullptr)) {
        platform::DeleteContext(s.RenderContext);
        s.RenderContext = nullptr;
    }
    EngineExt().UnPatchGLExt();
    Status("Engine: Unloaded");
    Status("");
    CloseLog();
}

bool Fail(const std::string& errorLine) {
    if (!errorLine.empty()) Status(errorLine, true);
    Status("Engine: Loading Failed...", true);
    Status("");
    Teardown();
    return false;
}

void WaitFrameLimit() {
    EngineState& s = State();
    const double until = s.CurrentTick + 1000.0 / s.FrameLimit;
    do {
        platform::PumpMessages();
    } while (!(platform::TickCount() > until));
}

}  // namespace

Engine::Engine() { OpenLog(); }

Engine::~Engine() { Teardown(); }

void Engine::BeginScene() {
    if (State().RenderContext) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    State().FrameVertices = 0;
}

void Engine::ResetScene() {
    if (State().RenderContext) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

bool Engine::Initialize(int32_t hWnd, int32_t Width, int32_t Height, int32_t BPP, bool Fullscreen) {
    EngineState& s = State();
    s.DeviceContext = hWnd;
    s.ConsoleVisible = true;
    s.UseMipmaps = true;
    s.ScreenWidth = Width;
    s.ScreenHeight = Height;
    s.ScreenBits = BPP;
    s.FieldOfView = 70;
    s.AspectRatio = 1.0f;
    s.NearPlane = 0.1f;
    s.FarPlane = 10000;
    Status("Engine: Initializing");

    platform::VideoStart video = platform::StartVideo();
    if (video.FellBackToOffscreen) Status("Engine: No Display Found, Rendering Offscreen");
    if (!video.Ok || !platform::IsWindow(hWnd) || BPP <= 0)
        return Fail(" * ERROR: Could not find a Suitable Pixel Format.");
    if (Width <= 0 || Height <= 0) return Fail(" * ERROR: Invalid Screen Size.");
    platform::RequestPixelFormat(platform::PixelFormatFor(BPP));

    if (s.RenderContext) {
        // A second Initialize replaces the context of the first.
        platform::MakeCurrent(0, nullptr);
        platform::DeleteContext(s.RenderContext);
    }
    s.RenderContext = platform::CreateContext(hWnd);
    if (!s.RenderContext || !platform::MakeCurrent(hWnd, s.RenderContext)) {
        platform::DeleteContext(s.RenderContext);
        s.RenderContext = nullptr;
        return Fail(" * ERROR: Creating OpenGL Window.");
    }

    try {
        EngineExt().PatchGLExt();
        ProbeExtensions();
        SetDefaultGLState(Width, Height);
        EngineFont().Load("Courier New", RoundHalfEven(Width / 50.0 + 2), true, false, false, false);
        FillTrigTables();
        platform::ShowWindow(s.WindowHandle, true);
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
    State().UnloadRequested = true;
}

bool Engine::Loaded() const { return State().IntroDone && !State().FadeActive; }
bool Engine::Unloaded() const { return State().UnloadRequested && !State().FadeActive; }

void Engine::SetFPS(bool Visible) { State().ShowFPS = Visible; }
void Engine::SetLimit(int32_t Limit) { State().FrameLimit = Limit; }
void Engine::SetVersion(bool Visible) { State().ShowVersion = Visible; }

void Engine::SetLog(bool Enabled) {
    if (State().LogFile) State().LogEnabled = Enabled;
}

void Engine::SetPath(const std::string& Path) {
    std::string path = Path;
    if (path.empty() || (path.back() != '/' && path.back() != '\\')) path += '/';
    State().EnginePath = path;
}

void Engine::SetScreen(bool Full) { SwitchScreen(Full); }

void Engine::EndScene() {
    EngineState& s = State();
    int32_t now = platform::TickCount();
    s.CurrentTick = now;
    s.FrameTime = static_cast<float>(now - s.PreviousTick) * 0.001f;
    s.SceneTime = static_cast<float>(now) * 0.001f;
    s.PreviousTick = now;
    s.FrameCount += 1;

    if (s.FpsDeadline < platform::TickCount()) {
        s.FramesLastSecond = s.FrameCount;
        s.FrameCount = 0;
        s.FpsDeadline = platform::TickCount() + 1000;
    }

    if (s.FrameLimit != 0) WaitFrameLimit();
    platform::PumpMessages();

    if (s.FrameCount > 0 && s.FadeActive) {
        // A zero-length fade ends at once instead of dividing by zero.
        if (s.FadeDuration > 0) s.FadeLevel += 1000.0f / s.FadeDuration * s.FrameTime;
        else s.FadeLevel = 1;
    }
    if (s.FadeLevel >= 1) s.FadeActive = false;

    if (!s.RenderContext) return;
    if (s.ConsoleVisible) {
        RenderOverlay();
    } else {
        if (s.ShowFPS) EngineFont().Render("FPS: " + std::to_string(s.FramesLastSecond), 1, 1, 1, 0, 0, 1);
        if (EngineKeyboard().Check(KEY_BACKQUOTE)) s.ConsoleVisible = true;
    }
    glFlush();
    platform::SwapWindow(s.DeviceContext);
}

void Engine::PumpMessages() { platform::PumpMessages(); }
bool Engine::CloseRequested() { return platform::CloseRequested(); }
void Engine::ClearCloseRequest() { platform::ClearCloseRequest(); }

}  // namespace korvath
