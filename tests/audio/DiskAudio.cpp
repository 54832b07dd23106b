#include "DiskAudio.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <thread>

#include "support/TestSupport.h"

namespace korvath::test {

namespace {
constexpr size_t kFrameBytes = 4;  // 16-bit stereo

std::string StreamPath() { return ProcessDirectory() + "/mixer-out.raw"; }
}  // namespace

void SelectDiskAudio() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", StreamPath().c_str(), 1);
}

size_t DiskFrames() {
    struct stat info;
    return ::stat(StreamPath().c_str(), &info) == 0 ? static_cast<size_t>(info.st_size) / kFrameBytes : 0;
}

void WaitForDiskFrames(size_t frames) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (DiskFrames() < frames && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

std::vector<double> DiskSamples(size_t first, size_t count) {
    std::ifstream in(StreamPath(), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(first * kFrameBytes));
    std::vector<int16_t> frames(count * 2);
    in.read(reinterpret_cast<char*>(frames.data()), static_cast<std::streamsize>(frames.size() * 2));
    frames.resize(static_cast<size_t>(in.gcount()) / 2);
    std::vector<double> left;
    for (size_t i = 0; i + 1 < frames.size(); i += 2) left.push_back(frames[i] / 32768.0);
    return left;
}

double RootMeanSquare(const std::vector<double>& samples) {
    if (samples.empty()) return 0;
    double sum = 0;
    for (double s : samples) sum += s * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double ToneFrequency(const std::vector<double>& samples, double rate) {
    size_t first = 0, last = 0, crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            if (crossings == 0) first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) return 0;
    return static_cast<double>(crossings - 1) * rate / static_cast<double>(last - first);
}

}  // namespace korvath::test
