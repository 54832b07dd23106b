#pragma once
// Plays sound files (WAV, OGG, MP3). A Sound keeps nothing itself: a sound opened
// by Load is addressed by its file's one absolute name, so any Sound object can
// play, pause or close a sound another one opened, and two names of the same file
// reach the same sound. Failures (a missing file, a file that is no sound, a sound
// never loaded) are silent.
#include <cstdint>
#include <string>

namespace korvath {

class Sound {
public:
    // Relative names are resolved against the engine path.
    void Load(const std::string& Filename);
    void UnLoad(const std::string& Filename);
    // Plays once; continues a paused sound where it stopped.
    void Play(const std::string& Filename);
    // Plays looping until Pause or UnLoad.
    void Repeat(const std::string& Filename);
    void Pause(const std::string& Filename);
    // The treble level, 0..1000 with 500 neutral (not a playback rate): a gentle
    // shelf of up to 12 dB either way above about 3 kHz.
    void Frequency(const std::string& Filename, int32_t Value);
    // 0 (silent) .. 1000 (full); values beyond are clamped.
    void Volume(const std::string& Filename, int32_t Value);
};

}  // namespace korvath
