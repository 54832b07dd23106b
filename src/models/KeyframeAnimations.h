#pragma once
// Named animations of the keyframe formats (MD2, MDL): frames grouped by their
// names, looked up by name, and the clock that runs through one of them.
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/KeyframeModel.h"

namespace korvath {

// Builds the animation list one frame name at a time. A name's animation is
// the text before its first digit; a name without a digit continues the
// current animation. Each new animation after the first is announced as
// announce + its name, with the load's progress.
class AnimationGrouper {
public:
    AnimationGrouper(std::vector<MD2_ANIMATION>& animations, std::string announce);
    void AddFrame(const std::string& frameName, int32_t frame, int32_t frameCount);
    // Closes the last animation at the last frame.
    void Finish(int32_t frameCount);
    int32_t Index() const { return index_; }

private:
    std::vector<MD2_ANIMATION>& animations_;
    std::string announce_;
    std::string previous_;
    int32_t index_ = -1;
};

// The first animation whose name equals name ignoring case (with blanks at
// either end of the animation's name left out when trimNames); 0 when none does.
int32_t FindAnimation(const std::vector<MD2_ANIMATION>& animations, const std::string& name, bool trimNames = false);

// The frames the clock runs through, both ends included.
struct FrameRange {
    int32_t First = 0, Last = 0;
};

// The current animation's frames, or every frame when the index names none (a
// file without digits in its frame names).
FrameRange ClockRange(const std::vector<MD2_ANIMATION>& animations, int32_t index, int32_t frameCount);

// Advances frame by seconds × velocity; a frame before the range, or at or
// past the whole frame after its last, restarts at its first frame. next is
// the following whole frame, or the first frame when that leaves the range.
void StepFrameClock(float& frame, int32_t& next, float seconds, float velocity, const FrameRange& range);

}  // namespace korvath
