#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/VideoDecoder.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

std::vector<uint8_t> Bytes(const std::string& corpusName) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(platform::ReadWholeFile(test::CorpusPath(corpusName), bytes));
    return bytes;
}

// Every codec of the real files opens, from the path (read as decoded) and from bytes alike.
TEST(VideoDecoder, TheCodecsOfGameVideosOpen) {
    struct Case {
        const char* name;
        int32_t width, height, frames;
    };
    for (const Case& c : {Case{"video/idlogo_mjpeg_64x64_20f.avi", 64, 64, 20}, Case{"video/mjpeg_64x48_10f.avi", 64, 48, 10},
                          Case{"video/mpeg4_xvid_64x48_10f.avi", 64, 48, 10}, Case{"video/raw_bgr24_3x2_10f.avi", 3, 2, 10},
                          Case{"video/vfw_raw_bgr24_18x16_10f.avi", 18, 16, 10}}) {
        SCOPED_TRACE(c.name);
        platform::VideoDecoder streamed(test::CorpusPath(c.name)), held(Bytes(c.name));
        for (const platform::VideoDecoder* decoder : {&streamed, &held}) {
            ASSERT_TRUE(decoder->Opened());
            EXPECT_EQ(decoder->Width(), c.width);
            EXPECT_EQ(decoder->Height(), c.height);
            EXPECT_EQ(decoder->FrameCount(), c.frames);
        }
        std::vector<uint8_t> a(streamed.FrameBytes()), b(held.FrameBytes());
        ASSERT_TRUE(streamed.ReadFrame(c.frames - 1, a.data()));
        ASSERT_TRUE(held.ReadFrame(c.frames - 1, b.data()));
        EXPECT_EQ(a, b);
    }
}

// A stream tagged with a codec no game video uses never reaches a decoder.
TEST(VideoDecoder, StreamsOfOtherCodecsAreRefused) {
    std::vector<uint8_t> avi = Bytes("video/mjpeg_64x48_10f.avi");
    const std::string tag = "MJPG";
    int retagged = 0;
    for (auto at = avi.begin(); (at = std::search(at, avi.end(), tag.begin(), tag.end())) != avi.end(); ++retagged)
        at = std::copy_n("ZMBV", 4, at);
    ASSERT_GT(retagged, 0);
    EXPECT_FALSE(platform::VideoDecoder(avi).Opened());
}

// The scaler writes whole blocks of pixels; for frames of 18 pixels in these
// packed formats it used to run 16 bytes past the caller's buffer, unseen by the
// sanitizers (the scaler is not instrumented) until the heap broke later.
TEST(VideoDecoder, ConversionStaysInsideTheFrame) {
    for (const char* tag : {"UYVY", "YUV9", "YUY2", "I420"}) {
        SCOPED_TRACE(tag);
        std::vector<uint8_t> avi = Bytes("video/vfw_raw_bgr24_18x16_10f.avi");
        for (const char* chunk : {"strh", "strf"}) {
            const auto at = std::search(avi.begin(), avi.end(), chunk, chunk + 4);
            ASSERT_NE(at, avi.end());
            std::copy_n(tag, 4, at + 8 + (chunk[3] == 'h' ? 4 : 16));  // handler, compression
        }
        platform::VideoDecoder decoder(avi);
        ASSERT_TRUE(decoder.Opened());
        constexpr size_t kGuard = 256;
        std::vector<uint8_t> pixels(decoder.FrameBytes() + kGuard, 0xA5);
        for (int32_t frame = 0; frame < decoder.FrameCount(); ++frame) decoder.ReadFrame(frame, pixels.data());
        EXPECT_EQ(std::count(pixels.end() - kGuard, pixels.end(), 0xA5), static_cast<long>(kGuard));
    }
}

TEST(VideoDecoder, MissingFilesAndDirectoriesDoNotOpen) {
    EXPECT_FALSE(platform::VideoDecoder(test::CorpusPath("video") + "/missing.avi").Opened());
    EXPECT_FALSE(platform::VideoDecoder(test::CorpusPath("video")).Opened());
}

}  // namespace
