#include "korvath/Sound.h"

#include "core/Paths.h"
#include "platform/CanonicalPath.h"
#include "platform/Files.h"
#include "platform/SoundCommandText.h"
#include "platform/SoundDevices.h"

namespace korvath {

namespace {

// The device name of a file: its one absolute name, so every spelling of a path
// reaches the same sound; empty for a file that does not exist.
std::string DeviceName(const std::string& filename) {
    const std::string path = ResolvePath(filename);
    if (!platform::FileExists(path)) return {};
    const std::string found = platform::FindFileIgnoringCase(path);
    // A file inside a mounted archive has no name on disk to resolve; the one
    // spelling the archive look-up gives every name of it serves instead.
    const std::string canonical = platform::CanonicalPath(found);
    return platform::QuoteSoundName(canonical.empty() ? found : canonical);
}

// Only regular files are read, so a name of a pipe or a device cannot block.
bool ReadSoundFile(const std::string& name, std::vector<uint8_t>& bytes) {
    return platform::FileExists(name) && platform::ReadWholeFile(name, bytes);
}

// Sends the command Build makes from the file's device name. A missing file has
// an empty name, and a command naming no device could only fail, so it is not
// sent: the words around the gap could otherwise read as a name ("open  alias "
// would open a file called "alias").
template <typename Build>
void SendFor(const std::string& filename, Build build) {
    const std::string s = DeviceName(filename);
    if (!s.empty()) platform::SendSoundCommand(build(s), ReadSoundFile);
}

}  // namespace

void Sound::Load(const std::string& Filename) {
    SendFor(Filename, [](const std::string& s) { return "open " + s + " alias " + s; });
}

void Sound::UnLoad(const std::string& Filename) {
    SendFor(Filename, [](const std::string& s) { return "close " + s; });
}

void Sound::Play(const std::string& Filename) {
    SendFor(Filename, [](const std::string& s) { return "play " + s; });
}

void Sound::Repeat(const std::string& Filename) {
    SendFor(Filename, [](const std::string& s) { return "play " + s + " repeat"; });
}

void Sound::Pause(const std::string& Filename) {
    SendFor(Filename, [](const std::string& s) { return "pause " + s; });
}

void Sound::Frequency(const std::string& Filename, int32_t Value) {
    SendFor(Filename, [Value](const std::string& s) { return "setaudio " + s + " treble to " + std::to_string(Value); });
}

void Sound::Volume(const std::string& Filename, int32_t Value) {
    SendFor(Filename, [Value](const std::string& s) { return "setaudio " + s + " volume to " + std::to_string(Value); });
}

}  // namespace korvath
