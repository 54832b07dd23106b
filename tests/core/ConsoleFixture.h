#pragma once
// An engine on a 640 x 480 offscreen window with an empty console, the caret in its
// visible half-second, and helpers that draw the overlay into the back buffer and
// look for text ink where the overlay puts a line.
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "core/ConsoleState.h"
#include "core/FrameTiming.h"
#include "core/LoadingScreen.h"
#include "engine/Overlay.h"
#include "input/KeyboardService.h"
#include "korvath/Console.h"
#include "korvath/Keyboard.h"
#include "platform/GL.h"
#include "platform/KeyTable.h"
#include "support/TestSupport.h"

namespace korvath::test {

constexpr int32_t kScreenWidth = 640, kScreenHeight = 480;

using PixelTest = std::function<bool(const uint8_t* rgba)>;
inline bool IsWhite(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }
inline bool IsRed(const uint8_t* p) { return p[0] > 200 && p[1] < 80 && p[2] < 80; }
inline bool IsInk(const uint8_t* p) { return p[0] > 40 || p[1] > 40 || p[2] > 40; }

class ConsoleScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.initialized());
        platform::Keys().ReleaseAll();
        console.Clear();
        ConsoleData().Visible = true;
        Loading().Text.clear();
        Loading().Progress = 0;
        Loading().Error = false;
        ConsoleData().ShowVersion = false;
        Timing().FramesLastSecond = 60;
        Timing().FrameCount = 0;
        ConsoleData().Commands.clear();
        ConsoleData().CommandCount = 0;
        ConsoleData().PendingCommand.clear();
        ConsoleData().PendingArgument.clear();
        EngineKeyboard().Buffer("");
        glClearColor(0, 0, 0, 1);
    }
    void TearDown() override { platform::Keys().ReleaseAll(); }

    // The overlay as EndScene draws it, left in the back buffer for reading.
    void DrawOverlay() {
        glClear(GL_COLOR_BUFFER_BIT);
        RenderOverlay();
        glFinish();
    }

    // Pixels in the band just above the baseline of a text line at text row y,
    // columns [left, right), that pass the test.
    static int CountInk(float y, const PixelTest& test, int left = 0, int right = kScreenWidth) {
        const int baseline = static_cast<int>(std::lround((0.97 - y / 51.0 + 1) / 2 * kScreenHeight));
        const int rows = 9;
        std::vector<uint8_t> pixels = ReadPixels(left, baseline + 1, right - left, rows);
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) count += test(&pixels[i]) ? 1 : 0;
        return count;
    }

    // Saves the back buffer beside the test binary so a person can look at it.
    static void Screenshot(const std::string& name) {
        EXPECT_TRUE(WriteScreenshot(name, kScreenWidth, kScreenHeight)) << name;
    }

    OffscreenEngine gl_{kScreenWidth, kScreenHeight};
    Console console;
};

}  // namespace korvath::test
