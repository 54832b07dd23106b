// The video decoder on arbitrary bytes: open, then read a few frames forward,
// backward (a rewind) and past the end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/VideoDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    korvath::platform::VideoDecoder decoder(std::vector<uint8_t>(data, data + size));
    if (!decoder.Opened()) return 0;
    std::vector<uint8_t> pixels(decoder.FrameBytes());
    for (int32_t frame : {0, 1, 2, 0, decoder.FrameCount() - 1, decoder.FrameCount()})
        decoder.ReadFrame(frame, pixels.data());
    return 0;
}
