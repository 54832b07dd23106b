#include "models/Md3PartClock.h"

#include <algorithm>

#include "core/Math.h"

namespace korvath {

namespace {

// The frame after current: the animation runs F + 1 .. F + N, and a frame
// past its end comes back to F + 1. Wide, so absurd tables cannot overflow.
int32_t FollowingFrame(int32_t current, const MD3_ANIMATION& entry) {
    const int64_t first = entry.FirstFrame, next = int64_t{current} + 1;
    const int64_t following = next > first + entry.NumFrames ? first + 1 : next;
    return static_cast<int32_t>(std::clamp<int64_t>(following, INT32_MIN, INT32_MAX));
}

}  // namespace

void StartAnimation(Md3PartClock& clock, int32_t name, const MD3_ANIMATION& entry) {
    clock.Animation = name;
    clock.FirstFrame = entry.FirstFrame;
    clock.CurrentFrame = entry.FirstFrame;
    clock.NextFrame = entry.FirstFrame;
    clock.Blend = 0;
    clock.EndFrame = static_cast<int32_t>(std::clamp<int64_t>(int64_t{entry.FirstFrame} + entry.NumFrames,
                                                              INT32_MIN, INT32_MAX));
    clock.FramesPerSecond = entry.FrameRate;
}

void StepPartClock(Md3PartClock& clock, const std::vector<MD3_ANIMATION>& table, int32_t tick) {
    const int32_t a = clock.Animation;
    if (a < 1 || static_cast<size_t>(a) >= table.size() || table[static_cast<size_t>(a)].NumFrames <= 0 ||
        table[static_cast<size_t>(a)].FrameRate <= 0) {
        clock.NextFrame = clock.CurrentFrame;
        clock.Blend = 0;
        return;
    }
    const MD3_ANIMATION& entry = table[static_cast<size_t>(a)];
    // The tick wraps after 49 days; the difference of two ticks does not.
    const int32_t elapsed =
        static_cast<int32_t>(static_cast<uint32_t>(tick) - static_cast<uint32_t>(clock.LastAdvance));
    const double interval = 1000.0 / entry.FrameRate;
    clock.BlendCount = RoundHalfEven(std::clamp(elapsed / interval, -1e9, 1e9));
    double sinceStep = elapsed;
    if (interval <= elapsed) {
        clock.CurrentFrame = FollowingFrame(clock.CurrentFrame, entry);
        clock.LastAdvance = tick;
        sinceStep = 0;
    }
    clock.NextFrame = FollowingFrame(clock.CurrentFrame, entry);
    clock.Blend = static_cast<float>(std::clamp(sinceStep / interval, 0.0, 1.0));
}

int32_t FileFrame(int32_t clockFrame, int32_t frameCount) {
    return clockFrame <= 1 ? 0 : std::min(clockFrame - 1, std::max(frameCount - 1, 0));
}

}  // namespace korvath
