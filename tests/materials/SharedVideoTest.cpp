#include <gtest/gtest.h>

#include <filesystem>

#include "materials/SharedVideo.h"
#include "materials/Texture.h"
#include "materials/TextureTestSupport.h"

using namespace korvath;
using namespace korvath::test;

namespace {

// Frame index of the file, decoded alone.
std::vector<uint8_t> FrameAlone(const std::string& path, int32_t index) {
    platform::VideoDecoder decoder(path);
    std::vector<uint8_t> pixels(decoder.FrameBytes());
    EXPECT_TRUE(decoder.ReadFrame(index, pixels.data()));
    return pixels;
}

TEST(SharedVideo, HoldersInStepShareOneDecoderAndALaggardGetsItsOwn) {
    const std::string path = CorpusPath("video/mpeg4_xvid_64x48_10f.avi");
    std::shared_ptr<SharedVideo> a = SharedVideo::Open(path), b = SharedVideo::Open(path);
    ASSERT_EQ(a, b);
    ASSERT_TRUE(a->Decoder().Opened());
    for (int32_t frame = 1; frame < 10; ++frame) {
        EXPECT_EQ(SharedVideo::Frame(a, frame), FrameAlone(path, frame));
        EXPECT_EQ(SharedVideo::Frame(b, frame), FrameAlone(path, frame));
    }
    // Both loop to the first frame together and stay together.
    SharedVideo::Frame(a, 0);
    SharedVideo::Frame(b, 0);
    EXPECT_EQ(a, b);

    SharedVideo::Frame(a, 5);
    const std::shared_ptr<SharedVideo> before = b;
    EXPECT_EQ(SharedVideo::Frame(b, 3), FrameAlone(path, 3));
    EXPECT_NE(a, b);
    EXPECT_EQ(SharedVideo::Frame(a, 6), FrameAlone(path, 6));
}

TEST(SharedVideo, AFileReplacedOnDiskIsOpenedAfresh) {
    const std::string path = ProcessDirectory() + "/replaced.avi";
    std::filesystem::copy_file(CorpusPath("video/mjpeg_64x48_10f.avi"), path,
                               std::filesystem::copy_options::overwrite_existing);
    std::shared_ptr<SharedVideo> first = SharedVideo::Open(path);
    EXPECT_EQ(first->Decoder().Width(), 64);
    std::filesystem::copy_file(CorpusPath("video/vfw_raw_bgr24_18x16_10f.avi"), path,
                               std::filesystem::copy_options::overwrite_existing);
    std::shared_ptr<SharedVideo> second = SharedVideo::Open(path);
    EXPECT_NE(first, second);
    EXPECT_EQ(second->Decoder().Width(), 18);
}

class VideoMemory : public GLTextureTest {};

// Video is read from the file as frames are decoded: a long file played by
// two materials is not held in memory, once or twice.
TEST_F(VideoMemory, TwoTexturesOfALongFileDoNotHoldIt) {
    std::vector<uint8_t> avi = FileBytes(CorpusPath("video/raw_bgr24_64x48_10f.avi"));
    constexpr uint32_t kPadding = 48u << 20;
    const uint8_t junk[8] = {'J', 'U', 'N', 'K', 0, 0, 0, 3};  // 48 MiB
    avi.insert(avi.end(), junk, junk + 8);
    avi.resize(avi.size() + kPadding, 0);
    const uint32_t riff = static_cast<uint32_t>(avi.size() - 8);
    for (int i = 0; i < 4; ++i) avi[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
    const std::string path = WriteTestFile("long.avi", avi);
    avi.clear();
    avi.shrink_to_fit();

    const long resident = ResidentKilobytes();
    const int32_t first = LoadTexture(path), second = LoadTexture(path);
    ASSERT_NE(first, second);
    BindTexture(GL_TEXTURE_2D, first);
    BindTexture(GL_TEXTURE_2D, second);
    glDisable(GL_TEXTURE_2D);
    if (!kAddressSanitizer) EXPECT_LT(ResidentKilobytes() - resident, 16 * 1024) << "kilobytes grown";
    CloseVideoTexture(first);
    CloseVideoTexture(second);
    std::filesystem::remove(path);
}

}  // namespace
