#pragma once
// Level tests that look at the picture: a 640 x 480 frame drawn after the
// scene begins, saved under a name of its own and read back.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Matrix.h"
#include "core/ViewState.h"
#include "platform/GL.h"
#include "world/LevelTestSupport.h"

namespace korvath::test {

class LevelPictureTest : public LevelTest {
protected:
    static constexpr int kWidth = 640, kHeight = 480;
    using Rgb = std::array<int, 3>;

    template <typename Draw>
    std::vector<uint8_t> Frame(const std::string& screenshot, Draw draw) {
        engine().BeginScene();
        Set3DProjection();
        draw();
        glFinish();
        WriteScreenshot(ProcessDirectory() + "/" + screenshot, kWidth, kHeight);
        return ReadPixels(0, 0, kWidth, kHeight);
    }
    // A file below the engine path, its folders made as needed.
    static void WriteBelowEngine(const std::string& relative, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = EnginePath() + relative;
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(path.string(), bytes);
    }
    static void WriteBelowEngine(const std::string& relative, const std::string& text) {
        WriteBelowEngine(relative, std::vector<uint8_t>(text.begin(), text.end()));
    }
    static Rgb At(const std::vector<uint8_t>& pixels, int x, int y) {
        const uint8_t* p = &pixels[static_cast<size_t>(y * kWidth + x) * 4];
        return {p[0], p[1], p[2]};
    }
    static void ExpectNear(const Rgb& pixel, const Rgb& expected, const std::string& what) {
        for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(pixel[i], expected[i], 4) << what << " channel " << i;
    }
};

}  // namespace korvath::test
