#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "korvath/Shaders.h"
#include "materials/MaterialTestSupport.h"

using namespace korvath;
using namespace korvath::test;

namespace {

GLint MinFilter(int32_t texture) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    return value;
}

// The first texel of a texture as B, G, R.
std::vector<uint8_t> FirstTexel(int32_t texture) {
    const std::vector<uint8_t> texels = BgrTexels(texture);
    return std::vector<uint8_t>(texels.begin(), texels.begin() + 3);
}

}  // namespace

using ShaderParse = MaterialTest;

TEST_F(ShaderParse, NameAloneOnItsLineStartsTheMaterial) {
    WritePicture("textures/a.bmp", 10, 20, 30);
    const std::vector<std::string> block = {"{", "\t{", "\t\tmap textures/a.tga", "\t}", "}"};
    std::vector<std::string> alone = {"// comment", "textures/a"};
    alone.insert(alone.end(), block.begin(), block.end());
    WriteScript("scripts/a.shader", alone);
    const SHADER found = ParseMaterial("scripts/a.shader", "textures/a");
    EXPECT_TRUE(found.Found);
    EXPECT_EQ(std::pair(found.Name, found.Cull), std::pair(std::string("textures/a"), 0));
    ASSERT_EQ(found.Stages.size(), 1u);
    ASSERT_EQ(found.Stages[0].Textures.size(), 1u);
    EXPECT_EQ(FirstTexel(found.Stages[0].Textures[0]), (std::vector<uint8_t>{10, 20, 30}));

    WriteScript("scripts/b.shader", {"textures/a {", "\t{", "\t\tmap textures/a.tga", "\t}", "}"});
    const SHADER sameLine = ParseMaterial("scripts/b.shader", "textures/a");
    EXPECT_EQ(sameLine.Name, "textures/a");
    EXPECT_FALSE(sameLine.Found || !sameLine.Stages.empty());
    EXPECT_FALSE(ParseMaterial("scripts/missing.shader", "textures/a").Found);
}

// A relative engine path is taken against the directory current at SetPath,
// and names are resolved against it once: the script's images are found, not
// looked for below the path twice over.
TEST_F(ShaderParse, RelativeEnginePathFindsTheScriptsImages) {
    WritePicture("textures/a.bmp", 10, 20, 30);
    WriteScript("scripts/a.shader", {"textures/a", "{", "\t{", "\t\tmap textures/a.tga", "\t}", "}"});
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(ProcessDirectory());
    engine().SetPath(std::filesystem::path(root_).parent_path().filename().string());
    std::filesystem::current_path(before);
    EXPECT_EQ(EnginePath(), root_);

    Shaders shaders;
    const SHADER found = shaders.Load("scripts/a.shader", "textures/a");
    EXPECT_TRUE(found.Found);
    ASSERT_EQ(found.Stages.size(), 1u);
    EXPECT_EQ(FirstTexel(found.Stages[0].Textures[0]), (std::vector<uint8_t>{10, 20, 30}));
}

// An indented closing brace does not end the material: it runs on through the
// next material, whose braces keep counting stages, to a brace in column 1.
TEST_F(ShaderParse, OnlyAColumnOneBraceEndsTheMaterial) {
    WritePicture("b.bmp", 1, 2, 3);
    const SHADER material = Parse({"textures/m", "{", " {", "  map a.tga", " }", " }", "", "textures/n", "{",
                                   " {", "  map b.tga", " }", "}", "textures/o", "{", "}"});
    EXPECT_TRUE(material.Found);
    ASSERT_EQ(material.Stages.size(), 3u);
    EXPECT_EQ(material.Stages[0].Textures[0] + material.Stages[1].Textures[0], 0);
    EXPECT_NE(material.Stages[2].Textures[0], 0);

    const SHADER unclosed = Parse({"textures/m", "{", " {", " }", " }"});
    EXPECT_EQ(std::pair(unclosed.Found, unclosed.Stages.size()), std::pair(false, size_t{1}));
}

// Lines are lower-cased and lose their tabs before any keyword sees them.
TEST_F(ShaderParse, LinesAreNormalisedBeforeUse) {
    WritePicture("textures/a.bmp", 1, 1, 1);
    WritePicture("x.bmp", 2, 2, 2);
    const SHADER upper = Parse({"textures/m", "{", "CULL NONE", "\t{", "\t\tMap Textures/A.TGA", "\t}", "}"});
    EXPECT_TRUE(upper.Cull == 1 && upper.Stages[0].Textures[0] != 0);

    // "map", a tab and x.tga become "mapx.tga": a map line whose name is empty.
    const SHADER tabs = Parse({"textures/m", "{", "\tcull\tback", "\t{", "\t\tmap\tx.tga", "\t}", "}"});
    EXPECT_EQ(std::pair(tabs.Cull, tabs.Stages[0].Textures[0]), std::pair(0, 0));
}

TEST_F(ShaderParse, StagesComeFromBraces) {
    EXPECT_EQ(Parse({"textures/m", "{", " {", " }", " {", " }", "}"}).Stages.size(), 2u);
    EXPECT_EQ(Parse({"textures/m", "{", " surfaceparm nodraw", "}"}).Stages.size(), 1u);
    // Stage keywords before the first stage block fill stage 0.
    const SHADER early = Parse({"textures/m", "{", " depthwrite", " {", "  tcgen environment", " }", "}"});
    ASSERT_EQ(early.Stages.size(), 1u);
    EXPECT_EQ(early.Stages[0].Flags, kStageDepthFunc | kStageTcGen);
}

TEST_F(ShaderParse, TcModsListPerStageInScriptOrder) {
    const SHADER material = Parse({"textures/m", "{", " {", "  tcmod scroll 0.5 -1", "  tcmod rotate 30", " }", " {",
                                   "  tcmod scale 2 3", "  tcmod transform 1 2 3 4 5 6", "  tcmod turb 0.1 0.2 0.3 0.4",
                                   "  tcmod stretch sin 1 2 3 4", "  tcmod wobble 9", " }", "}"});
    ASSERT_EQ(material.Stages.size(), 2u);
    const std::vector<TCMOD>& first = material.Stages[0].TcMods;
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(std::vector<int32_t>({first[0].Kind, first[1].Kind, material.Stages[0].Flags}),
              std::vector<int32_t>({4, 3, kStageTcMods}));
    EXPECT_TRUE(FloatsEq({first[0].ScrollS, first[0].ScrollT, first[1].Rotation}, {0.5f, -1, 30}));

    const std::vector<TCMOD>& second = material.Stages[1].TcMods;
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(std::vector<int32_t>({second[0].Kind, second[1].Kind, second[2].Kind, second[3].Kind, second[4].Kind}),
              std::vector<int32_t>({2, 6, 7, 5, 0}));
    EXPECT_TRUE(FloatsEq({second[0].ScaleS, second[0].ScaleT}, {2, 3}));
    EXPECT_TRUE(FloatsEq(std::vector<float>(second[1].Matrix, second[1].Matrix + 16),
                         {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 5, 6, 0, 1}));
    EXPECT_TRUE(FloatsEq({second[2].Base, second[2].Amplitude, second[2].Phase, second[2].Frequency}, {0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_TRUE(FloatsEq({second[3].Base, second[3].Frequency}, {1, 4}));
}

TEST_F(ShaderParse, BlendAlphaAndDepthFunctions) {
    const SHADER material = Parse({"textures/m", "{",
                                   " {", "  blendfunc gl_one gl_one", " }",
                                   " {", "  blendfunc add", " }",
                                   " {", "  blendfunc filter", " }",
                                   " {", "  blendfunc blend", " }",
                                   " {", "  blendFunc GL_DST_COLOR GL_ONE_MINUS_DST_COLOR", " }",
                                   " {", "  blendfunc gl_src_color gl_one_minus_src_alpha", " }",
                                   " {", "  blendfunc gl_dst_color gl_src_color", " }",  // a detail stage
                                   " {", "  blendfunc gl_one_minus_src_color gl_bogus", " }",
                                   " {", "  alphafunc ge128", "  depthfunc equal", " }",
                                   " {", "  alphafunc gt0", "  depthwrite", " }",
                                   " {", "  alphafunc lt128", "  depthfunc lequal", " }",
                                   " {", "  alphafunc other", " }", "}"});
    ASSERT_EQ(material.Stages.size(), 12u);
    const int32_t blends[8][2] = {{1, 1}, {1, 1}, {768, 0}, {770, 771}, {774, 775}, {768, 771}, {774, 768}, {769, 0}};
    for (int i = 0; i < 8; ++i) {
        const SHADER_STAGE& stage = material.Stages[i];
        EXPECT_EQ((std::vector<int32_t>{stage.Flags, stage.Blend[0], stage.Blend[1]}),
                  (std::vector<int32_t>{kStageBlend, blends[i][0], blends[i][1]})) << i;
    }
    // depthfunc alone sets no flag.
    const int32_t alphaDepth[4][4] = {{kStageAlphaTest, 518, 514}, {kStageAlphaTest | kStageDepthFunc, 516},
                                      {kStageAlphaTest, 513, 515}, {kStageAlphaTest, 0}};
    for (int i = 0; i < 4; ++i) {
        const SHADER_STAGE& stage = material.Stages[8 + i];
        EXPECT_EQ(stage.Flags, alphaDepth[i][0]) << i;
        EXPECT_EQ(stage.AlphaFunc, alphaDepth[i][1]) << i;
        if (alphaDepth[i][2]) EXPECT_EQ(stage.DepthFunc, alphaDepth[i][2]) << i;
    }
    EXPECT_TRUE(FloatsEq({material.Stages[8].AlphaRef, material.Stages[9].AlphaRef}, {0.5f, 0}));
}

// "nomipmaps" clears the switch for exactly the next texture made.
TEST_F(ShaderParse, SurfaceParmsSetBitsAndFlags) {
    WritePicture("a.bmp", 1, 1, 1);
    const SHADER material = Parse({"textures/m", "{", " surfaceparm nolightmap", " surfaceparm sky",
                                   " surfaceparm trans", " surfaceparm nomipmaps", " surfaceparm stencil",
                                   " surfaceparm unknown", " {", "  map a.tga", " }", " {", "  map a.tga", " }", "}"});
    EXPECT_EQ((std::vector<int32_t>{material.SurfaceFlags, material.Flags, MinFilter(material.Stages[0].Textures[0]),
                                    MinFilter(material.Stages[1].Textures[0])}),
              (std::vector<int32_t>{0x8000 | 0x8000000 | 0x800000 | 0x4000000, kMaterialStencil, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR}));
    EXPECT_FALSE(NextTextureSkipsMipmaps());
}

TEST_F(ShaderParse, DeformVertexesWaveAndMove) {
    const SHADER wave = Parse({"textures/m", "{", " deformVertexes wave 100 sin 1 2 3 4", "}"});
    EXPECT_EQ(std::vector<int32_t>({wave.Flags, wave.Deform.Kind, wave.Deform.Func}), std::vector<int32_t>({kMaterialDeform, 5, 0}));
    EXPECT_TRUE(FloatsEq({wave.Deform.Position, wave.Deform.Base, wave.Deform.Amplitude, wave.Deform.Phase, wave.Deform.Frequency},
                         {100, 1, 2, 3, 4}));

    const SHADER move = Parse({"textures/m", "{", " deformvertexes move 1 2 3 triangle 4 5 6 7", "}"});
    EXPECT_EQ(std::vector<int32_t>({move.Deform.Kind, move.Deform.Func}), std::vector<int32_t>({2, 2}));
    EXPECT_TRUE(FloatsEq({move.DeformMove.x, move.DeformMove.y, move.DeformMove.z, move.Deform.Amplitude, move.Deform.Base,
                          move.Deform.Phase, move.Deform.Frequency},
                         {1, 2, 3, 4, 5, 6, 7}));

    const SHADER sprite = Parse({"textures/m", "{", " deformVertexes autosprite", "}"});
    EXPECT_EQ(std::vector<int32_t>({sprite.Flags, sprite.Deform.Kind}), std::vector<int32_t>({kMaterialDeform, 0}));
}

TEST_F(ShaderParse, StageTexturesFromMapAnimmapAndCubemap) {
    for (uint8_t i = 1; i <= 3; ++i) WritePicture("anim/f" + std::to_string(i) + ".bmp", i, 0, 0);
    for (const char* face : {"positive_x", "negative_x", "positive_y", "negative_y", "positive_z", "negative_z"})
        WritePicture(std::string("env/sky_") + face + ".bmp", 9, 9, 9);
    const SHADER material = Parse({"textures/m", "{",
                                   " {", "  animMap 2 anim/f1.tga anim/f2.tga anim/none anim/f3.jpg", " }",
                                   " {", "  cubemap env/sky.bmp", " }",
                                   " {", "  map $lightmap", "  rgbgen identity", "  tcgen environment", " }",
                                   " {", "  rgbGen wave sin 0.25 0.5 0.1 2", " }", "}"});
    ASSERT_EQ(material.Stages.size(), 4u);
    const SHADER_STAGE& anim = material.Stages[0];
    EXPECT_EQ(anim.AnimFrequency, 2);
    ASSERT_EQ(anim.Textures.size(), 4u);
    EXPECT_EQ(anim.Textures[2], 0);  // no extension: nothing to load
    for (int i : {0, 1, 3}) EXPECT_EQ(FirstTexel(anim.Textures[i])[0], i == 3 ? 3 : i + 1);

    const SHADER_STAGE& cube = material.Stages[1];
    EXPECT_EQ(cube.Flags, kStageCubeMap);
    ASSERT_NE(cube.Textures[0], 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<GLuint>(cube.Textures[0]));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);

    const SHADER_STAGE& light = material.Stages[2];
    EXPECT_TRUE(light.Lightmap);
    EXPECT_EQ((std::vector<int32_t>{light.Textures[0], light.Flags, light.RgbWave.Kind}),
              (std::vector<int32_t>{0, kStageRgbGen | kStageTcGen, 0}));

    const WAVE& wave = material.Stages[3].RgbWave;
    EXPECT_EQ(std::vector<int32_t>({wave.Kind, wave.Func}), std::vector<int32_t>({3, 1}));
    EXPECT_TRUE(FloatsEq({wave.Base, wave.Amplitude, wave.Phase, wave.Frequency}, {0.25f, 0.5f, 0.1f, 2}));
}

// Short lines, names without an extension and stage keywords outside any stage
// block leave the material as it was, and nothing is written out of bounds.
TEST_F(ShaderParse, MalformedLinesChangeNothing) {
    WritePicture("a.bmp", 1, 1, 1);
    const SHADER material = Parse({"textures/m", "{", " tcmod scroll 1", " {", "  map noextension", "  blendfunc gl_one",
                                   "  tcmod scroll 1", "  tcmod", "  deformvertexes wave 1", "  animmap",
                                   "  animmap x", "  rgbgen wave sin 1", "  cubemap", "  program only.vert", "  map", " }",
                                   " map a.tga", " blendfunc add", " tcmod scale 1 1", " alphafunc ge128", "}"});
    EXPECT_TRUE(material.Found);
    ASSERT_EQ(material.Stages.size(), 1u);
    const SHADER_STAGE& stage = material.Stages[0];
    EXPECT_EQ(stage.Textures, std::vector<int32_t>{0});
    EXPECT_TRUE(stage.TcMods.empty());
    EXPECT_EQ((std::vector<int32_t>{stage.Flags, stage.RgbWave.Kind, stage.AnimFrequency, material.Flags, material.Deform.Kind,
                                    material.Program}),
              (std::vector<int32_t>{kStageRgbGen, 0, 0, kMaterialDeform, 0, 0}));
}

TEST_F(ShaderParse, FindMaterialScansTheDirectory) {
    WriteScript("scripts/one.shader", {"textures/x", "{", " cull none", "}"});
    WriteScript("scripts/TWO.SHADER", {"textures/y", "{", " cull back", "}"});
    WriteScript("scripts/notes.txt", {"textures/z", "{", "}"});
    EXPECT_EQ(FindMaterial("scripts/", "textures/x").Cull, 1);
    const SHADER y = FindMaterial("scripts/", "textures/y");
    EXPECT_TRUE(y.Found);
    EXPECT_EQ(y.Cull, GL_BACK);
    const SHADER z = FindMaterial("scripts/", "textures/z"), none = FindMaterial("nothing/", "textures/x");
    EXPECT_FALSE(z.Found || none.Found);
    EXPECT_EQ(std::pair(z.Name, none.Name), std::pair(std::string("textures/z"), std::string()));

    // A changed script is read again.
    WriteScript("scripts/one.shader", {"textures/x", "{", " cull front", " surfaceparm sky", "}"});
    EXPECT_EQ(FindMaterial("scripts/", "textures/x").Cull, GL_FRONT);
}

TEST_F(ShaderParse, FreeMaterialReleasesOnce) {
    WritePicture("a.bmp", 1, 1, 1);
    SHADER material = Parse({"textures/m", "{", " {", "  map a.tga", " }", " {", "  map a.tga", " }", "}"});
    const int32_t first = material.Stages[0].Textures[0], second = material.Stages[1].Textures[0];
    ASSERT_TRUE(glIsTexture(first) && glIsTexture(second));
    Shaders().UnLoad(material);
    EXPECT_FALSE(glIsTexture(first) || glIsTexture(second));
    EXPECT_EQ(std::pair(material.Stages[0].Textures[0], material.Stages.size()), std::pair(0, size_t{2}));

    // A name GL hands out again is not deleted by a second release of the old record.
    const int32_t reused = LoadTexture(root_ + "a.bmp");
    material.Stages[0].Textures[0] = 0;
    FreeMaterial(material);
    EXPECT_TRUE(glIsTexture(reused));
}

TEST_F(ShaderParse, ShadersLoadFallsBackToAPicture) {
    WritePicture("pictures/logo.bmp", 40, 50, 60);
    Shaders shaders;
    const SHADER picture = shaders.Load("pictures/logo.bmp");
    EXPECT_TRUE(!picture.Found && picture.Name.empty());
    ASSERT_EQ(picture.Stages.size(), 1u);
    EXPECT_EQ(picture.Stages[0].Flags, 0);
    EXPECT_EQ(FirstTexel(picture.Stages[0].Textures[0]), (std::vector<uint8_t>{40, 50, 60}));

    WritePicture("a.bmp", 1, 1, 1);
    WriteScript("scripts/s.shader", {"textures/s", "{", " {", "  map a.tga", "  blendfunc add", " }", "}"});
    const SHADER named = shaders.Load("scripts/s.shader", "textures/s");
    EXPECT_TRUE(named.Found);
    EXPECT_EQ(named.Stages[0].Flags, kStageBlend);
}

// Decal and mark stages: colour and alpha sources, clamped images and the
// material's offset; bad numbers leave the stage as it was.
TEST_F(ShaderParse, ColourAlphaClampAndOffsetKeywords) {
    struct Case {
        const char* line;
        int32_t rgb, alpha, flags;
        float red, opacity;
    };
    const Case cases[] = {
        {"rgbGen const ( 0.5 0.25 1 )", kColourFromConstant, 0, kStageRgbGen, 0.5f, 1},
        {"rgbgen const (0.5 0.25 1)", kColourFromConstant, 0, kStageRgbGen, 0.5f, 1},
        {"rgbgen const ( 0.5 x 1 )", 0, 0, kStageRgbGen, 1, 1},
        {"rgbgen const ( 1e40 0 0 )", 0, 0, kStageRgbGen, 1, 1},
        {"rgbgen const", 0, 0, kStageRgbGen, 1, 1},
        {"rgbgen exactvertex", kColourFromVertices, 0, kStageRgbGen, 1, 1},
        {"alphaGen const 0.25", 0, kColourFromConstant, kStageAlphaGen, 1, 0.25f},
        {"alphagen const (nan)", 0, 0, 0, 1, 1},
        {"alphaGen Vertex", 0, kColourFromVertices, kStageAlphaGen, 1, 1},
        {"alphagen wave sawtooth 0 1 0 10", 0, kColourFromWave, kStageAlphaGen, 1, 1},
        {"alphagen wave sin 1", 0, 0, 0, 1, 1},
        {"alphagen lightingspecular", 0, 0, 0, 1, 1},
        {"clampmap", 0, 0, kStageClamp, 1, 1},
    };
    for (const Case& c : cases) {
        const SHADER material = Parse({"textures/m", "{", " {", std::string("  ") + c.line, " }", "}"});
        ASSERT_EQ(material.Stages.size(), 1u) << c.line;
        const SHADER_STAGE& stage = material.Stages[0];
        EXPECT_EQ(std::vector<int32_t>({stage.RgbSource, stage.AlphaSource, stage.Flags}),
                  std::vector<int32_t>({c.rgb, c.alpha, c.flags})) << c.line;
        EXPECT_EQ(std::vector<float>({stage.Colour[0], stage.Colour[3]}), std::vector<float>({c.red, c.opacity})) << c.line;
    }
    WritePicture("textures/mark.bmp", 10, 20, 30);
    const SHADER decal = Parse({"textures/m", "{", " polygonOffset", " {", "  clampmap textures/mark.tga",
                                "  rgbgen wave sin 0 1 0 1", "  rgbgen const ( 0 1 0 )", " }", "}"});
    EXPECT_EQ(FirstTexel(decal.Stages.at(0).Textures[0]), (std::vector<uint8_t>{10, 20, 30}));
    // The later line wins over the wave.
    EXPECT_EQ((std::pair<int32_t, int32_t>(decal.Flags, decal.Stages[0].RgbSource)),
              (std::pair<int32_t, int32_t>(kMaterialPolygonOffset, kColourFromConstant)));
    EXPECT_FALSE(WavesColour(decal.Stages[0]));
}
