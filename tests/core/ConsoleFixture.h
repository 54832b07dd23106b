#pragma once
// An engine on a 640 x 480 offscreen window with an empty console, the caret in its
// visible half-second, and helpers that draw the overlay into the back buffer and
// look for text ink where the overlay puts a line.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "core/Globals.h"
#include "core/Record.h"
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
        EngineState& s = State();
        s.ConsoleVisible = true;
        s.LoadText.clear();
        s.LoadProgress = 0;
        s.LoadError = false;
        s.ShowVersion = false;
        s.FramesLastSecond = 60;
        s.FrameCount = 0;
        s.Commands.clear();
        s.CommandCount = 0;
        s.PendingCommand.clear();
        s.PendingArgument.clear();
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
