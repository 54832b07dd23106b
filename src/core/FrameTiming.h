#pragma once
// Frame timing, the frame-rate sample, fades and the engine's lifecycle flags.
#include <cstdint>

namespace korvath {

struct FrameTiming {
    int32_t CurrentTick = 0, PreviousTick = 0;
    float FrameTime = 0, SceneTime = 0;
    int32_t FrameCount = 0, FramesLastSecond = 0, FpsDeadline = 0;
    int32_t FrameLimit = 0, FrameVertices = 0;

    bool FadeActive = false, FadeOut = false;
    float FadeLevel = 0, FadeDuration = 0;
    bool IntroDone = false, UnloadRequested = false;
};

FrameTiming& Timing();

// A fade in (duration > 0) or out (duration <= 0) over |duration| seconds.
void StartFade(float duration);

}  // namespace korvath
