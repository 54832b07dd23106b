#pragma once
// What the render tests share: one square offscreen engine for a whole suite,
// the camera and frame clock put back before every test, and the back buffer
// read as a picture to compare.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/ConsoleState.h"
#include "core/FrameTiming.h"
#include "core/ViewState.h"
#include "korvath/Camera.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

namespace korvath::test {

// The back buffer of a square window, RGBA, bottom row first.
struct Picture {
    explicit Picture(int size) : size(size), pixels(ReadPixels(0, 0, size, size)) {}
    const uint8_t* At(size_t pixel) const { return &pixels[pixel * 4]; }
    const uint8_t* At(int x, int y) const { return At(static_cast<size_t>(y) * static_cast<size_t>(size) + x); }
    // Pixels whose colour channels differ from the other picture's by more than
    // the tolerance, summed over red, green and blue.
    int Differing(const Picture& other, int tolerance = 0) const {
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            count += std::abs(pixels[i] - other.pixels[i]) + std::abs(pixels[i + 1] - other.pixels[i + 1]) +
                         std::abs(pixels[i + 2] - other.pixels[i + 2]) > tolerance;
        return count;
    }
    double Brightness() const {
        double sum = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) sum += pixels[i] + pixels[i + 1] + pixels[i + 2];
        return sum;
    }
    // Pixels that are not black.
    int Lit() const {
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) count += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
        return count;
    }

    int size;
    std::vector<uint8_t> pixels;
};

template <int Size>
class RenderTest : public ::testing::Test {
protected:
    static constexpr int kSize = Size;
    static void SetUpTestSuite() {
        gl_ = std::make_unique<OffscreenEngine>(Size, Size);
        ConsoleData().Visible = false;
    }
    static void TearDownTestSuite() { gl_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(gl_->initialized());
        Camera().Set3DFieldOfView(60);
        View().CameraRotation = {};
        Timing().FrameTime = 0;
        Clear();
    }
    static void Clear(float red = 0, float green = 0, float blue = 0) {
        glClearColor(red, green, blue, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glClearColor(0, 0, 0, 1);
    }
    static Picture Take() { return Picture(Size); }
    static void Save(const std::string& name) { WriteScreenshot(ProcessDirectory() + "/" + name, Size, Size); }

    static inline std::unique_ptr<OffscreenEngine> gl_;
};

}  // namespace korvath::test
