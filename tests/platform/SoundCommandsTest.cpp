#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/SoundCommandText.h"
#include "platform/SoundDevices.h"
#include "support/WavWriter.h"

using namespace korvath;
using namespace korvath::platform;

namespace {

// Files of a pretend disk: two tones (one name with a blank) and one that is no sound.
bool PretendFiles(const std::string& name, std::vector<uint8_t>& bytes) {
    if (name == "/snd/tone.wav" || name == "/snd/with blank.wav") {
        bytes = test::ToneWav(440, 5);
        return true;
    }
    if (name == "/snd/junk.wav") {
        bytes.assign(4000, 0x5A);
        return true;
    }
    return false;
}

class SoundCommands : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override { Send("close all"); }
    static void Send(const std::string& command) { SendSoundCommand(command, PretendFiles); }
};

TEST(SoundCommandText, WordsAndQuotes) {
    struct Case {
        const char* text;
        bool parses;
        SoundVerb verb;
        const char* device;
        const char* alias;
        bool repeat;
        int64_t value;
    } cases[] = {
        {"open /snd/tone.wav alias tone", true, SoundVerb::Open, "/snd/tone.wav", "tone", false, 0},
        {"OPEN /snd/tone.wav", true, SoundVerb::Open, "/snd/tone.wav", "/snd/tone.wav", false, 0},
        {"open \"/snd/with blank.wav\" alias \"/snd/with blank.wav\"", true, SoundVerb::Open, "/snd/with blank.wav",
         "/snd/with blank.wav", false, 0},
        {"open \"a \\\"q\\\" \\\\b\" alias x", true, SoundVerb::Open, "a \"q\" \\b", "x", false, 0},
        {"  play\t tone   repeat ", true, SoundVerb::Play, "tone", "", true, 0},
        {"close all", true, SoundVerb::CloseAll, "all", "", false, 0},
        {"setaudio tone volume to -5", true, SoundVerb::SetVolume, "tone", "", false, -5},
        {"setaudio tone treble to 99999999999999999999", true, SoundVerb::SetTreble, "tone", "", false, INT64_MAX},
        {"open \"/snd/tone.wav alias tone", false},  // the quote never closes
        {"open /snd/tone.wav alias", false},          // no alias after the word
        {"open /snd/tone.wav as tone", false},
        {"open \"\" alias x", false},
        {"play", false},
        {"play tone twice", false},
        {"stop tone", false},
        {"setaudio tone volume to loud", false},
        {"setaudio tone volume to 5x", false},
        {"setaudio tone bass to 5", false},
        {"setaudio tone volume 5", false},
        {"", false},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseSoundCommand(c.text);
        ASSERT_EQ(parsed.has_value(), c.parses) << c.text;
        if (!parsed) continue;
        EXPECT_EQ(parsed->Verb, c.verb) << c.text;
        EXPECT_EQ(parsed->Device, c.device) << c.text;
        if (c.verb == SoundVerb::Open) EXPECT_EQ(parsed->Alias, c.alias) << c.text;
        EXPECT_EQ(parsed->Repeat, c.repeat) << c.text;
        EXPECT_EQ(parsed->Value, c.value) << c.text;
    }
}

TEST(SoundCommandText, AQuotedNameReadsBackAsOneWord) {
    for (const std::string name : {"/snd/tone.wav", "/a b/c d.wav", "/x\"y\\z", "/tab\there"}) {
        const auto words = SplitSoundCommand("play " + QuoteSoundName(name) + " repeat");
        ASSERT_TRUE(words.has_value()) << name;
        ASSERT_EQ(words->size(), 3u) << name;
        EXPECT_EQ((*words)[1], name);
    }
    EXPECT_EQ(QuoteSoundName("/snd/tone.wav"), "/snd/tone.wav");
}

// Each sequence of commands, then the state of the device "tone".
TEST_F(SoundCommands, StringsInStateOut) {
    struct Case {
        const char* name;
        std::vector<const char*> commands;
        bool open, playing, paused, repeating;
        int32_t volume, treble;
    } cases[] = {
        {"opened", {"open /snd/tone.wav alias tone"}, true, false, false, false, 1000, 500},
        {"played", {"open /snd/tone.wav alias tone", "play tone"}, true, true, false, false, 1000, 500},
        {"looped", {"open /snd/tone.wav alias tone", "play tone repeat"}, true, true, false, true, 1000, 500},
        {"paused", {"open /snd/tone.wav alias tone", "play tone", "pause tone"}, true, true, true, false, 1000, 500},
        {"resumed", {"open /snd/tone.wav alias tone", "play tone", "pause tone", "play tone"}, true, true, false,
         false, 1000, 500},
        {"volume", {"open /snd/tone.wav alias tone", "setaudio tone volume to 250"}, true, false, false, false, 250,
         500},
        {"absurd volumes clamp",
         {"open /snd/tone.wav alias tone", "setaudio tone volume to 1000000", "setaudio tone treble to -7"}, true,
         false, false, false, 1000, 0},
        {"closed", {"open /snd/tone.wav alias tone", "play tone", "close tone"}, false, false, false, false, 0, 0},
        {"closed then played", {"open /snd/tone.wav alias tone", "close tone", "play tone"}, false, false, false,
         false, 0, 0},
        {"never opened", {"play tone", "pause tone", "setaudio tone volume to 5", "close tone"}, false, false, false,
         false, 0, 0},
        {"missing file", {"open /snd/none.wav alias tone", "play tone"}, false, false, false, false, 0, 0},
        {"not a sound", {"open /snd/junk.wav alias tone", "play tone"}, false, false, false, false, 0, 0},
        {"unknown verbs", {"open /snd/tone.wav alias tone", "stop tone", "seek tone to start", "play tone foo"},
         true, false, false, false, 1000, 500},
        {"alias in use", {"open /snd/tone.wav alias tone", "play tone", "open /snd/with blank.wav alias tone"}, true,
         true, false, false, 1000, 500},
    };
    for (const Case& c : cases) {
        for (const char* command : c.commands) Send(command);
        const SoundDeviceStatus s = QuerySoundDevice("tone");
        EXPECT_EQ(s.Open, c.open) << c.name;
        EXPECT_EQ(s.Playing, c.playing) << c.name;
        EXPECT_EQ(s.Paused, c.paused) << c.name;
        EXPECT_EQ(s.Repeating, c.repeating) << c.name;
        EXPECT_EQ(s.Volume, c.volume) << c.name;
        EXPECT_EQ(s.Treble, c.treble) << c.name;
        Send("close all");
        EXPECT_EQ(OpenSoundDevices(), 0) << c.name;
    }
}

TEST_F(SoundCommands, NamesWithBlanksAndManySoundsAtOnce) {
    Send("open \"/snd/with blank.wav\" alias \"/snd/with blank.wav\"");
    Send("play \"/snd/with blank.wav\" repeat");
    EXPECT_TRUE(QuerySoundDevice("/snd/with blank.wav").Repeating);

    // More sounds playing than the mixer had channels: it grows, and every one plays.
    const int32_t channels = MixerChannels();
    for (int i = 0; i < channels + 4; ++i) {
        const std::string alias = "tone" + std::to_string(i);
        Send("open /snd/tone.wav alias " + alias);
        Send("play " + alias);
        EXPECT_TRUE(QuerySoundDevice(alias).Playing) << alias;
    }
    EXPECT_GT(MixerChannels(), channels);
}

}  // namespace
