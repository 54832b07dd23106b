#pragma once
// The animation clock of one MD3 part: a whole frame number (1-based: frame k
// shows file frame k - 1) that steps at most once per Render, on the
// millisecond tick, through the frames of the part's animation.
#include <cstdint>
#include <vector>

#include "korvath/MD3.h"

namespace korvath {

struct Md3PartClock {
    int32_t Animation = 0;    // the table entry playing; 0 never advances
    int32_t LastAdvance = 0;  // tick of the last step
    int32_t BlendCount = 0;   // intervals elapsed since then, rounded
    int32_t FirstFrame = 0, EndFrame = 0, FramesPerSecond = 0;  // as set, not used for drawing
    int32_t CurrentFrame = 1;
    int32_t NextFrame = 1;    // the frame after CurrentFrame in the animation
    float Blend = 0;          // how far the pose has gone toward NextFrame, 0..1
};

// Starts table entry name on the clock at its first frame.
void StartAnimation(Md3PartClock& clock, int32_t name, const MD3_ANIMATION& entry);

// One Render's step at tick: when a whole frame interval has passed since the
// last step, the clock moves one frame (never more), wrapping from the
// animation's last frame to the one after its first. Then NextFrame and Blend
// describe the way on to the following frame. A clock on animation 0, on an
// entry the table does not hold, or on an entry without frames or rate stays.
void StepPartClock(Md3PartClock& clock, const std::vector<MD3_ANIMATION>& table, int32_t tick);

// The file frame a clock frame shows, inside 0 .. frameCount - 1.
int32_t FileFrame(int32_t clockFrame, int32_t frameCount);

}  // namespace korvath
