#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "DiskAudio.h"
#include "EncodedTone.h"
#include "core/Globals.h"
#include "korvath/Sound.h"
#include "platform/CanonicalPath.h"
#include "platform/SoundDevices.h"
#include "support/BspWriter.h"
#include "support/TestSupport.h"
#include "support/WavWriter.h"

using namespace korvath;
using namespace korvath::test;

namespace {

constexpr double kRate = kToneRate;
constexpr size_t kMargin = 3072;          // frames the mixer may run behind a command
constexpr size_t kWindow = 4410;          // 0.1 s measured
constexpr double kToneLevel = 0.5 / 1.4142;  // the RMS of a sine of amplitude 0.5

size_t Frames(double seconds) { return static_cast<size_t>(seconds * kRate); }

// Plays through the disk driver; every test starts in a folder of tones set as
// the engine path, and closes what it opened.
class SoundOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        SelectDiskAudio();
        dir_ = ProcessDirectory() + "/sounds";
        std::filesystem::create_directories(dir_ + "/sub");
        std::filesystem::create_directories(dir_ + "/a dir");
        ASSERT_TRUE(WriteBytes(dir_ + "/tone.wav", ToneWav(440, 1.0)));
        ASSERT_TRUE(WriteBytes(dir_ + "/short.wav", ToneWav(660, 0.2)));
        ASSERT_TRUE(WriteBytes(dir_ + "/a dir/tone two.wav", ToneWav(440, 1.0)));
        saved_ = State().EnginePath;
        State().EnginePath = dir_ + "/";
    }
    void TearDown() override {
        platform::SendSoundCommand("close all", nullptr);
        State().EnginePath = saved_;
    }

    // The level and pitch of the stream after the mixer caught up with a command
    // given when the stream held `from` frames.
    static std::vector<double> After(size_t from, double skipSeconds = 0) {
        const size_t first = from + kMargin + Frames(skipSeconds);
        WaitForDiskFrames(first + kWindow);
        return DiskSamples(first, kWindow);
    }
    static void ExpectTone(const std::vector<double>& s, double hertz, double level, const char* what,
                           double tolerance = 0.05) {
        EXPECT_NEAR(RootMeanSquare(s), level, tolerance * level + 0.01) << what;
        EXPECT_NEAR(ToneFrequency(s, kRate), hertz, 8) << what;
    }
    static void ExpectSilence(const std::vector<double>& s, const char* what) {
        EXPECT_LT(RootMeanSquare(s), 0.005) << what;
    }
    std::string Device(const std::string& name) { return platform::CanonicalPath(dir_ + "/" + name); }

    Sound sound_;
    std::string dir_, saved_;
};

TEST_F(SoundOnDisk, PlayCarriesTheTonePauseSilencesItAndPlayResumes) {
    sound_.Load("tone.wav");
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1) << "the mixer did not start";
    ASSERT_EQ(frequency, kRate);
    ASSERT_EQ(format, AUDIO_S16LSB);
    ASSERT_EQ(channels, 2);

    sound_.Play("tone.wav");
    ExpectTone(After(DiskFrames()), 440, kToneLevel, "playing");
    sound_.Pause("tone.wav");
    EXPECT_TRUE(platform::QuerySoundDevice(Device("tone.wav")).Paused);
    ExpectSilence(After(DiskFrames()), "paused");
    sound_.Play("tone.wav");
    ExpectTone(After(DiskFrames()), 440, kToneLevel, "resumed");
}

TEST_F(SoundOnDisk, WavOggAndMp3FilesPlay) {
    ASSERT_TRUE(WriteEncodedTone(dir_ + "/tone.ogg", "libvorbis", 440, 1.0));
    ASSERT_TRUE(WriteEncodedTone(dir_ + "/tone.mp3", "libmp3lame", 440, 1.0));
    for (const char* name : {"tone.wav", "tone.ogg", "tone.mp3"}) {
        sound_.Load(name);
        sound_.Play(name);
        // Lossy coders keep the pitch but not the exact level; MP3 starts late.
        ExpectTone(After(DiskFrames(), 0.05), 440, kToneLevel, name, 0.15);
        sound_.UnLoad(name);
    }
}

TEST_F(SoundOnDisk, RepeatKeepsGoingPastTheEndAndPlayDoesNot) {
    sound_.Load("short.wav");
    sound_.Repeat("short.wav");
    ExpectTone(After(DiskFrames(), 0.45), 660, kToneLevel, "repeating past 0.2 s");
    sound_.Pause("short.wav");

    sound_.UnLoad("short.wav");
    sound_.Load("short.wav");
    sound_.Play("short.wav");
    ExpectSilence(After(DiskFrames(), 0.45), "played once, past its end");
    EXPECT_FALSE(platform::QuerySoundDevice(Device("short.wav")).Playing);
}

TEST_F(SoundOnDisk, VolumeScalesTheTone) {
    sound_.Load("short.wav");
    sound_.Repeat("short.wav");
    const struct {
        int32_t volume;
        double level;
    } steps[] = {{1000, kToneLevel}, {500, kToneLevel * 64 / 128}, {250, kToneLevel * 32 / 128}, {-40, 0}};
    for (const auto& step : steps) {
        sound_.Volume("short.wav", step.volume);
        const auto samples = After(DiskFrames());
        if (step.level > 0)
            ExpectTone(samples, 660, step.level, "volume");
        else
            ExpectSilence(samples, "volume below 0");
    }
    sound_.Frequency("short.wav", 750);
    EXPECT_EQ(platform::QuerySoundDevice(Device("short.wav")).Treble, 750);
}

TEST_F(SoundOnDisk, UnLoadStopsTheSound) {
    sound_.Load("tone.wav");
    sound_.Repeat("tone.wav");
    ExpectTone(After(DiskFrames()), 440, kToneLevel, "before UnLoad");
    sound_.UnLoad("tone.wav");
    ExpectSilence(After(DiskFrames()), "after UnLoad");
    EXPECT_EQ(platform::OpenSoundDevices(), 0);
    sound_.Play("tone.wav");  // closed: silent
    ExpectSilence(After(DiskFrames()), "played after UnLoad");
}

TEST_F(SoundOnDisk, EverySpellingOfAFileAddressesOneSound) {
    sound_.Load("tone.wav");
    sound_.Load("./sub/../tone.wav");
    sound_.Load(dir_ + "//tone.wav");
    EXPECT_EQ(platform::OpenSoundDevices(), 1);
    Sound other;
    other.Repeat("TONE.WAV");  // authored on a case-blind file system
    EXPECT_TRUE(platform::QuerySoundDevice(Device("tone.wav")).Repeating);

    sound_.Load("a dir/tone two.wav");
    sound_.Play("a dir/tone two.wav");
    EXPECT_TRUE(platform::QuerySoundDevice(Device("a dir/tone two.wav")).Playing);
    EXPECT_EQ(platform::OpenSoundDevices(), 2);
}

TEST_F(SoundOnDisk, FilesThatAreNoSoundAreSilent) {
    const std::vector<uint8_t> tone = ToneWav(440, 0.5);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } files[] = {
        {"text.wav", std::vector<uint8_t>(1000, 'x')},
        {"header-only.wav", std::vector<uint8_t>(tone.begin(), tone.begin() + 44)},
        {"half-header.wav", std::vector<uint8_t>(tone.begin(), tone.begin() + 20)},
        {"cut.wav", std::vector<uint8_t>(tone.begin(), tone.begin() + 5000)},
        {"empty.ogg", {}},
        {"not-vorbis.ogg", std::vector<uint8_t>{'O', 'g', 'g', 'S', 0, 2, 0, 0}},
        {"not-mpeg.mp3", std::vector<uint8_t>{'I', 'D', '3', 4, 0, 0, 0x7f, 0x7f, 0x7f, 0x7f}},
    };
    for (const auto& file : files) {
        ASSERT_TRUE(WriteBytes(dir_ + "/" + file.name, file.bytes));
        sound_.Load(file.name);
        sound_.Repeat(file.name);
        sound_.Volume(file.name, 900);
        sound_.Pause(file.name);
        sound_.UnLoad(file.name);
    }
    sound_.Play("missing.wav");
    EXPECT_EQ(platform::OpenSoundDevices(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    ExpectSilence(After(DiskFrames()), "after bad files");
}

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
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
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(platform::OpenSoundDevices(), 0);
    EXPECT_LT(ResidentKilobytes() - resident, 2048) << "kilobytes grown";
}

}  // namespace
