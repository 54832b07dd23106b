#include <SDL.h>
#include <gtest/gtest.h>

#include "core/Display.h"
#include "core/Math.h"
#include "korvath/Window.h"
#include "platform/Video.h"
#include "support/TestSupport.h"

using namespace korvath;

TEST(Window, IsMadeHiddenCentredAndTitled) {
    Window window;
    int32_t handle = window.Load(640, 480);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(Display().WindowHandle, handle);
    SDL_Window* sdl = SDL_GetWindowFromID(static_cast<Uint32>(handle));
    ASSERT_NE(sdl, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(sdl), "Korvath Engine Version: 1.0 Build 4096");
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_HIDDEN);

    int32_t desktopWidth = 0, desktopHeight = 0, bits = 0;
    ASSERT_TRUE(platform::DesktopSize(desktopWidth, desktopHeight, bits));
    int x = -1, y = -1;
    SDL_GetWindowPosition(sdl, &x, &y);
    EXPECT_EQ(x, RoundHalfEven((desktopWidth - 640) / 2.0));
    EXPECT_EQ(y, RoundHalfEven((desktopHeight - 480) / 2.0));
    if (desktopWidth == 1024 && desktopHeight == 768) {
        EXPECT_EQ(x, 192);
        EXPECT_EQ(y, 144);
    }

    window.UnLoad();
    EXPECT_FALSE(platform::IsWindow(handle));
}

TEST(Window, FullScreenWindowIsBorderlessAndNotMoved) {
    Window window;
    int32_t handle = window.Load(320, 200, true);
    SDL_Window* sdl = SDL_GetWindowFromID(static_cast<Uint32>(handle));
    ASSERT_NE(sdl, nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_BORDERLESS);
    int x = -1, y = -1;
    SDL_GetWindowPosition(sdl, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(Window, DestructionUnloadsALoadedWindow) {
    int32_t handle = 0;
    {
        Window window;
        handle = window.Load(100, 100);
        ASSERT_TRUE(platform::IsWindow(handle));
    }
    EXPECT_FALSE(platform::IsWindow(handle));
}
