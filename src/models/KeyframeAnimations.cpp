#include "models/KeyframeAnimations.h"

#include <cctype>
#include <cmath>

#include "models/ModelStatus.h"

namespace korvath {

namespace {

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string TrimmedOfBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

AnimationGrouper::AnimationGrouper(std::vector<MD2_ANIMATION>& animations, std::string announce)
    : animations_(animations), announce_(std::move(announce)) {
    animations_.clear();
}

void AnimationGrouper::AddFrame(const std::string& frameName, int32_t frame, int32_t frameCount) {
    const size_t digit = frameName.find_first_of("0123456789");
    if (digit == std::string::npos) return;
    const std::string name = frameName.substr(0, digit);
    if (name != previous_) {
        if (index_ > -1) {
            animations_.back().LastFrame = frame - 1;
            ModelStatus(announce_ + name, static_cast<float>(frame) / static_cast<float>(frameCount));
        }
        ++index_;
        animations_.push_back({name, frame, frame});
    }
    previous_ = name;
}

void AnimationGrouper::Finish(int32_t frameCount) {
    if (!animations_.empty()) animations_.back().LastFrame = frameCount - 1;
}

int32_t FindAnimation(const std::vector<MD2_ANIMATION>& animations, const std::string& name, bool trimNames) {
    const std::string wanted = UpperCase(name);
    for (size_t i = 0; i < animations.size(); ++i) {
        const std::string& own = animations[i].Name;
        if (UpperCase(trimNames ? TrimmedOfBlanks(own) : own) == wanted) return static_cast<int32_t>(i);
    }
    return 0;
}

FrameRange ClockRange(const std::vector<MD2_ANIMATION>& animations, int32_t index, int32_t frameCount) {
    if (index < 0 || static_cast<size_t>(index) >= animations.size()) return {0, frameCount - 1};
    const MD2_ANIMATION& a = animations[static_cast<size_t>(index)];
    return {a.FirstFrame, a.LastFrame};
}

void StepFrameClock(float& frame, int32_t& next, float seconds, float velocity, const FrameRange& range) {
    frame += seconds * velocity;
    const float first = static_cast<float>(range.First), last = static_cast<float>(range.Last);
    // The last frame keeps its fraction, blending back toward the first frame,
    // until the clock reaches the whole frame after it. Written so that a
    // frame that is not a number also restarts.
    if (!(frame >= first && frame < last + 1)) frame = first;
    const float following = std::floor(frame + 1.0f);
    next = following < first || following > last ? range.First : static_cast<int32_t>(following);
}

}  // namespace korvath
