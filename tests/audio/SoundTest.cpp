#include <SDL_mixer.h>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

#include "core/Paths.h"
#include "korvath/Sound.h"
#include "platform/CanonicalPath.h"
#include "platform/SoundDevices.h"
#include "support/BspWriter.h"
#include "support/TestSupport.h"
#include "support/WavWriter.h"

using namespace korvath;
using namespace korvath::test;

namespace {

constexpr size_t kMargin = 3072;             // frames the mixer may run behind a command
constexpr size_t kWindow = 4410;             // 0.1 s measured
constexpr double kToneLevel = 0.5 / 1.4142;  // the RMS of a sine of amplitude 0.5

// SDL's "disk" audio driver writes the mixed 16-bit stereo stream to this file.
std::string StreamPath() { return ProcessDirectory() + "/mixer-out.raw"; }

size_t StreamFrames() {
    struct stat info;
    return ::stat(StreamPath().c_str(), &info) == 0 ? static_cast<size_t>(info.st_size) / 4 : 0;
}

// The left channel of the 0.1 s of the stream that starts when the mixer has
// surely caught up with a command given when the stream held `from` frames.
std::vector<double> After(size_t from, double skipSeconds = 0) {
    const size_t first = from + kMargin + static_cast<size_t>(skipSeconds * kToneRate);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (StreamFrames() < first + kWindow && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::ifstream in(StreamPath(), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(first * 4));
    std::vector<int16_t> frames(kWindow * 2);
    in.read(reinterpret_cast<char*>(frames.data()), static_cast<std::streamsize>(frames.size() * 2));
    std::vector<double> left;
    for (size_t i = 0; i + 1 < static_cast<size_t>(in.gcount()) / 2; i += 2) left.push_back(frames[i] / 32768.0);
    return left;
}

double Level(const std::vector<double>& s) {
    double sum = 0;
    for (double v : s) sum += v * v;
    return s.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.size()));
}

// From the upward zero crossings of a steady tone.
double Pitch(const std::vector<double>& s) {
    size_t first = 0, last = 0, crossings = 0;
    for (size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) (crossings++ ? last : first) = i;
    return crossings < 2 ? 0 : static_cast<double>(crossings - 1) * kToneRate / static_cast<double>(last - first);
}

void ExpectTone(const std::vector<double>& s, double hertz, double level, const char* what) {
    EXPECT_NEAR(Level(s), level, 0.05 * level + 0.01) << what;
    EXPECT_NEAR(Pitch(s), hertz, 8) << what;
}

void ExpectSilence(const std::vector<double>& s, const char* what) { EXPECT_LT(Level(s), 0.005) << what; }

// Every test plays through the disk driver from a folder of tones set as the
// engine path, and closes what it opened.
class SoundOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", StreamPath().c_str(), 1);
        dir_ = ProcessDirectory() + "/sounds";
        std::filesystem::create_directories(dir_ + "/sub");
        std::filesystem::create_directories(dir_ + "/a dir");
        for (const auto& [name, hertz, seconds] : {std::tuple{"tone.wav", 440, 1.0}, {"short.wav", 660, 0.2}, {"a dir/tone two.wav", 440, 1.0}})
            ASSERT_TRUE(WriteBytes(dir_ + "/" + name, ToneWav(hertz, seconds)));
        saved_ = EnginePath();
        EnginePath() = dir_ + "/";
    }
    void TearDown() override {
        platform::SendSoundCommand("close all", nullptr);
        EnginePath() = saved_;
    }
    platform::SoundDeviceStatus Status(const std::string& name) {
        return platform::QuerySoundDevice(platform::CanonicalPath(dir_ + "/" + name));
    }

    Sound sound_;
    std::string dir_, saved_;
};

TEST_F(SoundOnDisk, PlayCarriesTheTonePauseSilencesItAndPlayResumes) {
    sound_.Load("tone.wav");
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1) << "the mixer did not start";
    ASSERT_TRUE(rate == kToneRate && format == AUDIO_S16LSB && channels == 2);

    sound_.Play("tone.wav");
    ExpectTone(After(StreamFrames()), 440, kToneLevel, "playing");
    sound_.Pause("tone.wav");
    EXPECT_TRUE(Status("tone.wav").Paused);
    ExpectSilence(After(StreamFrames()), "paused");
    sound_.Play("tone.wav");
    ExpectTone(After(StreamFrames()), 440, kToneLevel, "resumed");
}

TEST_F(SoundOnDisk, RepeatKeepsGoingPastTheEndPlayDoesNotAndUnLoadStops) {
    sound_.Load("short.wav");
    sound_.Repeat("short.wav");
    ExpectTone(After(StreamFrames(), 0.45), 660, kToneLevel, "repeating past 0.2 s");
    sound_.UnLoad("short.wav");
    ExpectSilence(After(StreamFrames()), "after UnLoad");
    EXPECT_EQ(platform::OpenSoundDevices(), 0);
    sound_.Play("short.wav");
    ExpectSilence(After(StreamFrames()), "played after UnLoad");

    sound_.Load("short.wav");
    sound_.Play("short.wav");
    ExpectSilence(After(StreamFrames(), 0.45), "played once, past its end");
    EXPECT_FALSE(Status("short.wav").Playing);
}

TEST_F(SoundOnDisk, VolumeScalesTheTone) {
    sound_.Load("short.wav");
    sound_.Repeat("short.wav");
    for (auto [volume, level] : {std::pair{1000, kToneLevel}, {500, kToneLevel / 2}, {250, kToneLevel / 4}}) {
        sound_.Volume("short.wav", volume);
        ExpectTone(After(StreamFrames()), 660, level, "volume");
    }
    sound_.Volume("short.wav", -40);
    ExpectSilence(After(StreamFrames()), "volume below 0");
}

// The treble level lifts or lowers what lies above about 3 kHz and leaves the bass.
TEST_F(SoundOnDisk, TrebleShelvesTheHighs) {
    ASSERT_TRUE(WriteBytes(dir_ + "/high.wav", ToneWav(8000, 1.0, 0.1)));
    ASSERT_TRUE(WriteBytes(dir_ + "/low.wav", ToneWav(200, 1.0, 0.1)));
    const struct {
        const char* name;
        int32_t treble;
        double least, most;  // of the level against the neutral one
    } cases[] = {{"high.wav", 1000, 2.5, 4}, {"high.wav", 0, 0.3, 0.6}, {"low.wav", 1000, 0.95, 1.2}};
    for (const auto& c : cases) {
        sound_.Load(c.name);
        sound_.Repeat(c.name);
        const double neutral = Level(After(StreamFrames()));
        sound_.Frequency(c.name, c.treble);
        const double shelved = Level(After(StreamFrames()));
        EXPECT_TRUE(shelved > c.least * neutral && shelved < c.most * neutral) << c.name << " " << c.treble << ": " << shelved / neutral;
        sound_.UnLoad(c.name);
    }
}

TEST_F(SoundOnDisk, EverySpellingOfAFileAddressesOneSound) {
    sound_.Load("tone.wav");
    sound_.Load("./sub/../tone.wav");
    sound_.Load(dir_ + "//tone.wav");
    EXPECT_EQ(platform::OpenSoundDevices(), 1);
    Sound().Repeat("TONE.WAV");  // another object, a name authored on a case-blind disk
    EXPECT_TRUE(Status("tone.wav").Repeating);

    sound_.Load("a dir/tone two.wav");
    sound_.Play("a dir/tone two.wav");
    EXPECT_TRUE(Status("a dir/tone two.wav").Playing);
    EXPECT_EQ(platform::OpenSoundDevices(), 2);
}

TEST_F(SoundOnDisk, FilesThatAreNoSoundAreSilent) {
    const std::vector<uint8_t> tone = ToneWav(440, 0.5);
    const std::pair<const char*, std::vector<uint8_t>> files[] = {
        {"text.wav", std::vector<uint8_t>(1000, 'x')},
        {"header-only.wav", {tone.begin(), tone.begin() + 44}},
        {"half-header.wav", {tone.begin(), tone.begin() + 20}},
        {"cut.wav", {tone.begin(), tone.begin() + 5000}},
        {"empty.ogg", {}},
        {"not-vorbis.ogg", {'O', 'g', 'g', 'S', 0, 2, 0, 0}},
        {"not-mpeg.mp3", {'I', 'D', '3', 4, 0, 0, 0x7f, 0x7f, 0x7f, 0x7f}},
    };
    for (const auto& [name, bytes] : files) {
        ASSERT_TRUE(WriteBytes(dir_ + "/" + name, bytes));
        sound_.Load(name);
        sound_.Repeat(name);
        sound_.Volume(name, 900);
        sound_.Pause(name);
        sound_.UnLoad(name);
    }
    sound_.Play("missing.wav");
    EXPECT_EQ(platform::OpenSoundDevices(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    ExpectSilence(After(StreamFrames()), "after bad files");
}

TEST_F(SoundOnDisk, TenThousandPlaysAndClosesKeepChannelsAndMemoryFlat) {
    auto cycle = [this](int times) {
        for (int i = 0; i < times; ++i) {
            sound_.Load("short.wav");
            sound_.Play("short.wav");
            sound_.UnLoad("short.wav");
        }
    };
    cycle(500);
    const int32_t channels = platform::MixerChannels();
    const long resident = ResidentKilobytes();
    cycle(10000);
    EXPECT_EQ(platform::MixerChannels(), channels);
    EXPECT_EQ(std::pair(Mix_Playing(-1), platform::OpenSoundDevices()), std::pair(0, 0));
    if (!kAddressSanitizer) EXPECT_LT(ResidentKilobytes() - resident, 2048) << "kilobytes grown";
}

}  // namespace
