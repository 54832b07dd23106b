#pragma once
// Our small multimedia command interpreter: command strings (see
// SoundCommandText.h) carried out over SDL2_mixer. Every sound opened is a device
// known by its alias until it is closed; any command that cannot be carried out
// (an unknown verb, a device never opened, a file that is no sound) does nothing
// and reports nothing.
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::platform {

// How "open" gets a file's bytes; false when the file cannot be read.
using SoundFileReader = bool (*)(const std::string& name, std::vector<uint8_t>& bytes);

// The audio device starts with the first sound that opens.
void SendSoundCommand(const std::string& command, SoundFileReader read);

struct SoundDeviceStatus {
    bool Open = false;
    bool Playing = false;  // a paused sound still counts as playing
    bool Paused = false;
    bool Repeating = false;
    int32_t Volume = 0;  // 0..1000
    int32_t Treble = 0;  // 0..1000, 500 neutral
};
SoundDeviceStatus QuerySoundDevice(const std::string& alias);
int32_t OpenSoundDevices();
// Mixer channels allocated so far (0 before the audio device starts).
int32_t MixerChannels();

}  // namespace korvath::platform
