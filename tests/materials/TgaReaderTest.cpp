#include <gtest/gtest.h>

#include "core/EngineState.h"
#include "materials/TextureTestSupport.h"
#include "materials/TgaReader.h"

using namespace korvath;
using namespace korvath::test;

namespace {
int32_t Decode(const std::vector<uint8_t>& file, IMAGE& image) { return DecodeTga(file.data(), file.size(), image); }
}  // namespace

TEST(TgaReader, SwapsBlueAndRedOfEachPixel) {
    IMAGE image;
    ASSERT_EQ(Decode(TgaFile(2, 1, 24, {10, 20, 30, 40, 50, 60}), image), GL_RGB);
    EXPECT_EQ(image.Width, 2);
    EXPECT_EQ(image.Height, 1);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));

    ASSERT_EQ(Decode(TgaFile(1, 2, 32, {1, 2, 3, 4, 5, 6, 7, 8}), image), GL_RGBA);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 4, 7, 6, 5, 8}));
}

// The reader takes pixels straight after the header whatever the header says
// about an image ID, a colour map, RLE or the origin.
TEST(TgaReader, IgnoresIdLengthTypeAndDescriptor) {
    std::vector<uint8_t> file = TgaFile(1, 1, 24, {1, 2, 3, 9, 9});
    file[0] = 2;      // an image ID that is not skipped
    file[2] = 10;     // RLE
    file[17] = 0x20;  // top-left origin
    IMAGE image;
    ASSERT_EQ(Decode(file, image), GL_RGB);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1}));
}

TEST(TgaReader, RejectsOtherDepthsAndFilesThatCannotHoldTheirPixels) {
    IMAGE image;
    EXPECT_EQ(Decode(TgaFile(1, 1, 16, {1, 2}), image), 0);
    EXPECT_EQ(Decode(TgaFile(1, 1, 8, {1}), image), 0);
    EXPECT_EQ(Decode(TgaFile(0, 1, 24, {}), image), 0);
    EXPECT_EQ(Decode(TgaFile(2, 2, 24, {1, 2, 3, 4, 5, 6}), image), 0);  // truncated
    std::vector<uint8_t> negative = TgaFile(1, 1, 24, {1, 2, 3});
    negative[13] = 0x80;  // width is a signed 16-bit value
    EXPECT_EQ(Decode(negative, image), 0);
    std::vector<uint8_t> oversized = TgaFile(1, 1, 32, {1, 2, 3, 4});
    oversized[12] = oversized[13] = oversized[14] = oversized[15] = 0x7F;
    EXPECT_EQ(Decode(oversized, image), 0);
    EXPECT_EQ(Decode(std::vector<uint8_t>(17, 24), image), 0);
    EXPECT_EQ(DecodeTga(nullptr, 0, image), 0);
    EXPECT_TRUE(image.Pixels.empty());
}

TEST(TgaReader, CorpusFilesKeepTheirBytesInFileOrder) {
    const std::vector<uint8_t> file = FileBytes(CorpusPath("images/oa_tga32_uncompressed_alpha8_16x32_sliderbutt_0.tga"));
    IMAGE image;
    ASSERT_EQ(Decode(file, image), GL_RGBA);
    ASSERT_EQ(image.Pixels.size(), 16u * 32 * 4);
    for (size_t i = 0; i < image.Pixels.size(); i += 4) {
        ASSERT_EQ(image.Pixels[i], file[18 + i + 2]);
        ASSERT_EQ(image.Pixels[i + 2], file[18 + i]);
        ASSERT_EQ(image.Pixels[i + 3], file[18 + i + 3]);
    }
    EXPECT_EQ(Decode(FileBytes(CorpusPath("images/gen_tga16_rgb555_32x32_from_gothic_light2.tga")), image), 0);
    EXPECT_EQ(Decode(FileBytes(CorpusPath("images/gen_tga8_gray_32x32_from_gothic_light2.tga")), image), 0);
}

using TgaTexture = GLTextureTest;

TEST_F(TgaTexture, TexelsAreTheDecodedPixels) {
    const std::string path = WriteTestFile("two.tga", TgaFile(2, 1, 24, {10, 20, 30, 40, 50, 60}));
    const int32_t texture = LoadTexture(path);
    ASSERT_NE(texture, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(TextureImage(GL_TEXTURE_2D, GL_RGB, 3, 1), (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));
}

// Odd widths have unpadded rows; they must not be read as if padded.
TEST_F(TgaTexture, ThirtyTwoBitFilesKeepAlphaAtAnyWidth) {
    const std::vector<uint8_t> file = FileBytes(CorpusPath("images/gen_tga32_uncompressed_3x2.tga"));
    SkipMipmapsForNextTexture();
    const int32_t texture = LoadTexture(CorpusPath("images/gen_tga32_uncompressed_3x2.tga"));
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE), 8);
    std::vector<uint8_t> expected(file.begin() + 18, file.begin() + 18 + 3 * 2 * 4);
    EXPECT_EQ(TextureImage(GL_TEXTURE_2D, GL_BGRA, 4, 1), expected);

    const std::string wide = CorpusPath("q3/textures/suction/logo.tga");
    const std::vector<uint8_t> logo = FileBytes(wide);
    glBindTexture(GL_TEXTURE_2D, LoadTexture(wide));
    EXPECT_EQ(TextureImage(GL_TEXTURE_2D, GL_BGRA, 4, 1), std::vector<uint8_t>(logo.begin() + 18, logo.begin() + 18 + 256 * 256 * 4));
}

TEST_F(TgaTexture, UnreadableFilesGiveNoTexture) {
    EXPECT_EQ(LoadTexture(CorpusPath("images/gen_tga16_rgb555_32x32_from_gothic_light2.tga")), 0);
    EXPECT_EQ(LoadTexture(WriteTestFile("short.tga", TgaFile(4, 4, 24, {1, 2, 3}))), 0);
    // RLE files hold fewer bytes than their size needs.
    EXPECT_EQ(LoadTexture(CorpusPath("images/gen_tga24_rle_64x64_from_gothic_light2.tga")), 0);
}
