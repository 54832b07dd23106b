// The sound command interpreter on arbitrary command text. Every name it opens
// reads as the same small tone, so open, play, pause and close all get reached
// without touching the disk; the audio runs on SDL's silent "dummy" driver.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/SoundDevices.h"

namespace {

std::vector<uint8_t> Tone() {
    // A 16-bit mono WAV of 64 samples of a square wave.
    std::vector<uint8_t> wav = {'R', 'I', 'F', 'F', 164, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0,
                                2, 0, 16, 0, 'd', 'a', 't', 'a', 128, 0, 0, 0};
    for (int i = 0; i < 64; ++i) {
        wav.push_back(0);
        wav.push_back(i & 8 ? 0x40 : 0xC0);
    }
    return wav;
}

bool ReadTone(const std::string&, std::vector<uint8_t>& bytes) {
    static const std::vector<uint8_t> tone = Tone();
    bytes = tone;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = setenv("SDL_AUDIODRIVER", "dummy", 1) == 0;
    (void)quiet;
    // One command per line, so an input can open a device and then work on it.
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        korvath::platform::SendSoundCommand(text.substr(start, end - start), ReadTone);
        start = end + 1;
    }
    korvath::platform::SendSoundCommand("close all", ReadTone);
    return 0;
}
