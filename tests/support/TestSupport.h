#pragma once
// Shared pieces of the tests: a clock the test drives, an engine brought up on an
// offscreen window, pixel read-back and screenshots.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "korvath/Engine.h"
#include "korvath/Types.h"
#include "korvath/Window.h"
#include "platform/Clock.h"

namespace korvath::test {

// The address sanitizer holds freed memory back in a quarantine, so resident
// memory grows under it whatever the code does; its leak checker watches there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// A tick that moves only when the test says so, plus an optional step on every read
// (so busy waits and the intro come to an end).
class ManualClock : public platform::Clock {
public:
    explicit ManualClock(uint32_t start = 100000, uint32_t stepPerRead = 0)
        : now_(start), step_(stepPerRead) {}
    uint32_t Milliseconds() override {
        uint32_t value = now_;
        now_ += step_;
        ++reads_;
        return value;
    }
    void Sleep(uint32_t ms) override {
        now_ += ms;
        ++sleeps_;
    }
    uint64_t Sleeps() const { return sleeps_; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t ms) { now_ = ms; }
    void SetStep(uint32_t ms) { step_ = ms; }
    uint32_t Now() const { return now_; }
    uint64_t Reads() const { return reads_; }

private:
    uint32_t now_;
    uint32_t step_;
    uint64_t reads_ = 0;
    uint64_t sleeps_ = 0;
};

// Installs a ManualClock for the lifetime of the object.
class ScopedClock {
public:
    explicit ScopedClock(uint32_t start = 100000, uint32_t stepPerRead = 0) : clock_(start, stepPerRead) {
        platform::SetClock(&clock_);
    }
    ~ScopedClock() { platform::SetClock(nullptr); }
    ManualClock& operator*() { return clock_; }
    ManualClock* operator->() { return &clock_; }

private:
    ManualClock clock_;
};

// A window and an initialised engine on SDL's offscreen driver. The intro runs on a
// fast clock, so the engine is ready when the constructor returns.
class OffscreenEngine {
public:
    explicit OffscreenEngine(int32_t width = 640, int32_t height = 480);
    ~OffscreenEngine();
    Engine& engine() { return *engine_; }
    bool initialized() const { return initialized_; }
    int32_t window() const { return window_handle_; }
    Window& window_object() { return *window_; }

private:
    std::unique_ptr<Window> window_;
    std::unique_ptr<Engine> engine_;
    int32_t window_handle_ = 0;
    bool initialized_ = false;
};

// Window position of a world point under the engine camera's view transform
// and the current projection.
void ProjectToWindow(const VECTOR3& p, double& x, double& y);

// RGBA pixels of the back buffer, bottom row first.
std::vector<uint8_t> ReadPixels(int32_t x, int32_t y, int32_t width, int32_t height);
// Writes the current back buffer (width x height) as a PNG, top row first.
bool WriteScreenshot(const std::string& path, int32_t width, int32_t height);

// The private directory of this test process (the log lands here).
std::string ProcessDirectory();
// Lines of a text file, CR LF removed.
std::vector<std::string> ReadLines(const std::string& path);

// A file or folder of ../shared/corpus; a missing one throws, failing the test
// with a message that names it.
std::string CorpusPath(const std::string& relative);

// The process's resident memory in KiB, as the kernel counts it.
long ResidentKilobytes();

// A vector's coordinates, to compare exactly and print in a failure.
inline std::array<float, 3> Xyz(const VECTOR3& v) { return {v.x, v.y, v.z}; }

// Each coordinate within the tolerance; the message names the axis that is not.
::testing::AssertionResult NearXyz(const VECTOR3& got, const VECTOR3& want, float tolerance);

// GL state read in one go, so a test states what it expects as one list
// (single-valued queries only).
std::vector<int32_t> GLIntegers(std::initializer_list<uint32_t> names);
std::vector<bool> GLEnabled(std::initializer_list<uint32_t> capabilities);

// Float lists equal element by element to within four units in the last place,
// the measure EXPECT_FLOAT_EQ uses; the message names the first index that differs.
::testing::AssertionResult FloatsEq(const std::vector<float>& actual, const std::vector<float>& expected);

}  // namespace korvath::test
