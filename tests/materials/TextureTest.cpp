#include <gtest/gtest.h>

#include "core/Capabilities.h"
#include "core/EngineState.h"
#include "core/FrameTiming.h"
#include "core/Paths.h"
#include "materials/TextureTestSupport.h"

using namespace korvath;
using namespace korvath::test;

namespace {

GLint Parameter(GLenum target, GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(target, name, &value);
    return value;
}

// A 4 x 4 bitmap of one colour (B, G, R).
std::vector<uint8_t> SolidBmp(uint8_t b, uint8_t g, uint8_t r) {
    std::vector<uint8_t> rows;
    for (int i = 0; i < 16; ++i) rows.insert(rows.end(), {b, g, r});
    return BmpFile(4, 4, rows);
}

std::vector<uint8_t> SolidTga(int width, int height, int bits) {
    return TgaFile(width, height, bits, std::vector<uint8_t>(static_cast<size_t>(width) * height * bits / 8, 200));
}

}  // namespace

using Texture = GLTextureTest;

TEST_F(Texture, NoMipmapsAppliesToTheNextTextureOnly) {
    const std::string path = WriteTestFile("square.bmp", SolidBmp(1, 2, 3));
    SkipMipmapsForNextTexture();
    const int32_t plain = LoadTexture(path);
    EXPECT_FALSE(NextTextureSkipsMipmaps());
    const int32_t mipmapped = LoadTexture(path);

    glBindTexture(GL_TEXTURE_2D, plain);
    EXPECT_EQ((std::vector<GLint>{Parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), Parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER),
                                  LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), LevelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH)}),
              (std::vector<GLint>{GL_LINEAR, GL_LINEAR, 4, 0}));
    glBindTexture(GL_TEXTURE_2D, mipmapped);
    EXPECT_EQ((std::vector<GLint>{Parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), LevelParameter(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH),
                                  Parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S)}),
              (std::vector<GLint>{GL_LINEAR_MIPMAP_LINEAR, 1, GL_REPEAT}));
}

// Bilinear filtering re-filters the mipmapped textures alive (2D and cube),
// leaves those without mipmaps alone, applies to textures made later, and
// does not bring back a deleted name.
TEST_F(Texture, MipmapFilteringSwitchesEveryMipmappedTexture) {
    const std::string path = WriteTestFile("filtered.bmp", SolidBmp(1, 2, 3));
    const char* const suffixes[6] = {"positive_x", "negative_x", "positive_y", "negative_y", "positive_z", "negative_z"};
    for (const char* suffix : suffixes) WriteTestFile(std::string("Box_") + suffix + ".bmp", SolidBmp(9, 9, 9));
    SkipMipmapsForNextTexture();
    const int32_t plain = LoadTexture(path);
    const int32_t mipmapped = LoadTexture(path), deleted = LoadTexture(path);
    const int32_t cube = LoadCubeMap(ProcessDirectory() + "/Box.bmp");
    const GLuint gone = static_cast<GLuint>(deleted);
    glDeleteTextures(1, &gone);
    const auto filters = [&](int32_t later) {
        std::vector<GLint> found;
        for (const int32_t texture : {plain, mipmapped, later}) {
            glBindTexture(GL_TEXTURE_2D, texture);
            found.push_back(Parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER));
        }
        glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
        found.push_back(Parameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER));
        return found;
    };
    glBindTexture(GL_TEXTURE_2D, plain);
    SetTrilinearFiltering(false);
    EXPECT_FALSE(TrilinearFiltering());
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, plain);  // the binding is put back
    EXPECT_FALSE(glIsTexture(gone));
    EXPECT_EQ(filters(LoadTexture(path)),
              (std::vector<GLint>{GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST}));
    SetTrilinearFiltering(true);
    EXPECT_EQ(filters(LoadTexture(path)),
              (std::vector<GLint>{GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR}));
}

// After the intro S3TC compresses pictures, DXT1 without alpha and DXT5 with it. Start-up
// turns compression off on a software rasteriser; the test turns it on to see that path.
TEST_F(Texture, CompressionFollowsTheIntroAndTheExtension) {
    ASSERT_TRUE(Timing().IntroDone);
    const std::string rgb = WriteTestFile("rgb.tga", SolidTga(8, 8, 24));
    const std::string rgba = WriteTestFile("rgba.tga", SolidTga(8, 8, 32));
    const std::string picture = WriteTestFile("rgb.bmp", SolidBmp(9, 8, 7));
    auto internalFormat = [](int32_t texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        return LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT);
    };

    Caps().CompressTextures = s3tcAvailable_;
    if (s3tcAvailable_) {
        EXPECT_EQ(internalFormat(LoadTexture(rgb)), GL_COMPRESSED_RGB_S3TC_DXT1_EXT);
        EXPECT_EQ(internalFormat(LoadTexture(rgba)), GL_COMPRESSED_RGBA_S3TC_DXT5_EXT);
        EXPECT_EQ(internalFormat(LoadTexture(picture)), GL_COMPRESSED_RGB_S3TC_DXT1_EXT);
        Timing().IntroDone = false;
        EXPECT_EQ(internalFormat(LoadTexture(rgba)), 4);  // four components, as asked
        Timing().IntroDone = true;
    }
    Caps().CompressTextures = false;
    EXPECT_EQ(internalFormat(LoadTexture(rgb)), 3);
    EXPECT_EQ(internalFormat(LoadTexture(rgba)), 4);  // four components, as asked
}

TEST_F(Texture, TheLatestExistingExtensionWins) {
    const std::string base = ProcessDirectory() + "/wall";
    EXPECT_EQ(LoadTextureAnyExtension(base), 0);
    WriteTestFile("wall.jpg", FileBytes(CorpusPath("q3/textures/evil8_lights/e8_rlight.jpg")));
    glBindTexture(GL_TEXTURE_2D, LoadTextureAnyExtension(base));
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 64);
    WriteTestFile("wall.tga", SolidTga(2, 1, 24));
    WriteTestFile("wall.bmp", SolidBmp(1, 1, 1));
    SkipMipmapsForNextTexture();
    glBindTexture(GL_TEXTURE_2D, LoadTextureAnyExtension(base));
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 2);
    // The no-mipmaps request reached the file that was used.
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 0);
}

TEST_F(Texture, NamesAreResolvedAgainstTheEnginePath) {
    const std::string saved = EnginePath();
    EnginePath() = CorpusPath("q3/");
    glBindTexture(GL_TEXTURE_2D, LoadTexture("textures/evil8_trim/e8trim2_red.jpg"));
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 256);
    glBindTexture(GL_TEXTURE_2D, LoadTextureAnyExtension("textures/skies/s3"));
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 256);
    // No decoder for a script's extension.
    for (const std::string& name : {std::string("textures/skies/none.tga"), std::string("scripts/common.shader"),
                                    WriteTestFile("empty.jpg", {})})
        EXPECT_EQ(LoadTexture(name), 0) << name;
    EnginePath() = saved;
}

// The negative-Y file makes the positive-Y face and the positive-Y file the
// negative-Y face; cube maps always have mipmaps.
TEST_F(Texture, CubeMapFacesLandOnTheirTargets) {
    const char* const suffixes[6] = {"positive_x", "negative_x", "positive_y", "negative_y", "positive_z", "negative_z"};
    for (int i = 0; i < 6; ++i)
        WriteTestFile(std::string("Sky_") + suffixes[i] + ".bmp", SolidBmp(static_cast<uint8_t>(10 * i + 10), 0, 0));
    SkipMipmapsForNextTexture();  // ignored by cube maps
    const int32_t texture = LoadCubeMap(ProcessDirectory() + "/Sky.bmp");
    ASSERT_NE(texture, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    EXPECT_EQ(Parameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    const std::pair<GLenum, uint8_t> faces[6] = {
        {GL_TEXTURE_CUBE_MAP_POSITIVE_X, 10}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, 20},
        {GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 40}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, 30},
        {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, 50}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, 60}};
    for (const auto& [target, blue] : faces) {
        SCOPED_TRACE(target);
        const std::vector<uint8_t> texels = TextureImage(target, GL_BGR, 3, 4);
        ASSERT_EQ(texels.size(), 48u);
        EXPECT_EQ((std::pair<int, int>(texels[0], LevelParameter(target, 2, GL_TEXTURE_WIDTH))), (std::pair<int, int>(blue, 1)));
    }
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

TEST_F(Texture, IntroPicturesAreCompiledIn) {
    for (const char* name : {"KORVATH.LOGO", "KORVATH.TITLE", "KORVATH.SHADOW", "korvath.intro"}) {
        SCOPED_TRACE(name);
        glBindTexture(GL_TEXTURE_2D, LoadResourceTexture(name, ".JPG"));
        EXPECT_EQ(std::pair(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT)),
                  std::pair(512, 512));
    }
    EXPECT_EQ(LoadResourceTexture("KORVATH.LOGO", ".PNG"), 0);
    EXPECT_EQ(LoadResourceTexture("KORVATH.NONE", ".JPG"), 0);
}
