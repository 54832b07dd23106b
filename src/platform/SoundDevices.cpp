#include "platform/SoundDevices.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <map>

#include "platform/SoundCommandText.h"
#include "platform/TrebleShelf.h"

namespace korvath::platform {

namespace {

constexpr int32_t kFullScale = 1000;  // volume and treble levels run 0..1000

struct SoundDevice {
    Mix_Chunk* Chunk = nullptr;
    int Channel = -1;  // the channel last given to this sound; it may since serve another
    bool Repeat = false;
    int32_t Volume = kFullScale;
    int32_t Treble = kNeutralTreble;
};

// The open devices and the mixer they play on. One object owns both so the mixer
// is closed (its thread stopped) before any sound it may be mixing is freed, also
// when the program ends with sounds still open.
class SoundDeviceTable {
public:
    ~SoundDeviceTable() {
        if (!started_) return;
        Mix_HaltChannel(-1);
        for (auto& [alias, device] : devices_) Mix_FreeChunk(device.Chunk);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // Tried once: without a sound device every later sound is silent at once,
    // instead of probing the audio drivers again on each open.
    bool StartMixer() {
        if (started_ || failed_) return started_;
        failed_ = true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        failed_ = false;
        started_ = true;
        return true;
    }

    bool Started() const { return started_; }
    std::map<std::string, SoundDevice>& Devices() { return devices_; }

private:
    bool started_ = false, failed_ = false;
    std::map<std::string, SoundDevice> devices_;
};

SoundDeviceTable& Table() {
    static SoundDeviceTable table;
    return table;
}

SoundDevice* Find(const std::string& alias) {
    auto& devices = Table().Devices();
    auto it = devices.find(alias);
    return it == devices.end() ? nullptr : &it->second;
}

// The channel still carrying this sound, or -1 once it finished or was taken over.
int LiveChannel(const SoundDevice& device) {
    const int c = device.Channel;
    if (c < 0 || Mix_GetChunk(c) != device.Chunk || !Mix_Playing(c)) return -1;
    return c;
}

int32_t ClampLevel(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, 0, kFullScale)); }

void Open(const SoundCommand& command, SoundFileReader read) {
    // A second open of an alias in use is refused, so the first sound keeps playing.
    if (Find(command.Alias) || !read) return;
    std::vector<uint8_t> bytes;
    if (!read(command.Device, bytes) || bytes.empty() || bytes.size() > INT32_MAX) return;
    if (!Table().StartMixer()) return;
    // The chunk holds its own decoded samples, so the file's bytes can go.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!chunk) return;
    Table().Devices()[command.Alias].Chunk = chunk;
}

void Close(const std::string& alias) {
    auto& devices = Table().Devices();
    auto it = devices.find(alias);
    if (it == devices.end()) return;
    // Halting (unlike freeing the chunk) also takes the channel's effects off.
    const int live = LiveChannel(it->second);
    if (live >= 0) Mix_HaltChannel(live);
    Mix_FreeChunk(it->second.Chunk);
    devices.erase(it);
}

int StartChannel(Mix_Chunk* chunk, bool repeat) {
    const int loops = repeat ? -1 : 0;
    int channel = Mix_PlayChannel(-1, chunk, loops);
    if (channel < 0) {
        const int allocated = Mix_AllocateChannels(-1);
        if (allocated >= kMaxMixerChannels) return -1;
        Mix_AllocateChannels(std::min(kMaxMixerChannels, std::max(1, allocated) * 2));
        channel = Mix_PlayChannel(-1, chunk, loops);
    }
    return channel;
}

// Play continues a paused sound and leaves a playing one alone, as long as the
// repeat mode stays; a finished sound, or a change of mode, starts from the top.
void Play(SoundDevice& device, bool repeat) {
    const int live = LiveChannel(device);
    if (live >= 0 && device.Repeat == repeat) {
        if (Mix_Paused(live)) Mix_Resume(live);
        return;
    }
    if (live >= 0) Mix_HaltChannel(live);
    device.Repeat = repeat;
    device.Channel = StartChannel(device.Chunk, repeat);
    ApplyTreble(device.Channel, device.Treble);
}

void Pause(SoundDevice& device) {
    const int live = LiveChannel(device);
    if (live >= 0) Mix_Pause(live);
}

void SetVolume(SoundDevice& device, int64_t value) {
    device.Volume = ClampLevel(value);
    Mix_VolumeChunk(device.Chunk, (device.Volume * MIX_MAX_VOLUME + kFullScale / 2) / kFullScale);
}

}  // namespace

void SendSoundCommand(const std::string& command, SoundFileReader read) {
    const auto parsed = ParseSoundCommand(command);
    if (!parsed) return;
    const SoundCommand& c = *parsed;
    switch (c.Verb) {
        case SoundVerb::Open:
            Open(c, read);
            return;
        case SoundVerb::Close:
            Close(c.Device);
            return;
        case SoundVerb::CloseAll:
            while (!Table().Devices().empty()) Close(Table().Devices().begin()->first);
            return;
        default:
            break;
    }
    SoundDevice* device = Find(c.Device);
    if (!device) return;
    switch (c.Verb) {
        case SoundVerb::Play:
            Play(*device, c.Repeat);
            break;
        case SoundVerb::Pause:
            Pause(*device);
            break;
        case SoundVerb::SetVolume:
            SetVolume(*device, c.Value);
            break;
        case SoundVerb::SetTreble:
            device->Treble = ClampLevel(c.Value);
            ApplyTreble(LiveChannel(*device), device->Treble);
            break;
        default:
            break;
    }
}

SoundDeviceStatus QuerySoundDevice(const std::string& alias) {
    SoundDeviceStatus status;
    const SoundDevice* device = Find(alias);
    if (!device) return status;
    const int live = LiveChannel(*device);
    status.Open = true;
    status.Playing = live >= 0;
    status.Paused = live >= 0 && Mix_Paused(live);
    status.Repeating = live >= 0 && device->Repeat;
    status.Volume = device->Volume;
    status.Treble = device->Treble;
    return status;
}

int32_t OpenSoundDevices() { return static_cast<int32_t>(Table().Devices().size()); }

int32_t MixerChannels() { return Table().Started() ? Mix_AllocateChannels(-1) : 0; }

}  // namespace korvath::platform
