#include "core/FrameTiming.h"

namespace korvath {

void StartFade(float duration) {
    FrameTiming& timing = Timing();
    timing.FadeActive = true;
    timing.FadeOut = duration <= 0;
    timing.FadeDuration = duration < 0 ? -duration : duration;
    timing.FadeLevel = 0;
}

}  // namespace korvath
