#include <gtest/gtest.h>

#include <algorithm>

#include "core/EngineState.h"
#include "materials/TextureTestSupport.h"
#include "materials/TgaReader.h"

using namespace korvath;
using namespace korvath::test;

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {
int32_t Decode(const std::vector<uint8_t>& file, IMAGE& image) { return DecodeTga(file.data(), file.size(), image); }
}  // namespace

TEST(TgaReader, SwapsBlueAndRedOfEachPixel) {
    IMAGE image;
    ASSERT_EQ(Decode(TgaFile(2, 1, 24, {10, 20, 30, 40, 50, 60}), image), GL_RGB);
    EXPECT_EQ(std::pair(image.Width, image.Height), std::pair(2, 1));
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));

    ASSERT_EQ(Decode(TgaFile(1, 2, 32, {1, 2, 3, 4, 5, 6, 7, 8}), image), GL_RGBA);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 4, 7, 6, 5, 8}));
}

namespace {
// A builder for headers the plain helper does not write.
std::vector<uint8_t> TgaWith(uint8_t type, int width, int height, int bits, uint8_t descriptor,
                             const std::vector<uint8_t>& body, const std::vector<uint8_t>& id = {},
                             const std::vector<uint8_t>& colourMap = {}, int mapEntryBits = 0) {
    std::vector<uint8_t> file = TgaFile(width, height, bits, {});
    file[0] = static_cast<uint8_t>(id.size());
    file[2] = type;
    file[17] = descriptor;
    if (mapEntryBits) {
        const size_t entries = colourMap.size() / ((mapEntryBits + 7) / 8);
        file[1] = 1;
        file[5] = entries & 255, file[6] = static_cast<uint8_t>(entries >> 8);
        file[7] = static_cast<uint8_t>(mapEntryBits);
    }
    file.insert(file.end(), id.begin(), id.end());
    file.insert(file.end(), colourMap.begin(), colourMap.end());
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Two rows of two pixels, stored bottom row first: the reference every layout
// below must decode to.
const std::vector<uint8_t> kPlainBody = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const std::vector<uint8_t> kPlainPixels = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
}  // namespace

TEST(TgaReader, EveryLayoutOfOnePictureDecodesAlike) {
    IMAGE image;
    // Colour-mapped pictures below use a map that starts at index 5.
    std::vector<uint8_t> mapped = TgaWith(1, 2, 2, 8, 0, {5, 6, 7, 8}, {}, kPlainBody, 24);
    std::vector<uint8_t> mappedRuns = TgaWith(9, 2, 2, 8, 0, {0x81, 5, 0x81, 8}, {}, kPlainBody, 24);
    mapped[3] = mappedRuns[3] = 5;
    const std::pair<const char*, std::vector<uint8_t>> layouts[] = {
        {"an image ID and an unused colour map between header and pixels",
         TgaWith(2, 2, 2, 24, 0, kPlainBody, {'h', 'i', '!'}, {0, 0, 0, 0, 0, 0}, 24)},
        {"top-left origin: rows top first", TgaWith(2, 2, 2, 24, 0x20, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6})},
        {"right origin: rows right to left", TgaWith(2, 2, 2, 24, 0x10, {4, 5, 6, 1, 2, 3, 10, 11, 12, 7, 8, 9})},
        {"a raw packet crossing the row end, then a run of one",
         TgaWith(10, 2, 2, 24, 0, {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x80, 10, 11, 12})},
        {"colour-mapped", mapped}};
    for (const auto& [what, file] : layouts) {
        ASSERT_EQ(Decode(file, image), GL_RGB) << what;
        EXPECT_EQ(image.Pixels, kPlainPixels) << what;
    }
    ASSERT_EQ(Decode(mappedRuns, image), GL_RGB);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 3, 2, 1, 12, 11, 10, 12, 11, 10}));
    // Grey pixels become equal channels; 16-bit pixels are 5 bits a channel.
    ASSERT_EQ(Decode(TgaWith(11, 2, 1, 8, 0, {0x81, 200}), image), GL_RGB);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{200, 200, 200, 200, 200, 200}));
    ASSERT_EQ(Decode(TgaWith(2, 1, 1, 16, 0, {0x1F, 0x7C}), image), GL_RGB);  // red 31, green 0, blue 31
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{255, 0, 255}));
}

// Hostile layouts fail whole, without reading outside the file or allocating
// for sizes the bytes cannot hold.
TEST(TgaReader, HostileLayoutsFailWithoutReadingOutsideTheFile) {
    IMAGE image;
    // A run longer than the pixels left is cut at the last pixel.
    ASSERT_EQ(Decode(TgaWith(10, 1, 1, 24, 0, {0xFF, 1, 2, 3}), image), GL_RGB);
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1}));
    std::vector<uint8_t> idPastEnd = TgaFile(1, 1, 24, {1, 2, 3}), mapPastEnd = TgaWith(1, 1, 1, 8, 0, {0}, {}, {1, 2, 3}, 24);
    idPastEnd[0] = 200;
    mapPastEnd[5] = 0xFF;  // 255 entries announced, one stored
    const std::pair<const char*, std::vector<uint8_t>> refused[] = {
        {"raw packet cut short", TgaWith(10, 2, 1, 24, 0, {0x01, 1, 2, 3, 4})},
        {"packets end early", TgaWith(10, 2, 1, 24, 0, {0x80, 1, 2, 3})},
        {"index past the map", TgaWith(1, 1, 1, 8, 0, {2}, {}, {1, 2, 3, 4, 5, 6}, 24)},
        {"image ID past the end", idPastEnd},
        {"colour map past the end", mapPastEnd},
        // Refused before any allocation.
        {"32767 x 32767 from a few run packets", TgaWith(10, 0x7FFF, 0x7FFF, 32, 0, {0xFF, 1, 2, 3, 4, 0xFF, 1, 2, 3, 4})}};
    for (const auto& [what, file] : refused) EXPECT_EQ(Decode(file, image), 0) << what;
    for (uint8_t type : {0, 4, 8, 12, 32, 255}) EXPECT_EQ(Decode(TgaWith(type, 1, 1, 24, 0, {1, 2, 3}), image), 0);
    EXPECT_TRUE(image.Pixels.empty());
}

TEST(TgaReader, RejectsOtherDepthsAndFilesThatCannotHoldTheirPixels) {
    IMAGE image;
    std::vector<uint8_t> negative = TgaFile(1, 1, 24, {1, 2, 3}), oversized = TgaFile(1, 1, 32, {1, 2, 3, 4});
    negative[13] = 0x80;  // width is a signed 16-bit value
    oversized[12] = oversized[13] = oversized[14] = oversized[15] = 0x7F;
    const std::pair<const char*, std::vector<uint8_t>> refused[] = {
        {"12 bits", TgaFile(1, 1, 12, {1, 2})},          {"8-bit true colour", TgaFile(1, 1, 8, {1})},
        {"no width", TgaFile(0, 1, 24, {})},             {"truncated", TgaFile(2, 2, 24, {1, 2, 3, 4, 5, 6})},
        {"negative width", negative},                    {"oversized", oversized},
        {"shorter than a header", std::vector<uint8_t>(17, 24)}};
    for (const auto& [what, file] : refused) EXPECT_EQ(Decode(file, image), 0) << what;
    EXPECT_EQ(DecodeTga(nullptr, 0, image), 0);
    EXPECT_TRUE(image.Pixels.empty());
}

// Every real TGA of the corpus, of every kind, decodes to the pixels an
// independent decoder finds (which hands rows top first).
TEST(TgaReader, CorpusFilesMatchAnIndependentDecoder) {
    const char* const kFiles[] = {
        "images/gen_tga16_rgb555_32x32_from_gothic_light2.tga", "images/gen_tga24_rle_64x64_from_gothic_light2.tga",
        "images/gen_tga24_uncompressed_3x2.tga",                "images/gen_tga32_uncompressed_3x2.tga",
        "images/gen_tga8_gray_32x32_from_gothic_light2.tga",    "images/oa_tga24_rle_16x16_darkfog.tga",
        "images/oa_tga24_uncompressed_8x8_bleeding-wall.tga",   "images/oa_tga24_uncompressed_topleft_128x128_splash.tga",
        "images/oa_tga32_rle_128x128_justgradient.tga",         "images/oa_tga32_uncompressed_64x64_icona_blue.tga",
        "images/oa_tga32_uncompressed_alpha8_16x32_sliderbutt_0.tga", "q3/models/players/tony/head.tga",
        "q3/models/weapons2/rocketl/skin.tga"};
    for (const char* name : kFiles) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> file = FileBytes(CorpusPath(name));
        IMAGE image;
        const int32_t format = Decode(file, image);
        ASSERT_NE(format, 0);
        const int channels = format == GL_RGBA ? 4 : 3;
        int width = 0, height = 0, stored = 0;
        stbi_uc* reference = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &stored, channels);
        ASSERT_NE(reference, nullptr);
        ASSERT_EQ(std::pair(image.Width, image.Height), std::pair(width, height));
        const size_t row = static_cast<size_t>(width) * channels;
        bool same = true;
        for (int y = 0; y < height && same; ++y)
            same = std::equal(reference + (height - 1 - y) * row, reference + (height - y) * row, image.Pixels.begin() + y * row);
        stbi_image_free(reference);
        EXPECT_TRUE(same);
    }
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
    // The file is stored top row first; the texture holds it bottom row first.
    std::vector<uint8_t> expected(file.begin() + 18 + 3 * 4, file.begin() + 18 + 3 * 2 * 4);
    expected.insert(expected.end(), file.begin() + 18, file.begin() + 18 + 3 * 4);
    EXPECT_EQ(TextureImage(GL_TEXTURE_2D, GL_BGRA, 4, 1), expected);

    const std::string wide = CorpusPath("q3/textures/suction/logo.tga");
    const std::vector<uint8_t> logo = FileBytes(wide);
    glBindTexture(GL_TEXTURE_2D, LoadTexture(wide));
    EXPECT_EQ(TextureImage(GL_TEXTURE_2D, GL_BGRA, 4, 1), std::vector<uint8_t>(logo.begin() + 18, logo.begin() + 18 + 256 * 256 * 4));
}

TEST_F(TgaTexture, UnreadableFilesGiveNoTexture) {
    EXPECT_EQ(LoadTexture(WriteTestFile("short.tga", TgaFile(4, 4, 24, {1, 2, 3}))), 0);
    EXPECT_EQ(LoadTexture(WriteTestFile("runs.tga", TgaWith(10, 4, 4, 24, 0, {0x80, 1, 2, 3}))), 0);
}
