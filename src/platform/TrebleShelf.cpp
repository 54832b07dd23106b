#include "platform/TrebleShelf.h"

#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>

namespace korvath::platform {

namespace {

constexpr double kCornerHertz = 3000;
constexpr double kRangeDecibels = 12;

// State of one channel's shelf, touched by the mixer's thread only while the
// effect is registered.
struct Shelf {
    float boost = 0;        // gain of the part above the corner, minus one
    float coefficient = 0;  // of the one-pole low pass that splits the bands
    int interleave = 2;     // output channels
    float low[8] = {};
};

// One per channel, never moved: the mixer's thread holds pointers to them.
Shelf g_shelves[kMaxMixerChannels];

// The mixer's output is 16-bit (only its rate and channel count may differ from
// what was asked).
void RunShelf(int, void* stream, int length, void* data) {
    Shelf& shelf = *static_cast<Shelf*>(data);
    auto* samples = static_cast<int16_t*>(stream);
    const int count = length / 2;
    for (int i = 0; i < count; ++i) {
        float& low = shelf.low[i % shelf.interleave];
        const float x = samples[i];
        low += shelf.coefficient * (x - low);
        const long y = std::lrint(x + shelf.boost * (x - low));
        samples[i] = static_cast<int16_t>(std::clamp(y, -32768L, 32767L));
    }
}

}  // namespace

void ApplyTreble(int channel, int32_t level) {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (channel < 0 || channel >= kMaxMixerChannels || !Mix_QuerySpec(&rate, &format, &channels)) return;
    // Off the channel first, so the mixer's thread no longer reads the shelf.
    Mix_UnregisterEffect(channel, RunShelf);
    if (level == kNeutralTreble || channels < 1 || channels > 8) return;

    Shelf& shelf = g_shelves[channel];
    shelf = Shelf{};
    const double decibels = (level - kNeutralTreble) * kRangeDecibels / kNeutralTreble;
    shelf.boost = static_cast<float>(std::pow(10.0, decibels / 20) - 1);
    shelf.coefficient = static_cast<float>(1 - std::exp(-2 * M_PI * kCornerHertz / rate));
    shelf.interleave = channels;
    Mix_RegisterEffect(channel, RunShelf, nullptr, &shelf);
}

}  // namespace korvath::platform
