#include "support/WavWriter.h"

#include <cmath>

namespace korvath::test {

namespace {
void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }
}  // namespace

std::vector<uint8_t> ToneWav(double hertz, double seconds, double amplitude) {
    const uint32_t frames = static_cast<uint32_t>(seconds * kToneRate);
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put(out, 36 + frames * 2, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put(out, 16, 4);
    Put(out, 1, 2);  // PCM
    Put(out, 1, 2);  // mono
    Put(out, kToneRate, 4);
    Put(out, kToneRate * 2, 4);
    Put(out, 2, 2);
    Put(out, 16, 2);
    PutTag(out, "data");
    Put(out, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = amplitude * 32767 * std::sin(2 * M_PI * hertz * i / kToneRate);
        Put(out, static_cast<uint16_t>(static_cast<int16_t>(std::lrint(v))), 2);
    }
    return out;
}

}  // namespace korvath::test
