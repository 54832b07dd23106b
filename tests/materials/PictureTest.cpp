#include <csetjmp>
#include <cstring>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include "core/EngineState.h"
#include "materials/TextureTestSupport.h"
#include "platform/Pictures.h"

using namespace korvath;
using namespace korvath::test;

namespace {

struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> rows;  // bottom-up BGR, padded to 4 bytes
};

uint32_t Dword(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// Top-down RGB (or one channel of grey) rows into the device-independent layout.
Bitmap FromTopDown(int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    Bitmap bitmap{width, height, {}};
    const size_t row = platform::BgrRowBytes(width);
    bitmap.rows.assign(row * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* in = &pixels[(static_cast<size_t>(y) * width + x) * channels];
            uint8_t* out = &bitmap.rows[(height - 1 - y) * row + x * 3];
            out[0] = in[channels == 3 ? 2 : 0];
            out[1] = in[channels == 3 ? 1 : 0];
            out[2] = in[0];
        }
    return bitmap;
}

// The reference readings of each format, made without the engine's decoders.
Bitmap BmpReference(const std::vector<uint8_t>& file) {
    const int width = static_cast<int>(Dword(file, 18)), height = static_cast<int>(Dword(file, 22));
    const int bits = file[28];
    const uint32_t offset = Dword(file, 10);
    const size_t rowsBytes = platform::BgrRowBytes(width) * height;
    if (bits == 24) return {width, height, std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + rowsBytes)};
    // 8-bit: palette of B, G, R, 0 entries after the 40-byte header.
    Bitmap bitmap{width, height, std::vector<uint8_t>(rowsBytes)};
    const size_t inRow = (static_cast<size_t>(width) + 3) & ~size_t{3};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t index = file[offset + y * inRow + x];
            std::memcpy(&bitmap.rows[y * platform::BgrRowBytes(width) + x * 3], &file[54 + index * 4], 3);
        }
    return bitmap;
}

Bitmap GifReference(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    EXPECT_NE(gif, nullptr);
    if (!gif) return {};
    EXPECT_EQ(DGifSlurp(gif), GIF_OK);
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    const int width = gif->SWidth, height = gif->SHeight;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int i = 0; i < width * height; ++i) {
        const GifColorType c = map->Colors[frame.RasterBits[i]];
        rgb[i * 3] = c.Red, rgb[i * 3 + 1] = c.Green, rgb[i * 3 + 2] = c.Blue;
    }
    DGifCloseFile(gif, &error);
    return FromTopDown(width, height, 3, rgb);
}

Bitmap JpegReference(const std::vector<uint8_t>& file) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), file.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const int channels = info.output_components;
    std::vector<uint8_t> pixels(static_cast<size_t>(info.output_width) * info.output_height * channels);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &pixels[info.output_scanline * info.output_width * channels];
        jpeg_read_scanlines(&info, &row, 1);
    }
    Bitmap bitmap = FromTopDown(info.output_width, info.output_height, channels, pixels);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

void ExpectTexture(int32_t texture, const Bitmap& expected) {
    ASSERT_NE(texture, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(std::pair(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT)),
              std::pair(expected.width, expected.height));
    EXPECT_TRUE(BgrTexels(texture) == expected.rows);
}

bool Decodes(const std::vector<uint8_t>& bytes, IMAGE& image) {
    return platform::DecodePicture(bytes.data(), bytes.size(), image);
}

}  // namespace

using PictureTexture = GLTextureTest;

// Level 0 at the picture's own size: mipmaps would rescale sides that are not
// powers of two.
TEST_F(PictureTexture, BitmapsArriveRowForRow) {
    for (const char* name : {"images/gen_bmp24_3x2.bmp", "images/assimp_bmp24_1x1_white.bmp",
                             "images/gen_bmp24_75x50_from_gothic_light2.bmp",
                             "images/gen_bmp8_pal8_75x50_from_gothic_light2.bmp", "md2/sydney.bmp"}) {
        SCOPED_TRACE(name);
        SkipMipmapsForNextTexture();
        ExpectTexture(LoadTexture(CorpusPath(name)), BmpReference(FileBytes(CorpusPath(name))));
    }
}

TEST_F(PictureTexture, WrittenBitmapsAndDibsDecodeExactly) {
    // 5 x 3: rows of 15 bytes padded to 16, every pixel different.
    std::vector<uint8_t> rows(16 * 3, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 15; ++x) rows[y * 16 + x] = static_cast<uint8_t>(17 * y + 3 * x + 1);
    const std::vector<uint8_t> file = BmpFile(5, 3, rows);
    for (const char* name : {"written.bmp", "written.dib"}) {
        SkipMipmapsForNextTexture();
        ExpectTexture(LoadTexture(WriteTestFile(name, file)), Bitmap{5, 3, rows});
    }
}

TEST_F(PictureTexture, GifsMatchAnIndependentDecoder) {
    for (const char* name : {"images/gen_gif_3x2.gif", "images/gen_gif_64x64_from_gothic_light2.gif"}) {
        SCOPED_TRACE(name);
        SkipMipmapsForNextTexture();
        ExpectTexture(LoadTexture(CorpusPath(name)), GifReference(CorpusPath(name)));
    }
}

TEST_F(PictureTexture, JpegsOfEveryKindMatchTheReferenceDecoding) {
    for (const char* name : {"images/oa_jpg_baseline_ycc422_128x128_gothic_light2.jpg",
                             "images/oa_jpg_grayscale_256x256_stoerung.jpg",
                             "images/oa_jpg_progressive_256x256_metalfloor_wall_14bglow2r.jpg",
                             "q3/textures/evil8_trim/e8trim2_blue.jpg"}) {
        SCOPED_TRACE(name);
        ExpectTexture(LoadTexture(CorpusPath(name)), JpegReference(FileBytes(CorpusPath(name))));
    }
}

// Icons, cursors and metafiles are not bitmaps: a texture without pixels.
TEST_F(PictureTexture, IconsCursorsAndMetafilesGiveEmptyTextures) {
    const std::vector<uint8_t> icon = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0, 1, 0, 0, 22, 0, 0, 0};
    const std::vector<uint8_t> cursor = {0, 0, 2, 0, 1, 0, 16, 16, 0, 0, 1, 0, 1, 0, 0, 1, 0, 0, 22, 0, 0, 0};
    const std::vector<uint8_t> wmf = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x10, 0, 0x10, 0};
    const std::vector<uint8_t> emf = {1, 0, 0, 0, 0x6C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ' ', 'E', 'M', 'F'};
    const std::pair<const char*, std::vector<uint8_t>> files[] = {
        {"empty.ico", icon}, {"empty.cur", cursor}, {"empty.wmf", wmf}, {"empty.emf", emf}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const int32_t texture = LoadTexture(WriteTestFile(name, bytes));
        ASSERT_NE(texture, 0);
        glBindTexture(GL_TEXTURE_2D, texture);
        EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 0);
    }
}

TEST(PictureDecoder, FormatIsTakenFromTheBytesNotTheName) {
    IMAGE image;
    EXPECT_TRUE(Decodes(FileBytes(CorpusPath("images/gen_gif_3x2.gif")), image) && image.Pixels.size() == 24u);
    EXPECT_TRUE(Decodes(FileBytes(CorpusPath("md5/ffflag_cc.jpg")), image) && image.Width == 1024);
}

TEST(PictureDecoder, DamagedFilesNeverReadPastTheirData) {
    const std::vector<uint8_t> bmp = FileBytes(CorpusPath("images/gen_bmp24_75x50_from_gothic_light2.bmp"));
    const std::vector<uint8_t> gif = FileBytes(CorpusPath("images/gen_gif_64x64_from_gothic_light2.gif"));
    const std::vector<uint8_t> jpg = FileBytes(CorpusPath("images/oa_jpg_progressive_256x256_metalfloor_wall_14bglow2r.jpg"));
    IMAGE image;
    for (const auto* file : {&bmp, &gif, &jpg})
        for (size_t length : {size_t{0}, size_t{1}, size_t{3}, size_t{10}, size_t{40}, file->size() / 2, file->size() - 1}) {
            SCOPED_TRACE(length);
            // A copy of exactly that length, so the sanitizers see any read past it.
            const std::vector<uint8_t> cut(file->begin(), file->begin() + length);
            if (Decodes(cut, image)) {
                EXPECT_EQ(image.Pixels.size(), platform::BgrRowBytes(image.Width) * image.Height);
            } else {
                EXPECT_TRUE(image.Pixels.empty());
            }
        }
    // A truncated bitmap cannot hold its rows.
    EXPECT_FALSE(Decodes(std::vector<uint8_t>(bmp.begin(), bmp.end() - 1), image));

    std::vector<uint8_t> huge = bmp;
    huge[18] = huge[19] = huge[22] = huge[23] = 0x7F;  // 32639 x 32639 in 11 kB
    EXPECT_FALSE(Decodes(huge, image));
    // Width, height and depth so large that the bytes they need overflow 64 bits.
    std::vector<uint8_t> overflowing = bmp;
    for (size_t at : {18, 22}) overflowing[at] = overflowing[at + 1] = overflowing[at + 2] = 0xFF, overflowing[at + 3] = 0x7F;
    overflowing[28] = overflowing[29] = 0xFF;
    EXPECT_FALSE(Decodes(overflowing, image));
    std::vector<uint8_t> hugeGif = gif;
    hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = 0xFF;
    EXPECT_FALSE(Decodes(hugeGif, image));
    std::vector<uint8_t> hugeJpeg = jpg;
    for (size_t i = 2; i + 8 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == 0xFF && (hugeJpeg[i + 1] == 0xC0 || hugeJpeg[i + 1] == 0xC2)) {
            hugeJpeg[i + 5] = hugeJpeg[i + 6] = hugeJpeg[i + 7] = hugeJpeg[i + 8] = 0xFF;  // 65535 x 65535
            break;
        }
    EXPECT_FALSE(Decodes(hugeJpeg, image));
    EXPECT_FALSE(Decodes(std::vector<uint8_t>(4096, 0xA5), image) || Decodes({'B', 'M'}, image));
    EXPECT_TRUE(image.Pixels.empty());
}
