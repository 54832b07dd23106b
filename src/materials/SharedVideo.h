#pragma once
// One decoder per video file for the texture names that play it in step. Each
// texture name keeps its own frame clock; while the clocks agree, the frame
// is decoded once for all of them, and a texture whose clock falls behind the
// others' gets a decoder of its own rather than rewinding theirs.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/VideoDecoder.h"

namespace korvath {

class SharedVideo {
public:
    // The decoder already open on the file at path (unchanged since), or a new one.
    static std::shared_ptr<SharedVideo> Open(const std::string& path);

    const platform::VideoDecoder& Decoder() const { return decoder_; }

    // The pixels of frame index for one texture holding video: decoded once
    // for every holder in step. When video is shared and index lies behind
    // the frame held, video becomes a decoder of the holder's own.
    static const std::vector<uint8_t>& Frame(std::shared_ptr<SharedVideo>& video, int32_t index);

    explicit SharedVideo(const std::string& path);

private:
    std::string path_;
    platform::VideoDecoder decoder_;
    std::vector<uint8_t> pixels_;
    int32_t heldFrame_ = -1;
};

}  // namespace korvath
