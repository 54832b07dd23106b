#pragma once
// The mixer's output as SDL's "disk" audio driver writes it to a file, read back
// as the left channel of 16-bit stereo frames, with the measures the tests take.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::test {

// Makes the next audio device of this process the disk driver writing to a file
// in the test's private directory.
void SelectDiskAudio();
// Frames written so far.
size_t DiskFrames();
// Waits until the stream holds at least frames frames (gives up after 5 s).
void WaitForDiskFrames(size_t frames);
// The left channel of count frames from frame first, as -1..1.
std::vector<double> DiskSamples(size_t first, size_t count);

double RootMeanSquare(const std::vector<double>& samples);
// The frequency of a steady tone from its upward zero crossings.
double ToneFrequency(const std::vector<double>& samples, double rate);

}  // namespace korvath::test
