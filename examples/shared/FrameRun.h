#pragma once
// The frame loop's bookkeeping every example shares: timing, the frame count
// that ends a run, and the screenshot of the last frame before it is shown.
#include <korvath/Engine.h>

#include <chrono>
#include <cstdint>

#include "RunOptions.h"
#include "Screenshot.h"

using ExampleClock = std::chrono::steady_clock;

inline double SecondsSince(ExampleClock::time_point start) {
    return std::chrono::duration<double>(ExampleClock::now() - start).count();
}

class FrameRun {
public:
    explicit FrameRun(const RunOptions& options) : options_(options) {}

    // BeginScene, draw(), the screenshot when this is the last frame asked
    // for, EndScene. False once the last frame is done.
    template <typename Draw>
    bool Frame(korvath::Engine& engine, Draw&& draw) {
        const auto start = ExampleClock::now();
        engine.BeginScene();
        draw();
        ++count_;
        const bool last = options_.frames > 0 && count_ >= options_.frames;
        if (last && !options_.screenshot.empty()) WritePng(options_.screenshot, options_.width, options_.height);
        engine.EndScene();
        lastSeconds_ = static_cast<float>(SecondsSince(start));
        totalSeconds_ += lastSeconds_;
        return !last;
    }

    float LastFrameSeconds() const { return lastSeconds_; }
    int32_t Count() const { return count_; }
    double MeanMilliseconds() const { return count_ > 0 ? 1000.0 * totalSeconds_ / count_ : 0.0; }

private:
    const RunOptions& options_;
    int32_t count_ = 0;
    float lastSeconds_ = 0;
    double totalSeconds_ = 0;
};
