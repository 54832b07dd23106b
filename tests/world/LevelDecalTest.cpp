// Decals and marks on the small level's front wall (the lightmap's 120 grey):
// face 2 lies in the wall's plane with a colour of its own, a clamped image or
// the material's polygon offset; and faces lit by their vertex colours.
#include <algorithm>
#include <array>

#include "core/ExtTable.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/GL.h"
#include "world/LevelPlan.h"
#include "world/LevelRender.h"
#include "world/LevelTestSupport.h"

namespace korvath::test {
namespace {

constexpr int kWidth = 640, kHeight = 480;

// Face 2: a square of half-size 32 around the wall's centre, its texture
// running from -1 to 2 across it, vertices red with alpha 128.
std::unique_ptr<Level> LevelWithDecal(const std::string& name) {
    BspBuilder file = SmallLevel();
    file.Textures.push_back({"textures/test/decal", 0, 1});
    for (const auto& c : {std::array<float, 2>{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}) {
        BspVertex v = file.Vertices[0];
        v.Position = {64, c[0] * 32, c[1] * 32};
        v.TexCoord = {c[0] < 0 ? -1.0f : 2.0f, c[1] < 0 ? -1.0f : 2.0f};
        v.Color[1] = v.Color[2] = 0, v.Color[3] = 128;
        file.Vertices.push_back(v);
    }
    BspFace decal = file.Faces[0];
    decal.Texture = 2, decal.FirstVertex = 8;
    file.Faces.push_back(decal);
    file.LeafFaces = {0, 2, 1};
    file.Leafs[0].LeafFaceCount = 2;
    file.Leafs[1].FirstLeafFace = 2;
    return LoadLevel(WriteLevel(name, file));
}

// An unlit decal of one stage whose colour is green at alpha 0.5 where it comes from the stage.
SHADER Decal(int32_t flags, int32_t rgb, int32_t alpha, int32_t image = 0) {
    SHADER material;
    material.Found = true;
    material.SurfaceFlags = kSurfaceNoLightmap;
    material.Flags = kMaterialPolygonOffset;
    material.Stages.resize(1);
    SHADER_STAGE& stage = material.Stages[0];
    stage.Textures = {image};
    stage.Flags = flags | kStageRgbGen | kStageAlphaGen;
    stage.Blend[0] = GL_SRC_ALPHA, stage.Blend[1] = GL_ONE_MINUS_SRC_ALPHA;
    stage.RgbSource = rgb, stage.AlphaSource = alpha;
    std::copy_n(std::array<float, 4>{0, 1, 0, 0.5f}.begin(), 4, stage.Colour);
    return material;
}

class LevelDecalTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        View().CameraPosition = {200, 0, 0};  // in front of the wall, looking at it
        View().CameraRotation = {0, LookYaw(180), 0};
    }
    static std::vector<uint8_t> Frame(Level& level, const std::string& screenshot) {
        engine().BeginScene();
        Set3DProjection();
        GLExt().glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, WhiteTexture());
        PlanMaterials(level);
        RenderLevel(level);
        glFinish();
        WriteScreenshot(ProcessDirectory() + "/" + screenshot, kWidth, kHeight);
        return ReadPixels(0, 0, kWidth, kHeight);
    }
    static std::vector<int> Rgb(const std::vector<uint8_t>& pixels, int x, int y) {
        const uint8_t* p = &pixels[static_cast<size_t>(y * kWidth + x) * 4];
        return {p[0], p[1], p[2]};
    }
    static void ExpectNear(const std::vector<int>& pixel, const std::vector<int>& expected, const std::string& what) {
        for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(pixel[i], expected[i], 3) << what;
    }
};

// Constant green at half alpha over the wall; vertex colours opaque; one of
// colour and alpha from the vertices and the other from the stage.
TEST_F(LevelDecalTest, ConstantVertexAndMixedColours) {
    const std::unique_ptr<Level> level = LevelWithDecal("decal-colour.bsp");
    ASSERT_TRUE(level);
    struct Case {
        const char* name;
        int32_t flags, rgb, alpha;
        std::vector<int> centre;
    };
    const Case cases[] = {
        {"const", kStageBlend, kColourFromConstant, kColourFromConstant, {60, 187, 60}},
        {"vertex", 0, kColourFromVertices, kColourFromVertices, {255, 0, 0}},
        {"white-vertex-alpha", kStageBlend, kColourFromDefault, kColourFromVertices, {188, 188, 188}},
        {"vertex-const-alpha", kStageBlend, kColourFromVertices, kColourFromConstant, {188, 60, 60}},
    };
    for (const Case& c : cases) {
        FreeMaterial(level->Materials[2]);
        level->Materials[2] = Decal(c.flags, c.rgb, c.alpha);
        const std::vector<uint8_t> pixels = Frame(*level, std::string("decal-") + c.name + ".png");
        ExpectNear(Rgb(pixels, kWidth / 2, kHeight / 2), c.centre, c.name);
        ExpectNear(Rgb(pixels, kWidth / 2, kHeight / 2 + 100), {120, 120, 120}, c.name);
    }
    GLboolean colourArray = GL_TRUE;  // later drawing is white and reads no colours
    glGetBooleanv(GL_COLOR_ARRAY, &colourArray);
    EXPECT_FALSE(colourArray);
    ReleaseLevelResources(*level);
}

// Texture coordinates from -1 to 2 over a red | blue image: clamped, the
// outer thirds show the edge texels, and the texture wraps again for others.
// Seen at a slant, the faces' depths round apart along one edge: only the
// offset keeps the whole mark in front of its wall.
TEST_F(LevelDecalTest, ClampedImageAndPolygonOffset) {
    const std::unique_ptr<Level> level = LevelWithDecal("decal-clamp.bsp");
    ASSERT_TRUE(level);
    IMAGE row;
    row.Width = 2, row.Height = 1, row.Pixels = {255, 0, 0, 0, 0, 255};
    const int32_t image = CreateTexture(GL_RGB, row);  // released with the level's last decal
    FreeMaterial(level->Materials[2]);
    const auto draw = [&](int32_t flags, bool offset, const std::string& screenshot) {
        level->Materials[2] = Decal(flags, kColourFromDefault, kColourFromDefault, image);
        if (!offset) level->Materials[2].Flags = 0;
        return Frame(*level, screenshot);
    };
    const std::vector<uint8_t> clamped = draw(kStageClamp, true, "decal-clamp.png");
    EXPECT_EQ(Rgb(clamped, kWidth / 2 - 90, kHeight / 2), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Rgb(clamped, kWidth / 2 + 90, kHeight / 2), (std::vector<int>{0, 0, 255}));
    EXPECT_NE(draw(0, true, "decal-wrap.png"), clamped);
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(image));
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);

    View().CameraPosition = {260, 0, 90};
    View().CameraRotation = {0, LookYaw(160), 0};
    const auto redPixels = [](const std::vector<uint8_t>& pixels) {
        int red = 0;
        for (size_t p = 0; p + 3 < pixels.size(); p += 4) red += pixels[p] > 235 && pixels[p + 1] < 20;
        return red;
    };
    const int without = redPixels(draw(kStageClamp, false, "decal-no-offset.png"));
    EXPECT_GT(redPixels(draw(kStageClamp, true, "decal-offset.png")), without);
    EXPECT_FALSE(level->Plans[2].DepthFirst);  // its laid depth would not be the depth it is drawn at
    ReleaseLevelResources(*level);
}

// Lightmap index -3: the vertex colours (40, 20, 10), brightened like a
// lightmap, light the stages a lightmap would; a stage colour of its own wins.
TEST_F(LevelDecalTest, VertexLitFaceTakesItsLightFromTheVertices) {
    BspBuilder file = SmallLevel();
    for (BspVertex& v : file.Vertices) v.Color[0] = 40, v.Color[1] = 20, v.Color[2] = 10;
    file.Faces[0].LightmapIndex = kLightmapByVertex;
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("vertex-lit.bsp", file));
    ASSERT_TRUE(level);
    ExpectNear(Rgb(Frame(*level, "vertex-lit.png"), kWidth / 2, kHeight / 2), {120, 60, 30}, "vertex-lit");
    FreeMaterial(level->Materials[0]);
    level->Materials[0] = Decal(0, kColourFromConstant, kColourFromDefault);
    level->Materials[0].SurfaceFlags = 0;
    EXPECT_EQ(Rgb(Frame(*level, "vertex-lit-const.png"), kWidth / 2, kHeight / 2), (std::vector<int>{0, 255, 0}));
    ReleaseLevelResources(*level);
}

}  // namespace
}  // namespace korvath::test
