#pragma once
// The first video stream of an AVI file, decoded frame by frame into bottom-up
// 24-bit B, G, R rows padded to a multiple of 4 bytes, at the stream's own size.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvath::platform {

struct VideoStream;

class VideoDecoder {
public:
    // Takes the whole file; Opened() tells whether a video stream was found.
    explicit VideoDecoder(std::vector<uint8_t> file);
    // Reads the file at path piece by piece as frames are decoded, so only a
    // small buffer of it is ever held; a file found only in a mounted archive
    // is read whole.
    explicit VideoDecoder(const std::string& path);
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    bool Opened() const;
    int32_t Width() const;
    int32_t Height() const;
    int32_t FrameCount() const;
    // The time at which the sample after the last one starts, in milliseconds.
    double DurationMilliseconds() const;
    // Bytes of one decoded frame.
    size_t FrameBytes() const;

    // Writes frame index (0-based) into pixels (FrameBytes() long). Frames are
    // read forward; asking for an earlier frame rewinds to the start. False when
    // the frame cannot be decoded; pixels then keep what they held.
    bool ReadFrame(int32_t index, uint8_t* pixels);

private:
    std::unique_ptr<VideoStream> stream_;
};

}  // namespace korvath::platform
