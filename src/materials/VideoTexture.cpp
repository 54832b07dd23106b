#include <functional>
#include <memory>
#include <unordered_map>

#include "core/Display.h"
#include "core/FrameTiming.h"
#include "core/Math.h"
#include "materials/SharedVideo.h"
#include "materials/Texture.h"
#include "materials/TextureUpload.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// One entry per live GL texture name the engine made; only names opened as
// videos are Active. Keyed by name rather than indexed by it: a driver may hand
// out ever higher names (one that never reuses them would make an indexed table
// grow with every texture ever made) or large ones.
struct VideoEntry {
    bool Active = false;
    bool Empty = false;  // made without pixels
    uint32_t MipmapTarget = 0;  // GL_TEXTURE_2D or GL_TEXTURE_CUBE_MAP when made with mipmaps
    std::shared_ptr<SharedVideo> Video;  // stream, frame reader and decoded frame, shared while in step
    int32_t FrameDuration = 0, FrameBytes = 0, FrameCount = 0;
    int32_t NextFrameTime = 0, CurrentFrame = 0;
    int32_t Width = 0, Height = 0;
};

std::unordered_map<int32_t, VideoEntry>& Videos() {
    static std::unordered_map<int32_t, VideoEntry> videos;
    return videos;
}

// The registry entry of a texture name; null for 0 and names not registered.
VideoEntry* Entry(int32_t texture) {
    if (texture <= 0) return nullptr;
    const auto found = Videos().find(texture);
    return found == Videos().end() ? nullptr : &found->second;
}

VideoEntry* ActiveVideo(int32_t texture) {
    VideoEntry* entry = Entry(texture);
    return entry && entry->Active ? entry : nullptr;
}

}  // namespace

// A name GL hands out again after a deletion must not keep a stale video.
void RegisterTextureName(int32_t texture) {
    if (texture > 0) Videos()[texture] = VideoEntry{};
}

void ForgetTextureName(int32_t texture) { Videos().erase(texture); }

// A file that is not a readable AVI still gives a texture (without pixels);
// binding it then shows nothing new.
int32_t OpenVideoTexture(const std::string& path) {
    std::shared_ptr<SharedVideo> video = SharedVideo::Open(path);
    const platform::VideoDecoder& decoder = video->Decoder();

    IMAGE image;
    image.Width = decoder.Width();
    image.Height = decoder.Height();
    image.Pixels.assign(decoder.FrameBytes(), 0);
    SkipMipmapsForNextTexture();
    const int32_t texture = CreateTexture(GL_BGR_EXT, image);
    if (texture <= 0) return texture;

    VideoEntry& entry = Videos()[texture];
    entry.Width = image.Width;
    entry.Height = image.Height;
    entry.FrameBytes = static_cast<int32_t>(image.Pixels.size());
    entry.FrameCount = decoder.FrameCount();
    entry.FrameDuration = entry.FrameCount > 0 ? RoundHalfEven(decoder.DurationMilliseconds() / entry.FrameCount) : 0;
    entry.Video = std::move(video);
    entry.Active = true;
    return texture;
}

void MarkTextureEmpty(int32_t texture) {
    if (VideoEntry* entry = Entry(texture)) entry->Empty = true;
}

void MarkTextureMipmapped(int32_t texture, uint32_t target) {
    if (VideoEntry* entry = Entry(texture)) entry->MipmapTarget = target;
}

void ForEachMipmappedTexture(const std::function<void(int32_t texture, uint32_t target)>& visit) {
    for (const auto& [texture, entry] : Videos())
        if (entry.MipmapTarget != 0) visit(texture, entry.MipmapTarget);
}

uint32_t WhiteTexture() {
    // Texture names die with their context, so a new context gets a new one.
    static void* context = nullptr;
    static GLuint white = 0;
    void* current = Display().RenderContext;
    if (white == 0 || context != current || !glIsTexture(white)) {
        const uint8_t pixel[4] = {255, 255, 255, 255};
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGenTextures(1, &white);
        RegisterTextureName(static_cast<int32_t>(white));
        glBindTexture(GL_TEXTURE_2D, white);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
        context = current;
    }
    return white;
}

// Frames fall due every half frame duration, at most one step per bind, and the
// current frame is uploaded on every bind.
void BindTexture(int32_t target, int32_t texture) {
    VideoEntry* video = Entry(texture);
    if (target == GL_TEXTURE_2D && (texture == 0 || (video && video->Empty))) {
        glBindTexture(GL_TEXTURE_2D, WhiteTexture());
        return;
    }
    glBindTexture(static_cast<GLenum>(target), static_cast<GLuint>(texture));
    if (!video || !video->Active) return;

    const int32_t now = Timing().CurrentTick;
    if (now >= video->NextFrameTime) {
        video->NextFrameTime = now + RoundHalfEven(video->FrameDuration / 2.0);
        if (++video->CurrentFrame >= video->FrameCount) video->CurrentFrame = video->NextFrameTime = 0;
    }
    if (video->Width <= 0 || video->Height <= 0) return;
    const std::vector<uint8_t>& pixels = SharedVideo::Frame(video->Video, video->CurrentFrame);

    glEnable(static_cast<GLenum>(target));
    ScopedUnpackAlignment alignment(RowAlignmentOf(GL_BGR_EXT));
    glTexSubImage2D(static_cast<GLenum>(target), 0, 0, 0, video->Width, video->Height, GL_BGR_EXT, GL_UNSIGNED_BYTE,
                    pixels.data());
}

void CloseVideoTexture(int32_t texture) {
    if (VideoEntry* video = ActiveVideo(texture)) *video = VideoEntry{};
}

}  // namespace korvath
