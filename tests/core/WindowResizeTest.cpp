#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ostream>

#include "core/ConsoleState.h"
#include "core/Display.h"
#include "korvath/Camera.h"
#include "korvath/Window.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

std::array<GLint, 4> Viewport() {
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
}

std::array<GLfloat, 16> Projection() {
    std::array<GLfloat, 16> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    return m;
}

bool IsRed(int32_t x, int32_t y) {
    const auto pixel = test::ReadPixels(x, y, 1, 1);
    return pixel[0] > 200 && pixel[1] < 50;
}

// The engine's own Window::Resize, or a host resizing the SDL window behind the engine's back.
enum class Resizer { Window, Host };
void PrintTo(Resizer r, std::ostream* os) { *os << (r == Resizer::Window ? "Window::Resize" : "SDL_SetWindowSize"); }

class WindowResize : public ::testing::TestWithParam<Resizer> {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.initialized());
        ConsoleData().Visible = false;
    }
    void Resize(int32_t w, int32_t h) {
        if (GetParam() == Resizer::Window)
            gl_.window_object().Resize(w, h);
        else
            SDL_SetWindowSize(SDL_GetWindowFromID(static_cast<Uint32>(gl_.window())), w, h);
    }

    test::OffscreenEngine gl_{320, 240};
    Camera camera_;
};

TEST_P(WindowResize, PerspectiveKeepsItsFieldOfView) {
    camera_.Set3DFieldOfView(70);
    const auto before = Projection();
    Resize(200, 100);
    gl_.engine().BeginScene();
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 200, 100}));
    EXPECT_EQ(Projection(), before);
    EXPECT_NEAR(Projection()[5], 1 / std::tan(35 * M_PI / 180), 1e-5);
    gl_.engine().EndScene();
}

// A red square drawn in the overlay's top right corner lands in the new window's corner.
TEST_P(WindowResize, OverlayCoversTheNewSize) {
    camera_.Set2DFieldOfView(70);
    Resize(160, 120);
    gl_.engine().BeginScene();
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 160, 120}));
    EXPECT_EQ(Display().ScreenWidth, 160);
    EXPECT_EQ(Display().ScreenHeight, 120);
    EXPECT_NEAR(Projection()[0], 2.0f / 160, 1e-6);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glColor3f(1, 0, 0);
    const float w = static_cast<float>(Display().ScreenWidth), h = static_cast<float>(Display().ScreenHeight);
    glRectf(w - 20, h - 20, w, h);
    glColor3f(1, 1, 1);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    // The offscreen surface keeps its first size; the window's corner is now at (160, 120).
    EXPECT_TRUE(IsRed(150, 110));
    EXPECT_FALSE(IsRed(310, 230));
    gl_.engine().EndScene();
}

INSTANTIATE_TEST_SUITE_P(Both, WindowResize, ::testing::Values(Resizer::Window, Resizer::Host),
                         [](const auto& info) { return info.param == Resizer::Window ? "Window" : "Host"; });

// The size given to Initialize stands until the window itself changes.
TEST(WindowSize, InitializeSizeStandsUntilTheWindowChanges) {
    test::OffscreenEngine gl(320, 240);
    ASSERT_TRUE(gl.initialized());
    Display().ScreenWidth = 300;  // as if Initialize had been told 300 x 200
    Display().ScreenHeight = 200;
    glViewport(0, 0, 300, 200);
    gl.engine().BeginScene();
    gl.engine().EndScene();
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 300, 200}));
}

}  // namespace
