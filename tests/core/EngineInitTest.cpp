#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "core/Capabilities.h"
#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/EngineState.h"
#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Log.h"
#include "core/ViewState.h"
#include "korvath/Engine.h"
#include "korvath/Window.h"
#include "platform/GL.h"
#include "platform/Video.h"
#include "support/TestSupport.h"

using namespace korvath;
using test::FloatsEq;
using test::GLEnabled;
using test::GLIntegers;

namespace {

std::vector<std::string> LogLines() { return test::ReadLines(test::ProcessDirectory() + "/Korvath.log"); }

// Runs Initialize with the log on and returns the log once the engine is gone.
std::vector<std::string> InitializeAndLog(int32_t width, int32_t height, bool* result,
                                          bool useWindow = true, int32_t fakeHandle = 0) {
    test::ScopedClock clock(100000, 40);
    Window window;
    int32_t handle = useWindow ? window.Load(640, 480) : fakeHandle;
    {
        Engine engine;
        engine.SetLog(true);
        *result = engine.Initialize(handle, width, height, 32);
    }
    Log().Enabled = false;
    return LogLines();
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

int CountContaining(const std::vector<std::string>& lines, const std::string& part) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.find(part) != std::string::npos; }));
}

void ExpectFailureEnding(const std::vector<std::string>& lines, const std::string& errorLine) {
    size_t at = IndexOf(lines, errorLine);
    ASSERT_LT(at + 4, lines.size()) << "no line " << errorLine;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                                       lines.begin() + static_cast<std::ptrdiff_t>(at) + 5),
              (std::vector<std::string>{"Engine: Loading Failed...", "", "Engine: Unloaded", ""}));
    EXPECT_EQ(IndexOf(lines, "Engine: Success"), lines.size());
}

}  // namespace

TEST(EngineInitialize, SucceedsOnMesaWithoutExtensionErrors) {
    bool ok = false;
    std::vector<std::string> lines = InitializeAndLog(640, 480, &ok);
    ASSERT_TRUE(ok);
    size_t initializing = IndexOf(lines, "Engine: Initializing");
    size_t success = IndexOf(lines, "Engine: Success");
    ASSERT_LT(initializing, success);
    ASSERT_LT(success + 1, lines.size());
    EXPECT_EQ(lines[success + 1], "");
    EXPECT_EQ(CountContaining(lines, "Extension Not Found"), 0);
    EXPECT_LT(success, IndexOf(lines, "Engine: Unloaded"));
    // llvmpipe has S3TC, but a software rasteriser only pays for it.
    EXPECT_TRUE(Caps().TextureCompression && !Caps().CompressTextures);
}

TEST(EngineInitialize, AMissingExtensionWritesOnlyItsOwnLine) {
    OverrideExtensionString(
        "GL_EXT_multi_draw_arrays GL_ARB_multitexture GL_ARB_shader_objects GL_ARB_vertex_shader "
        "GL_ARB_shading_language_100 GL_EXT_texture_compression_s3tc GL_ARB_texture_rectangle");
    bool ok = false;
    std::vector<std::string> lines = InitializeAndLog(640, 480, &ok);
    OverrideExtensionString(std::nullopt);
    EXPECT_TRUE(ok);
    EXPECT_EQ(CountContaining(lines, "Extension Not Found"), 1);
    EXPECT_LT(IndexOf(lines, "Engine: * GL_ARB_fragment_shader Extension Not Found!"), lines.size());
    EXPECT_TRUE(!Caps().FragmentShader && Caps().VertexShader);
}

TEST(EngineInitialize, EveryMissingExtensionInProbeOrder) {
    OverrideExtensionString("GL_nothing");
    bool ok = false;
    std::vector<std::string> lines = InitializeAndLog(640, 480, &ok);
    OverrideExtensionString(std::nullopt);
    EXPECT_TRUE(ok);
    const char* names[] = {"GL_EXT_multi_draw_arrays", "GL_ARB_multitexture", "GL_ARB_shader_objects",
                           "GL_ARB_vertex_shader", "GL_ARB_fragment_shader", "GL_ARB_shading_language_100",
                           "GL_EXT_texture_compression_s3tc", "GL_ARB_texture_rectangle"};
    size_t previous = 0;
    for (const char* name : names) {
        size_t at = IndexOf(lines, std::string("Engine: * ") + name + " Extension Not Found!");
        ASSERT_LT(at, lines.size()) << name;
        EXPECT_GT(at, previous);
        previous = at;
    }
}

TEST(EngineInitialize, ContextFailureTakesTheFailurePath) {
    platform::BlockContextCreation(true);
    bool ok = true;
    std::vector<std::string> lines = InitializeAndLog(640, 480, &ok);
    platform::BlockContextCreation(false);
    EXPECT_FALSE(ok);
    ExpectFailureEnding(lines, " * ERROR: Creating OpenGL Window.");
    EXPECT_EQ(Display().RenderContext, nullptr);
}

TEST(EngineInitialize, BadArgumentsEndWithTheirErrorLines) {
    const std::string format = " * ERROR: Could not find a Suitable Pixel Format.", size = " * ERROR: Invalid Screen Size.";
    const struct {
        int32_t width, height;
        bool window;
        int32_t handle;
        const std::string& error;
    } cases[] = {{640, 480, false, 987654, format}, {640, 480, false, 0, format}, {0, 480, true, 0, size}, {640, -5, true, 0, size}};
    for (const auto& c : cases) {
        bool ok = true;
        ExpectFailureEnding(InitializeAndLog(c.width, c.height, &ok, c.window, c.handle), c.error);
        EXPECT_FALSE(ok) << c.width << " x " << c.height << " handle " << c.handle;
    }
}

TEST(EngineInitialize, FailedStartClosesTheLogAndTeardownRunsTwiceSafely) {
    platform::BlockContextCreation(true);
    Window window;
    int32_t handle = window.Load(320, 240);
    Engine engine;
    engine.SetLog(true);
    EXPECT_FALSE(engine.Initialize(handle, 320, 240, 32));
    platform::BlockContextCreation(false);
    EXPECT_EQ(Log().File, nullptr);
    Log().Enabled = false;
    engine.SetLog(true);  // no log open: nothing changes
    EXPECT_FALSE(Log().Enabled);
}

TEST(EngineInitialize, SetScreenBeforeInitializeReportsTheRefusedMode) {
    {
        Engine engine;
        engine.SetLog(true);
        Display().ScreenWidth = Display().ScreenHeight = 0;
        engine.SetScreen(true);
        EXPECT_TRUE(Display().FullScreen);
        engine.SetScreen(true);  // already full screen: no second switch
        engine.SetScreen(false);
        EXPECT_FALSE(Display().FullScreen);
        engine.SetScreen(false);  // windowed already: nothing
    }
    Log().Enabled = false;
    std::vector<std::string> lines = LogLines();
    EXPECT_EQ(std::pair(CountContaining(lines, " * Error Setting Resolution"), CountContaining(lines, " * Error Resetting Resolution")),
              std::pair(1, 1));
}

TEST(EngineInitialize, SetsTheDefaultStateAndTables) {
    test::OffscreenEngine gl(640, 480);
    ASSERT_TRUE(gl.initialized());
    EXPECT_TRUE(ConsoleData().Visible && Timing().IntroDone);
    EXPECT_TRUE(FloatsEq({View().FieldOfView, View().AspectRatio, View().NearPlane, View().FarPlane}, {70, 1, 0.1f, 10000}));
    EXPECT_EQ(GLIntegers({GL_CULL_FACE_MODE, GL_DEPTH_FUNC, GL_STENCIL_BITS}), (std::vector<int32_t>{GL_FRONT, GL_LEQUAL, 8}));
    EXPECT_EQ(GLEnabled({GL_CULL_FACE, GL_DEPTH_TEST, GL_LIGHTING}), (std::vector<bool>{true, true, false}));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    EXPECT_GE(GLIntegers({GL_DEPTH_BITS})[0], 16);
    EXPECT_TRUE(GLExt().glActiveTextureARB != nullptr);

    // Whole degrees with the engine's own single-precision degree factor.
    ASSERT_EQ(View().SineTable.size(), 361u);
    ASSERT_EQ(View().CosineTable.size(), 361u);
    const double factor = static_cast<double>(0.0174532f);
    for (int d : {0, 1, 30, 90, 180, 270, 360}) {
        EXPECT_EQ(View().SineTable[d], static_cast<float>(std::sin(d * factor))) << d;
        EXPECT_EQ(View().CosineTable[d], static_cast<float>(std::cos(d * factor))) << d;
    }
    EXPECT_NE(View().CosineTable[90], 0.0f);  // not pi/180
}

TEST(EngineInitialize, TeardownReleasesContextAndTables) {
    {
        test::OffscreenEngine gl(320, 240);
        ASSERT_TRUE(gl.initialized());
    }
    EXPECT_TRUE(Display().RenderContext == nullptr && View().SineTable.empty() && !GLExt().glActiveTextureARB);
}

TEST(PixelFormat, DepthIsHalfTheColourDepthRoundedToEven) {
    const auto format = platform::PixelFormatFor(24);
    EXPECT_EQ((std::vector<int>{platform::PixelFormatFor(32).DepthBits, format.DepthBits, platform::PixelFormatFor(16).DepthBits,
                                format.StencilBits, format.ColourBits}),
              (std::vector<int>{16, 12, 8, 8, 24}));
    EXPECT_TRUE(format.DoubleBuffer);
}

// Every colour depth a host may ask for gives a working context: a depth
// buffer for 3D, a stencil buffer for shadows, and pixels that read back.
TEST(EngineInitialize, SixteenTwentyFourAndThirtyTwoBitsAllDraw) {
    for (int32_t bits : {16, 24, 32}) {
        SCOPED_TRACE(bits);
        test::ScopedClock clock(100000, 40);
        Window window;
        const int32_t handle = window.Load(320, 240);
        Engine engine;
        ASSERT_TRUE(engine.Initialize(handle, 320, 240, bits));
        const std::vector<int32_t> depthStencilRed = GLIntegers({GL_DEPTH_BITS, GL_STENCIL_BITS, GL_RED_BITS});
        EXPECT_GE(depthStencilRed[0], 16);
        EXPECT_GE(depthStencilRed[1], 1);
        EXPECT_GE(depthStencilRed[2], 5);
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        const std::vector<uint8_t> pixel = test::ReadPixels(10, 10, 1, 1);
        EXPECT_TRUE(pixel[0] > 200 && pixel[1] < 50) << int{pixel[0]} << " " << int{pixel[1]};
    }
}
