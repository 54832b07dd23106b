// The cursor on the offscreen context, fed through real SDL events.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>

#include "core/ConsoleState.h"
#include "core/EngineState.h"
#include "core/Math.h"
#include "core/Matrix.h"
#include "input/SelectionHits.h"
#include "korvath/Camera.h"
#include "korvath/Cursor.h"
#include "platform/Events.h"
#include "platform/GL.h"
#include "platform/KeyTable.h"
#include "platform/Pointer.h"
#include "support/RenderFixture.h"

using namespace korvath;

namespace {

constexpr int kSize = 128;

class CursorTest : public test::RenderTest<kSize> {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        saved_ = State();
        camera_.Set3DFieldOfView(70);
        camera_.SetPosition(0, 0, 0);
        camera_.SetRotation(0, 0, 0);
        platform::PumpMessages();
        platform::Keys().ReleaseAll();
        glDisable(GL_CULL_FACE);  // the squares face the camera either way round
        cursor_.Relative(true);  // the pointer stays where the test puts it
    }
    void TearDown() override {
        glEnable(GL_CULL_FACE);
        View() = saved_.view;
        ConsoleData().Visible = saved_.console.Visible;
    }
    // Moves the pointer to window pixel (x, y), y down, as the window system
    // would, and lets the cursor read it.
    void PointAt(int x, int y) {
        SDL_WarpMouseInWindow(SDL_GetWindowFromID(static_cast<Uint32>(gl_->window())), x, y);
        platform::PumpMessages();
        cursor_.Update();
    }
    // A square of half-width 30 world units across the view at depth z.
    static void Square(float z, float offsetX = 0) {
        ApplyViewTransform(false);
        glBegin(GL_QUADS);
        glVertex3f(offsetX - 30, -30, z);
        glVertex3f(offsetX + 30, -30, z);
        glVertex3f(offsetX + 30, 30, z);
        glVertex3f(offsetX - 30, 30, z);
        glEnd();
    }
    void PickFarANearB() {
        cursor_.BeginSelection("A");
        Square(-200);
        cursor_.BeginSelection("B");
        Square(-100);
        cursor_.EndSelection();
    }

    EngineState saved_;
    Camera camera_;
    Cursor cursor_;
};

}  // namespace

TEST(SelectionHits, NearestNamedRecordThatFitsTheBuffer) {
    struct Case {
        const char* what;
        std::vector<uint32_t> buffer;
        int32_t hits;
        uint32_t expected;
    };
    const Case cases[] = {
        {"no hits", {1, 5, 9, 41}, 0, 0},
        {"overflow", {1, 5, 9, 41}, -1, 0},
        {"one", {1, 5, 9, 41}, 1, 41},
        {"second nearer", {1, 5, 9, 41, 1, 4, 9, 42}, 2, 42},
        {"tie keeps the first", {1, 5, 9, 41, 1, 5, 9, 42}, 2, 41},
        {"depth compared unsigned", {1, 0x7fffffff, 9, 41, 1, 0x80000000u, 9, 42}, 2, 41},
        {"a record without names is passed over", {0, 1, 9, 1, 7, 9, 43}, 2, 43},
        {"more hits claimed than records fit", {1, 5, 9, 41, 1, 4, 9}, 5, 41},
        {"a name count running past the end", {200, 1, 9, 50}, 3, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NearestHitName(c.buffer.data(), c.buffer.size(), c.hits), c.expected) << c.what;
}

TEST_F(CursorTest, TheNearerOfTwoOverlappingNamesIsPicked) {
    PointAt(kSize / 2, kSize / 2);
    PickFarANearB();
    EXPECT_TRUE(cursor_.CheckSelection("B") && cursor_.CheckSelection("Bob"));  // only the first character counts
    EXPECT_FALSE(cursor_.CheckSelection("A"));

    // Beside both squares: nothing.
    PointAt(4, 4);
    PickFarANearB();
    EXPECT_FALSE(cursor_.CheckSelection("A") || cursor_.CheckSelection("B"));

    // Nothing drawn at all.
    PointAt(kSize / 2, kSize / 2);
    cursor_.BeginSelection("A");
    cursor_.EndSelection();
    EXPECT_FALSE(cursor_.CheckSelection("A"));
    // The modes and matrices are back as they were.
    EXPECT_EQ(test::GLIntegers({GL_RENDER_MODE, GL_PROJECTION_STACK_DEPTH}), (std::vector<int32_t>{GL_RENDER, 1}));
}

TEST_F(CursorTest, NamesWithLetterDigitsPickConsistentlyAndEmptyNamesThrow) {
    PointAt(kSize / 2, kSize / 2);
    cursor_.BeginSelection("K");  // 0x4B
    Square(-200);
    cursor_.BeginSelection("J");  // 0x4A
    Square(-100);
    cursor_.EndSelection();
    EXPECT_TRUE(cursor_.CheckSelection("J") && !cursor_.CheckSelection("K"));
    EXPECT_THROW(cursor_.BeginSelection(""), Error);
    EXPECT_THROW(cursor_.CheckSelection(), Error);
    EXPECT_EQ(test::GLIntegers({GL_RENDER_MODE})[0], GL_RENDER);
}

TEST_F(CursorTest, MoreHitsThanTheBufferHoldsMeanNothing) {
    PointAt(kSize / 2, kSize / 2);
    const std::string names = "ABCDEFGHIJKLMNOPQRST";  // 20 records of 4 words
    for (size_t i = 0; i < names.size(); ++i) {
        cursor_.BeginSelection(names.substr(i, 1));
        Square(-100 - static_cast<float>(i));
    }
    cursor_.EndSelection();
    for (char c : names) EXPECT_FALSE(cursor_.CheckSelection(std::string(1, c)));
}

TEST_F(CursorTest, DirectionUnderTheCentreIsTheViewDirection) {
    PointAt(kSize / 2, kSize / 2);
    for (const VECTOR3& rotation : {VECTOR3{0, 0, 0}, VECTOR3{20, 135, 0}}) {
        camera_.SetRotation(rotation.x, rotation.y, rotation.z);
        ApplyViewTransform(false);
        float m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        const VECTOR3 forward = VectorNormalize({-m[2], -m[6], -m[10]});
        EXPECT_TRUE(test::NearXyz(VectorNormalize(cursor_.Direction()), forward, 0.02f));
    }

    // Over a drawn surface it reaches the surface.
    camera_.SetRotation(0, 0, 0);
    camera_.SetPosition(5, 0, 0);
    glEnable(GL_DEPTH_TEST);
    Square(-100, 5);
    const VECTOR3 d = cursor_.Direction();
    EXPECT_TRUE(test::NearXyz({d.x, 0, d.z}, {0, 0, -100}, 1));
}

TEST_F(CursorTest, CentringReportsTheMoveOnceThroughSdlEvents) {
    cursor_.Relative(false);
    cursor_.Update();  // puts the pointer at the centre
    platform::PumpMessages();
    cursor_.Update();
    const CURSOR_AXES centre = cursor_.Rotation();
    EXPECT_EQ(cursor_.Axes().x, 0);
    platform::ScreenRect rect;
    ASSERT_TRUE(platform::WindowRectangle(gl_->window(), rect));
    EXPECT_EQ(centre.x, rect.left + kSize / 2);

    SDL_WarpMouseInWindow(SDL_GetWindowFromID(static_cast<Uint32>(gl_->window())), kSize / 2 + 10, kSize / 2);
    platform::PumpMessages();
    cursor_.Update();
    EXPECT_EQ(std::pair(cursor_.Axes().x, cursor_.Axes().y), std::pair(-10, 0));
    platform::PumpMessages();
    cursor_.Update();
    EXPECT_EQ(cursor_.Axes().x, 0);

    // With Relative the pointer moves freely: the offset from the centre stays.
    cursor_.Relative(true);
    PointAt(kSize / 2 - 7, kSize / 2 - 3);
    cursor_.Update();
    EXPECT_EQ(std::pair(cursor_.Axes().x, cursor_.Axes().y), std::pair(7, 3));
}

TEST_F(CursorTest, ButtonsComeFromSdlEvents) {
    auto push = [&](Uint32 type, Uint8 button) {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = static_cast<Uint32>(gl_->window());
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    };
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    platform::PumpMessages();
    EXPECT_TRUE(cursor_.Button(MOUSE_RIGHT) && cursor_.Button(MOUSE_RIGHT));  // still held
    EXPECT_FALSE(cursor_.Button(MOUSE_LEFT));
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    // A click between two queries is seen once.
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE);
    platform::PumpMessages();
    EXPECT_FALSE(cursor_.Button(MOUSE_RIGHT));
    EXPECT_TRUE(cursor_.Button(MOUSE_MIDDLE) && !cursor_.Button(MOUSE_MIDDLE));
}

TEST_F(CursorTest, TheCursorQuadIsDrawnWithItsMaterialAtItsTwipPosition) {
    SHADER white;
    white.Stages.resize(1);  // texture 0 draws white
    cursor_.Shader(white);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    // x / (width / 15) units to the left: half a unit here.
    cursor_.Render(0.5f * kSize / 15, 0, 0.25f);
    Save("cursor-quad.png");
    const test::Picture quad = Take();
    EXPECT_GT(quad.At(kSize / 4, kSize / 2)[0], 200);
    EXPECT_EQ(quad.At(kSize / 2 + 20, kSize / 2)[0] + quad.At(kSize / 4, kSize / 2 + 20)[0], 0);
    Set3DProjection();
}
