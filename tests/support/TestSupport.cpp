#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "core/FrameTiming.h"
#include "core/Matrix.h"
#include "platform/GL.h"
#include "platform/Host.h"
#include "platform/Video.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace korvath::test {

namespace {
// Every test process gets a directory of its own for the log and scratch files,
// so tests running side by side never share a Korvath.log.
class ProcessEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        platform::OverrideExecutableDirectory(ProcessDirectory());
        platform::RequestOffscreen();
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProcessEnvironment);
}  // namespace

std::string ProcessDirectory() {
    static std::string directory = [] {
        char pattern[] = "/tmp/korvath-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return directory;
}

OffscreenEngine::OffscreenEngine(int32_t width, int32_t height) {
    platform::RequestOffscreen();
    ManualClock clock(100000, 40);
    platform::SetClock(&clock);
    window_ = std::make_unique<Window>();
    window_handle_ = window_->Load(width, height);
    engine_ = std::make_unique<Engine>();
    initialized_ = engine_->Initialize(window_handle_, width, height, 32);
    platform::SetClock(nullptr);
    // Start every test from the same frame timing, with the opening fade over.
    Timing().PreviousTick = Timing().CurrentTick = platform::TickCount();
    Timing().FadeActive = false;
    Timing().FadeLevel = 1;
}

OffscreenEngine::~OffscreenEngine() {
    engine_.reset();
    window_.reset();
}

std::vector<uint8_t> ReadPixels(int32_t x, int32_t y, int32_t width, int32_t height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void ProjectToWindow(const VECTOR3& p, double& x, double& y) {
    ApplyViewTransform(false);
    double model[16], projection[16], z;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
}

bool WriteScreenshot(const std::string& path, int32_t width, int32_t height) {
    std::vector<uint8_t> pixels = ReadPixels(0, 0, width, height);
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4) != 0;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string CorpusPath(const std::string& relative) {
    const char* override = std::getenv("KORVATH_CORPUS");
    const std::string path = std::string(override && *override ? override : KORVATH_CORPUS_DIR) + "/" + relative;
    // Thrown, so the test (or the suite set-up) that wanted it fails there with
    // this message instead of reading an empty buffer further on.
    if (!std::filesystem::exists(path))
        throw std::runtime_error("The test corpus is missing " + path +
                                 ": it is expected in ../shared/corpus beside the repository (or set KORVATH_CORPUS).");
    return path;
}

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

::testing::AssertionResult NearXyz(const VECTOR3& got, const VECTOR3& want, float tolerance) {
    const std::array<float, 3> a = Xyz(got), b = Xyz(want);
    for (size_t i = 0; i < 3; ++i)
        if (!(std::fabs(a[i] - b[i]) <= tolerance))
            return ::testing::AssertionFailure() << "axis " << i << " is " << a[i] << ", expected " << b[i] << " within " << tolerance;
    return ::testing::AssertionSuccess();
}

std::vector<int32_t> GLIntegers(std::initializer_list<uint32_t> names) {
    std::vector<int32_t> values;
    for (const uint32_t name : names) {
        GLint value[16] = {};  // room for the widest query, should one slip in
        glGetIntegerv(name, value);
        values.push_back(value[0]);
    }
    return values;
}

std::vector<bool> GLEnabled(std::initializer_list<uint32_t> capabilities) {
    std::vector<bool> enabled;
    for (const uint32_t capability : capabilities) enabled.push_back(glIsEnabled(capability) == GL_TRUE);
    return enabled;
}

::testing::AssertionResult FloatsEq(const std::vector<float>& actual, const std::vector<float>& expected) {
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " values where " << expected.size() << " were expected";
    for (size_t i = 0; i < actual.size(); ++i)
        if (!::testing::internal::FloatingPoint<float>(actual[i]).AlmostEquals(
                ::testing::internal::FloatingPoint<float>(expected[i])))
            return ::testing::AssertionFailure() << "value " << i << " is " << actual[i] << ", expected " << expected[i];
    return ::testing::AssertionSuccess();
}

}  // namespace korvath::test
