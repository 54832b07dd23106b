#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/SoundCommandText.h"
#include "platform/SoundDevices.h"
#include "support/WavWriter.h"

using namespace korvath;
using namespace korvath::platform;

namespace {

// A pretend disk: two tones (one name with a blank) and one file that is no sound.
bool PretendFiles(const std::string& name, std::vector<uint8_t>& bytes) {
    if (name == "/snd/tone.wav" || name == "/snd/with blank.wav") bytes = test::ToneWav(440, 5);
    else if (name == "/snd/junk.wav") bytes.assign(4000, 0x5A);
    else return false;
    return true;
}

void Send(const std::string& command) { SendSoundCommand(command, PretendFiles); }

TEST(SoundCommandText, WordsQuotesAndRefusals) {
    auto open = ParseSoundCommand("open \"/a \\\"b\\\" \\\\c.wav\" alias x");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->Device, "/a \"b\" \\c.wav");
    EXPECT_EQ(open->Alias, "x");
    EXPECT_EQ(ParseSoundCommand("OPEN /snd/tone.wav")->Alias, "/snd/tone.wav") << "no alias: the name";
    EXPECT_TRUE(ParseSoundCommand("  play\t tone   repeat ")->Repeat);
    EXPECT_EQ(ParseSoundCommand("close all")->Verb, SoundVerb::CloseAll);
    EXPECT_EQ(ParseSoundCommand("setaudio t volume to -5")->Value, -5);
    EXPECT_EQ(ParseSoundCommand("setaudio t treble to 99999999999999999999")->Value, INT64_MAX);

    for (const char* refused : {"open \"/snd/tone.wav alias tone", "open /snd/tone.wav alias",
                                "open /snd/tone.wav as tone", "open \"\" alias x", "play", "play tone twice",
                                "stop tone", "setaudio tone volume to loud", "setaudio tone volume to 5x",
                                "setaudio tone bass to 5", "setaudio tone volume 5", ""})
        EXPECT_FALSE(ParseSoundCommand(refused)) << refused;

    for (const std::string name : {"/snd/tone.wav", "/a b/c d.wav", "/x\"y\\z", "/tab\there"}) {
        const auto words = SplitSoundCommand("play " + QuoteSoundName(name) + " repeat");
        ASSERT_TRUE(words && words->size() == 3) << name;
        EXPECT_EQ((*words)[1], name);
    }
}

// Each sequence of commands, then the state of the device "tone".
TEST(SoundCommands, StringsInStateOut) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string open = "open /snd/tone.wav alias tone";
    const struct {
        std::vector<std::string> commands;
        bool open, playing, paused, repeating;
        int32_t volume, treble;
    } cases[] = {
        {{open}, true, false, false, false, 1000, 500},
        {{open, "play tone"}, true, true, false, false, 1000, 500},
        {{open, "play tone repeat"}, true, true, false, true, 1000, 500},
        {{open, "play tone", "pause tone"}, true, true, true, false, 1000, 500},
        {{open, "play tone", "pause tone", "play tone"}, true, true, false, false, 1000, 500},
        {{open, "setaudio tone volume to 250", "setaudio tone treble to 700"}, true, false, false, false, 250, 700},
        {{open, "setaudio tone volume to 1000000", "setaudio tone treble to -7"}, true, false, false, false, 1000, 0},
        {{open, "play tone", "close tone"}, false, false, false, false, 0, 0},
        {{open, "close tone", "play tone"}, false, false, false, false, 0, 0},
        {{"play tone", "pause tone", "setaudio tone volume to 5", "close tone"}, false, false, false, false, 0, 0},
        {{"open /snd/none.wav alias tone", "play tone"}, false, false, false, false, 0, 0},
        {{"open /snd/junk.wav alias tone", "play tone"}, false, false, false, false, 0, 0},
        {{open, "stop tone", "seek tone to start", "play tone foo"}, true, false, false, false, 1000, 500},
        {{open, "play tone", "open \"/snd/with blank.wav\" alias tone"}, true, true, false, false, 1000, 500},
    };
    for (const auto& c : cases) {
        for (const std::string& command : c.commands) Send(command);
        const SoundDeviceStatus s = QuerySoundDevice("tone");
        const std::string what = c.commands.back();
        EXPECT_EQ(s.Open, c.open) << what;
        EXPECT_EQ(s.Playing, c.playing) << what;
        EXPECT_EQ(s.Paused, c.paused) << what;
        EXPECT_EQ(s.Repeating, c.repeating) << what;
        EXPECT_EQ(s.Volume, c.volume) << what;
        EXPECT_EQ(s.Treble, c.treble) << what;
        Send("close all");
        EXPECT_EQ(OpenSoundDevices(), 0) << what;
    }

    // A name with a blank, and more sounds at once than the mixer had channels.
    Send("open \"/snd/with blank.wav\"");
    Send("play \"/snd/with blank.wav\" repeat");
    EXPECT_TRUE(QuerySoundDevice("/snd/with blank.wav").Repeating);
    const int32_t channels = MixerChannels();
    for (int i = 0; i < channels + 4; ++i) {
        Send(open + std::to_string(i));
        Send("play tone" + std::to_string(i));
        EXPECT_TRUE(QuerySoundDevice("tone" + std::to_string(i)).Playing) << i;
    }
    EXPECT_GT(MixerChannels(), channels);
    Send("close all");
}

}  // namespace
