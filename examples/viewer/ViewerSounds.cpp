#include "ViewerSounds.h"

#include <filesystem>

using namespace korvath;

namespace {
constexpr float kStride = 96;  // units walked between footsteps

// The name below the data directory of an existing sound file: the name as given
// or with another sound extension (packs often swap WAV for OGG); empty if none.
std::string FindSound(const std::string& dataDirectory, const std::string& name) {
    const std::filesystem::path base(name);
    for (const char* extension : {"", ".wav", ".ogg", ".mp3"}) {
        std::filesystem::path candidate = base;
        if (*extension) candidate.replace_extension(extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(std::filesystem::path(dataDirectory) / candidate, error))
            return candidate.generic_string();
    }
    return {};
}
}  // namespace

void ViewerSounds::Start(const Map& map, const std::string& dataDirectory) {
    Stop();
    for (int32_t i = 0; i <= map.Entities() && ambient_.empty(); ++i) {
        const ENTITY speaker = map.Entity(i);
        if (speaker.ClassName == "target_speaker" && !speaker.Noise.empty())
            ambient_ = FindSound(dataDirectory, speaker.Noise);
    }
    for (int n = 1; n <= 4; ++n) {
        const std::string step = FindSound(dataDirectory, "sound/player/footsteps/step" + std::to_string(n) + ".wav");
        if (step.empty()) continue;
        steps_.push_back(step);
        sound_.Load(step);
    }
    if (!ambient_.empty()) {
        sound_.Load(ambient_);
        sound_.Repeat(ambient_);
    }
}

void ViewerSounds::Stop() {
    if (!ambient_.empty()) sound_.UnLoad(ambient_);
    for (const std::string& step : steps_) sound_.UnLoad(step);
    ambient_.clear();
    steps_.clear();
    sinceStep_ = 0;
}

void ViewerSounds::Walked(float distance) {
    if (steps_.empty()) return;
    sinceStep_ += distance;
    if (sinceStep_ < kStride) return;
    sinceStep_ = 0;
    nextStep_ = (nextStep_ + 1) % steps_.size();
    sound_.Play(steps_[nextStep_]);
}
