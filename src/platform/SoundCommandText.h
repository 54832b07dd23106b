#pragma once
// The text side of our small multimedia command language: the words a command
// string is made of, and how a device name with blanks is written into one.
//
//   open NAME [alias ALIAS]        close ALIAS | all
//   play ALIAS [repeat]            pause ALIAS
//   setaudio ALIAS volume to N     setaudio ALIAS treble to N
//
// Command words compare without regard to case; names compare exactly. A name
// with blanks (or quotes) is written in double quotes, where \" and \\ stand for
// a quote and a backslash.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvath::platform {

enum class SoundVerb { Open, Close, CloseAll, Play, Pause, SetVolume, SetTreble };

struct SoundCommand {
    SoundVerb Verb = SoundVerb::Open;
    std::string Device;   // the file name of open; the alias of every other verb
    std::string Alias;    // open: the alias (the file name when none is given)
    bool Repeat = false;  // play
    int64_t Value = 0;    // setaudio, clamped to what an int64 holds
};

// Splits a command into words; nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitSoundCommand(std::string_view text);
// Nothing for an unknown verb, a missing or extra word or a value that is no number.
std::optional<SoundCommand> ParseSoundCommand(std::string_view text);
// The name as one word of a command string: unchanged when it holds no blank,
// tab or quote, else quoted. An empty name stays empty.
std::string QuoteSoundName(const std::string& name);

}  // namespace korvath::platform
