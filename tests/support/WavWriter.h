#pragma once
// Sound files made by the tests: a sine tone as 16-bit mono PCM in a WAV file.
#include <cstdint>
#include <vector>

namespace korvath::test {

constexpr int32_t kToneRate = 44100;

std::vector<uint8_t> ToneWav(double hertz, double seconds, double amplitude = 0.5);

}  // namespace korvath::test
