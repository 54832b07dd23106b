#include "platform/SoundCommandText.h"

#include <cerrno>
#include <cstdlib>
#include <strings.h>

namespace korvath::platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Is(const std::string& word, const char* keyword) { return ::strcasecmp(word.c_str(), keyword) == 0; }

// A decimal integer with an optional sign and nothing after it; values beyond an
// int64 saturate, as the volume and treble clamp them anyway.
std::optional<int64_t> ParseInteger(const std::string& word) {
    if (word.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0' || IsBlank(word[0])) return std::nullopt;
    return static_cast<int64_t>(value);  // ERANGE leaves LLONG_MIN or LLONG_MAX
}

}  // namespace

std::optional<std::vector<std::string>> SplitSoundCommand(std::string_view text) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < text.size()) {
        if (IsBlank(text[at])) {
            ++at;
            continue;
        }
        std::string word;
        if (text[at] == '"') {
            ++at;
            bool closed = false;
            while (at < text.size()) {
                const char c = text[at++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && at < text.size()) {
                    word += text[at++];
                    continue;
                }
                word += c;
            }
            if (!closed) return std::nullopt;
        } else {
            while (at < text.size() && !IsBlank(text[at])) word += text[at++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<SoundCommand> ParseSoundCommand(std::string_view text) {
    const auto split = SplitSoundCommand(text);
    if (!split || split->size() < 2 || (*split)[1].empty()) return std::nullopt;
    const std::vector<std::string>& w = *split;
    SoundCommand command;
    command.Device = w[1];
    const std::string& verb = w[0];

    if (Is(verb, "open")) {
        command.Verb = SoundVerb::Open;
        if (w.size() == 2) {
            command.Alias = w[1];
            return command;
        }
        if (w.size() != 4 || !Is(w[2], "alias") || w[3].empty()) return std::nullopt;
        command.Alias = w[3];
        return command;
    }
    if (Is(verb, "close")) {
        if (w.size() != 2) return std::nullopt;
        command.Verb = Is(w[1], "all") ? SoundVerb::CloseAll : SoundVerb::Close;
        return command;
    }
    if (Is(verb, "play")) {
        command.Verb = SoundVerb::Play;
        if (w.size() == 2) return command;
        if (w.size() != 3 || !Is(w[2], "repeat")) return std::nullopt;
        command.Repeat = true;
        return command;
    }
    if (Is(verb, "pause")) {
        if (w.size() != 2) return std::nullopt;
        command.Verb = SoundVerb::Pause;
        return command;
    }
    if (Is(verb, "setaudio")) {
        if (w.size() != 5 || !Is(w[3], "to")) return std::nullopt;
        if (Is(w[2], "volume"))
            command.Verb = SoundVerb::SetVolume;
        else if (Is(w[2], "treble"))
            command.Verb = SoundVerb::SetTreble;
        else
            return std::nullopt;
        const auto value = ParseInteger(w[4]);
        if (!value) return std::nullopt;
        command.Value = *value;
        return command;
    }
    return std::nullopt;
}

std::string QuoteSoundName(const std::string& name) {
    bool plain = true;
    for (char c : name)
        if (IsBlank(c) || c == '"') plain = false;
    if (plain) return name;
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace korvath::platform
