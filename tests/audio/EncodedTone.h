#pragma once
// Compressed sound files for the tests, made with the encoders the video code's
// libraries bring along: a sine tone as OGG Vorbis or MP3.
#include <string>

namespace korvath::test {

// encoder: an FFmpeg encoder name ("libvorbis", "libmp3lame"); the container
// follows from the file's extension. False when the encoder is missing or fails.
bool WriteEncodedTone(const std::string& path, const char* encoder, double hertz, double seconds,
                      double amplitude = 0.5);

}  // namespace korvath::test
