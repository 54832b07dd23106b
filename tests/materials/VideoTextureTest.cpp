#include <gtest/gtest.h>

#include <cstring>

#include "materials/TextureTestSupport.h"
#include "platform/Pictures.h"

using namespace korvath;
using namespace korvath::test;

namespace {

// Frames of an uncompressed AVI read straight from its 'movi' chunks, turned
// into bottom-up rows padded to 4 bytes (the chunks of top-down files hold the
// rows the other way round).
std::vector<std::vector<uint8_t>> RawFrames(const std::string& path, int width, int height, bool topDown) {
    const std::vector<uint8_t> file = FileBytes(path);
    const size_t row = platform::BgrRowBytes(width);
    std::vector<std::vector<uint8_t>> frames;
    const uint8_t movi[] = {'m', 'o', 'v', 'i'};
    size_t at = std::search(file.begin(), file.end(), movi, movi + 4) - file.begin() + 4;
    while (at + 8 <= file.size() && std::memcmp(&file[at], "idx1", 4) != 0) {
        const uint32_t size = file[at + 4] | file[at + 5] << 8 | file[at + 6] << 16 | file[at + 7] << 24;
        if (file[at + 2] == 'd' && (file[at + 3] == 'b' || file[at + 3] == 'c')) {
            std::vector<uint8_t> frame(row * height);
            for (int y = 0; y < height; ++y)
                std::memcpy(&frame[(topDown ? height - 1 - y : y) * row], &file[at + 8 + y * row], width * 3);
            frames.push_back(frame);
        }
        at += 8 + size + (size & 1);
    }
    return frames;
}

class VideoTexture : public GLTextureTest {
protected:
    // One frame of 20 ms: the tick the next bind sees comes from EndScene.
    void NextFrame() {
        clock_->Advance(20);
        engine().EndScene();
    }
    ScopedClock clock_{500000};
};

// The index of the frame the texture shows, or -1.
int ShownFrame(int32_t texture, const std::vector<std::vector<uint8_t>>& frames) {
    const std::vector<uint8_t> texels = BgrTexels(texture);
    for (size_t i = 0; i < frames.size(); ++i)
        if (texels == frames[i]) return static_cast<int>(i);
    return -1;
}

}  // namespace

// 100 ms frames fall due every 50 ms; bound every 20 ms each shows for three
// binds, and after frame 9 the video wraps to frame 0 for one bind.
TEST_F(VideoTexture, AdvancesOnHalfTheFrameDurationAndLoops) {
    const std::string path = CorpusPath("video/raw_bgr24_3x2_10f.avi");
    const auto frames = RawFrames(path, 3, 2, true);
    ASSERT_EQ(frames.size(), 10u);
    ASSERT_EQ(frames[0].size(), 24u);  // 9 bytes of pixels per row, padded to 12
    const int32_t texture = LoadTexture(path);
    ASSERT_NE(texture, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);

    std::vector<int> shown;
    for (int bind = 0; bind < 34; ++bind) {
        NextFrame();
        BindTexture(GL_TEXTURE_2D, texture);
        shown.push_back(ShownFrame(texture, frames));
    }
    const std::vector<int> expected = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6,
                                       6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 0, 1, 1, 1, 2, 2, 2};
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_TEXTURE_2D);
}

TEST_F(VideoTexture, BottomUpFilesArriveUnchanged) {
    const std::string path = CorpusPath("video/vfw_raw_bgr24_18x16_10f.avi");
    const auto frames = RawFrames(path, 18, 16, false);
    ASSERT_EQ(frames.size(), 10u);
    const int32_t texture = LoadTexture(path);
    for (int bind = 1; bind <= 4; ++bind) {
        NextFrame();
        NextFrame();
        NextFrame();
        BindTexture(GL_TEXTURE_2D, texture);
        EXPECT_EQ(ShownFrame(texture, frames), bind);
    }
    glDisable(GL_TEXTURE_2D);
}

// Compressed streams: each frame is new, and a loop replays the same pictures.
TEST_F(VideoTexture, CompressedStreamsReplayTheSameFramesAfterALoop) {
    for (const char* name : {"video/mjpeg_64x48_10f.avi", "video/mpeg4_xvid_64x48_10f.avi"}) {
        SCOPED_TRACE(name);
        const int32_t texture = LoadTexture(CorpusPath(name));
        std::vector<std::vector<uint8_t>> firstPass, secondPass;
        for (int bind = 0; bind < 20; ++bind) {
            for (int i = 0; i < 3; ++i) NextFrame();
            BindTexture(GL_TEXTURE_2D, texture);
            (bind < 10 ? firstPass : secondPass).push_back(BgrTexels(texture));
        }
        ASSERT_EQ(firstPass[0].size(), platform::BgrRowBytes(64) * 48);
        EXPECT_NE(firstPass[0], firstPass[1]);
        // Bind 9 wraps to frame 0 and bind 10 shows frame 1 again.
        EXPECT_NE(firstPass[9], firstPass[8]);
        EXPECT_EQ(secondPass[0], firstPass[0]);
        EXPECT_EQ(secondPass[8], firstPass[8]);
        glDisable(GL_TEXTURE_2D);
    }
}

TEST_F(VideoTexture, TwoTexturesOfOneFilePlayIndependently) {
    const std::string path = CorpusPath("video/raw_bgr24_64x48_10f.avi");
    const auto frames = RawFrames(path, 64, 48, true);
    const int32_t first = LoadTexture(path), second = LoadTexture(path);
    ASSERT_NE(first, second);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 3; ++j) NextFrame();
        BindTexture(GL_TEXTURE_2D, first);
    }
    BindTexture(GL_TEXTURE_2D, second);
    EXPECT_EQ(ShownFrame(first, frames), 4);
    EXPECT_EQ(ShownFrame(second, frames), 1);

    // A closed video is an ordinary texture again: binding no longer uploads.
    CloseVideoTexture(first);
    for (int j = 0; j < 3; ++j) NextFrame();
    BindTexture(GL_TEXTURE_2D, first);
    EXPECT_EQ(ShownFrame(first, frames), 4);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(VideoTexture, FilesThatAreNoVideoGiveAnEmptyTexture) {
    const std::vector<uint8_t> avi = FileBytes(CorpusPath("video/mjpeg_64x48_10f.avi"));
    for (const auto& bytes : {std::vector<uint8_t>(avi.begin(), avi.begin() + 300), std::vector<uint8_t>(1000, 7)}) {
        const int32_t texture = OpenVideoTexture(WriteTestFile("broken.avi", bytes));
        ASSERT_NE(texture, 0);
        NextFrame();
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 0);
        // Drawing with it draws as untextured, not black.
        BindTexture(GL_TEXTURE_2D, texture);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<uint32_t>(bound), WhiteTexture());
        glDisable(GL_TEXTURE_2D);
    }
}
