#pragma once
// The treble control the mixer lacks: a gentle high shelf run as an effect on
// one mixer channel. Level 500 leaves the sound alone; 1000 lifts what lies above
// about 3 kHz by 12 dB and 0 lowers it by as much, in proportion between.
#include <cstdint>

namespace korvath::platform {

constexpr int32_t kNeutralTreble = 500;
// The mixer is never given more channels than this.
constexpr int kMaxMixerChannels = 256;

// Puts the shelf for level on the channel, replacing any it had; the neutral
// level takes it off. The mixer drops it when the channel stops.
void ApplyTreble(int channel, int32_t level);

}  // namespace korvath::platform
