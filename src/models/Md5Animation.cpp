// Adding animations to an MD5 model and the clock that plays them: frames
// advancing with the frame time, and the cross-fade toward a target
// animation.
#include <algorithm>
#include <cmath>
#include <new>

#include "core/FrameTiming.h"
#include "core/Math.h"
#include "core/Paths.h"
#include "korvath/MD5.h"
#include "models/Md5Bake.h"
#include "models/Md5Text.h"
#include "models/ModelStatus.h"
#include "platform/Files.h"

namespace korvath {

namespace {

// The file name between its last separator and the next ".".
std::string AnimationName(const std::string& filename) {
    const std::string name = FileNameOf(filename);
    return name.substr(0, name.find('.'));
}

const char* const kAnimationFailed = "MD5: Animation Loading Failed...";

}  // namespace

void MD5::LoadAnimation(const std::string& Filename) {
    if (!loaded_) {
        ModelStatus("MD5: You must successfully load a mesh before loading an animation.");
        return FinishLoadStatus(kAnimationFailed);
    }
    ModelStatus("MD5: Loading Animation " + FileNameOf(Filename));
    std::vector<uint8_t> bytes;
    Md5Animation animation;
    const Md5AnimResult result = platform::ReadWholeFile(ResolvePath(Filename), bytes)
                                     ? ReadMd5Anim(TextOf(bytes), animation.File)
                                     : Md5AnimResult::Malformed;
    if (result == Md5AnimResult::NotMd5) ModelStatus(" * Not A Valid MD5 Animation !", 0, true);
    // An animation without frames would leave nothing to draw.
    if (result != Md5AnimResult::Loaded || animation.File.NumFrames <= 0) return FinishLoadStatus(kAnimationFailed);
    Md5Data& d = *data_;
    animation.Name = AnimationName(Filename);
    bool baked = false;
    try {
        baked = BakeAnimation(d, animation);
    } catch (const std::bad_alloc&) {
    }
    if (!baked) return FinishLoadStatus(kAnimationFailed);
    d.Animations.push_back(std::move(animation));
    d.Clock.CurrentAnimation = d.Clock.TargetAnimation = static_cast<int32_t>(d.Animations.size()) - 1;
    SetFrame(0);
    ModelStatus("");
}

void MD5::Update() {
    if (!loaded_) return;
    Md5Clock& c = data_->Clock;
    const std::vector<Md5Animation>& animations = data_->Animations;
    const float time = Timing().FrameTime;
    const Md5AnimFile& current = animations[static_cast<size_t>(c.CurrentAnimation)].File;
    c.Frame += time * static_cast<float>(current.FrameRate);
    if (!(c.Frame <= static_cast<float>(current.NumFrames - 1))) c.Frame = 0;
    if (c.CurrentAnimation == c.TargetAnimation) {
        if (c.BlendWeight > 0) c.TargetAnimation = c.PreviousTarget;
    } else {
        // The target restarts at every call: it is shown at the frame one
        // frame time in, and continues from there once the fade completes.
        c.TargetFrame = time * static_cast<float>(animations[static_cast<size_t>(c.TargetAnimation)].File.FrameRate);
        c.BlendWeight += time * c.BlendSpeed;
        c.PreviousTarget = c.TargetAnimation;
        if (c.BlendWeight > 1) {
            c.BlendWeight = 0;
            c.CurrentAnimation = c.TargetAnimation;
            c.Frame = c.TargetFrame;
        }
    }
    const int32_t last = animations[static_cast<size_t>(c.CurrentAnimation)].File.NumFrames - 1;
    const double next = std::floor(static_cast<double>(c.Frame)) + 1;
    c.NextFrame = next <= last ? static_cast<int32_t>(next) : 0;
}

void MD5::SetAnimation(const std::string& Animation, float Blend) {
    if (!loaded_) return;
    Md5Clock& c = data_->Clock;
    const std::vector<Md5Animation>& animations = data_->Animations;
    const auto found = std::find_if(animations.begin(), animations.end(),
                                    [&](const Md5Animation& a) { return a.Name == Animation; });
    if (found == animations.end()) return;
    const int32_t i = static_cast<int32_t>(found - animations.begin());
    if (c.TargetAnimation == i) return;
    c.TargetAnimation = i;
    c.BlendSpeed = Blend;
}

void MD5::SetFrame(int32_t Frame) {
    const std::vector<Md5Animation>& animations = data_->Animations;
    const size_t current = static_cast<size_t>(data_->Clock.CurrentAnimation);
    const int32_t last = current < animations.size() ? animations[current].File.NumFrames - 1 : 0;
    data_->Clock.Frame = static_cast<float>(std::max(0, std::min(Frame, last)));
}

int32_t MD5::Frame() const {
    const float frame = data_->Clock.Frame;
    return std::fabs(frame) < 2e9f ? RoundHalfEven(frame) : 0;  // NaN fails the test too
}

}  // namespace korvath
