// Decals and marks on the small level's front wall: a face of their own lying
// in the wall's plane, with a constant, vertex or waved colour, a clamped
// image and the material's polygon offset. Pixels read back, PNGs beside the log.
#include <algorithm>
#include <array>

#include "core/ExtTable.h"
#include "core/FrameTiming.h"
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

// The small level with face 2 (material 2, in leaf 0) on the front wall: the
// square of half-size `half` around the wall's centre, its texture running
// from `low` to `high` across it, its vertices of the given colour.
BspBuilder LevelWithDecal(float half, float low, float high, const std::array<uint8_t, 4>& colour) {
    BspBuilder file = SmallLevel();
    file.Textures.push_back({"textures/test/decal", 0, 1});
    const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
    for (const auto& c : corners) {
        BspVertex v;
        v.Position = {64, c[0] * half, c[1] * half};
        v.TexCoord = {c[0] < 0 ? low : high, c[1] < 0 ? low : high};
        v.LightmapCoord = {0.5f, 0.5f};
        v.Normal = {1, 0, 0};
        std::copy(colour.begin(), colour.end(), v.Color);
        file.Vertices.push_back(v);
    }
    BspFace decal = file.Faces[0];
    decal.Texture = 2;
    decal.FirstVertex = 8;
    file.Faces.push_back(decal);
    file.LeafFaces = {0, 2, 1};
    file.Leafs[0].LeafFaceCount = 2;
    file.Leafs[1].FirstLeafFace = 2;
    return file;
}

// A texture of width x 1 texels of the given RGB colours.
int32_t RowTexture(const std::vector<std::array<uint8_t, 3>>& texels) {
    IMAGE image;
    image.Width = static_cast<int32_t>(texels.size());
    image.Height = 1;
    for (const auto& t : texels) image.Pixels.insert(image.Pixels.end(), t.begin(), t.end());
    return CreateTexture(GL_RGB, image);
}

// An unlit decal stage over a white image.
SHADER DecalMaterial(int32_t stageFlags, bool offset) {
    SHADER material;
    material.Found = true;
    material.SurfaceFlags = kSurfaceNoLightmap;
    material.Flags = offset ? kMaterialPolygonOffset : 0;
    SHADER_STAGE stage;
    stage.Textures = {0};
    stage.Flags = stageFlags;
    material.Stages = {stage};
    return material;
}

SHADER_STAGE& Blended(SHADER_STAGE& stage) {
    stage.Flags |= kStageBlend;
    stage.Blend[0] = GL_SRC_ALPHA, stage.Blend[1] = GL_ONE_MINUS_SRC_ALPHA;
    return stage;
}

class LevelDecalTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        Timing().SceneTime = 0;
        Timing().FrameTime = 0;
        View().CameraPosition = {200, 0, 0};  // in front of the wall, looking at it
        View().CameraRotation = {0, LookYaw(180), 0};
    }
    static void Frame(Level& level, const std::string& screenshot = {}) {
        engine().BeginScene();
        Set3DProjection();
        GLExt().glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, WhiteTexture());
        PlanMaterials(level);
        RenderLevel(level);
        glFinish();
        if (!screenshot.empty()) WriteScreenshot(ProcessDirectory() + "/" + screenshot, kWidth, kHeight);
    }
    static std::vector<uint8_t> Rgb(int x, int y) {
        std::vector<uint8_t> p = ReadPixels(x, y, 1, 1);
        p.resize(3);
        return p;
    }
    static void ExpectNear(const std::vector<uint8_t>& pixel, int r, int g, int b, const std::string& what) {
        EXPECT_NEAR(pixel[0], r, 3) << what;
        EXPECT_NEAR(pixel[1], g, 3) << what;
        EXPECT_NEAR(pixel[2], b, 3) << what;
    }
};

// The wall is the lightmap's 120 grey. Half of a constant green over it, and
// vertex colours (alpha with them), opaque, or with one of colour and alpha
// from the vertices and the other from the stage.
TEST_F(LevelDecalTest, ConstantAndVertexColoursOverTheWall) {
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("decal-colour.bsp", LevelWithDecal(32, 0, 1, {255, 0, 0, 128})));
    ASSERT_TRUE(level);
    struct Case {
        const char* name;
        int32_t rgb, alpha;
        bool blend;
        int r, g, b;
    };
    const Case cases[] = {
        {"const-half", kColourFromConstant, kColourFromConstant, true, 60, 187, 60},
        {"const-opaque", kColourFromConstant, kColourFromDefault, false, 0, 255, 0},
        {"vertex-opaque", kColourFromVertices, kColourFromDefault, false, 255, 0, 0},
        {"vertex-alpha", kColourFromDefault, kColourFromVertices, true, 188, 188, 188},
        {"vertex-const-alpha", kColourFromVertices, kColourFromConstant, true, 188, 60, 60},
    };
    for (const Case& c : cases) {
        SHADER& decal = level->Materials[2];
        FreeMaterial(decal);
        decal = DecalMaterial(kStageRgbGen | kStageAlphaGen, true);
        SHADER_STAGE& stage = decal.Stages[0];
        if (c.blend) Blended(stage);
        stage.RgbSource = c.rgb, stage.AlphaSource = c.alpha;
        std::copy_n(std::array<float, 4>{0, 1, 0, 0.5f}.begin(), 4, stage.Colour);
        Frame(*level, std::string("decal-") + c.name + ".png");
        ExpectNear(Rgb(kWidth / 2, kHeight / 2), c.r, c.g, c.b, c.name);
        ExpectNear(Rgb(kWidth / 2, kHeight / 2 + 100), 120, 120, 120, std::string(c.name) + " wall");
    }
    // Later faces draw white again: the colour and the colour array are reset.
    GLboolean colourArray = GL_TRUE;
    glGetBooleanv(GL_COLOR_ARRAY, &colourArray);
    EXPECT_FALSE(colourArray);
    GLfloat current[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(std::vector<GLfloat>(current, current + 4), (std::vector<GLfloat>{1, 1, 1, 1}));
    ReleaseLevelResources(*level);
}

// Vertex colours are baked light like the lightmaps, and brightened alike
// (the hue kept where a channel would pass 255); alpha stays as written.
TEST_F(LevelDecalTest, VertexColoursAreBrightenedLikeTheLightmaps) {
    BspBuilder file = LevelWithDecal(32, 0, 1, {40, 20, 10, 200});
    file.Vertices[9].Color[0] = 170, file.Vertices[9].Color[1] = 85;
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("decal-vertex-light.bsp", file));
    ASSERT_TRUE(level);
    const uint8_t* dark = level->Vertices[8].Color;
    const uint8_t* bright = level->Vertices[9].Color;
    EXPECT_EQ(std::vector<uint8_t>(dark, dark + 4), (std::vector<uint8_t>{120, 60, 30, 200}));
    EXPECT_EQ(std::vector<uint8_t>(bright, bright + 4), (std::vector<uint8_t>{255, 128, 15, 200}));
    ReleaseLevelResources(*level);
}

// A face of lightmap index -3 is lit by its vertex colours where a lightmap
// would light it: the image stage takes them, a stage with a colour of its own
// keeps that.
TEST_F(LevelDecalTest, VertexLitFaceTakesItsLightFromTheVertices) {
    BspBuilder file = SmallLevel();
    for (BspVertex& v : file.Vertices) v.Color[0] = 40, v.Color[1] = 20, v.Color[2] = 10, v.Color[3] = 255;
    file.Faces[0].LightmapIndex = kLightmapByVertex;
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("vertex-lit.bsp", file));
    ASSERT_TRUE(level);
    EXPECT_EQ(level->Faces[0].LightmapIndex, kLightmapByVertex);
    Frame(*level, "vertex-lit.png");
    ExpectNear(Rgb(kWidth / 2, kHeight / 2), 120, 60, 30, "vertex-lit wall");
    FreeMaterial(level->Materials[0]);
    level->Materials[0] = DecalMaterial(kStageRgbGen, false);
    level->Materials[0].SurfaceFlags = 0;
    level->Materials[0].Stages[0].RgbSource = kColourFromConstant;
    std::copy_n(std::array<float, 3>{0, 1, 0}.begin(), 3, level->Materials[0].Stages[0].Colour);
    Frame(*level);
    ExpectNear(Rgb(kWidth / 2, kHeight / 2), 0, 255, 0, "constant colour on a vertex-lit wall");
    ReleaseLevelResources(*level);
}

// A mark drawn in the plane of the wall, seen at a slant where the two faces'
// depths round differently: pulled forward by the offset, every one of its
// pixels wins over the wall whose depth was laid first.
TEST_F(LevelDecalTest, PolygonOffsetKeepsAMarkInFrontOfItsWall) {
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("decal-offset.bsp", LevelWithDecal(40, 0, 1, {255, 255, 255, 255})));
    ASSERT_TRUE(level);
    View().CameraPosition = {260, 0, 90};
    View().CameraRotation = {0, LookYaw(160), 0};
    const auto greenPixels = [&](bool offset, const std::string& screenshot) {
        FreeMaterial(level->Materials[2]);
        level->Materials[2] = DecalMaterial(kStageRgbGen, offset);
        level->Materials[2].Stages[0].RgbSource = kColourFromConstant;
        std::copy_n(std::array<float, 4>{0, 1, 0, 1}.begin(), 4, level->Materials[2].Stages[0].Colour);
        Frame(*level, screenshot);
        const std::vector<uint8_t> pixels = ReadPixels(0, 0, kWidth, kHeight);
        int green = 0;
        for (size_t p = 0; p + 3 < pixels.size(); p += 4) green += pixels[p] < 20 && pixels[p + 1] > 235;
        return green;
    };
    const int without = greenPixels(false, "decal-no-offset.png");
    const int withOffset = greenPixels(true, "decal-offset.png");
    EXPECT_FALSE(level->Plans[2].DepthFirst);  // its laid depth would not be the depth it is drawn at
    EXPECT_GT(withOffset, 5000);
    EXPECT_GT(withOffset, without);  // without it, a strip along one edge shows the wall
    ReleaseLevelResources(*level);
}

// Texture coordinates from -1 to 2 over a red | blue image: clamped, the outer
// thirds show the edge texels; the texture itself keeps wrapping for others.
TEST_F(LevelDecalTest, ClampedImageShowsItsEdgeTexelsBeyondIt) {
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("decal-clamp.bsp", LevelWithDecal(48, -1, 2, {255, 255, 255, 255})));
    ASSERT_TRUE(level);
    const int32_t image = RowTexture({{255, 0, 0}, {0, 0, 255}});
    const auto rowAt = [&](bool clamp, const std::string& screenshot) {
        FreeMaterial(level->Materials[2]);
        level->Materials[2] = DecalMaterial(clamp ? kStageClamp : 0, false);
        level->Materials[2].Stages[0].Textures = {image};
        Frame(*level, screenshot);
        return ReadPixels(0, kHeight / 2, kWidth, 1);
    };
    const std::vector<uint8_t> clamped = rowAt(true, "decal-clamp.png");
    const std::vector<uint8_t> wrapped = rowAt(false, "decal-wrap.png");
    // The decal spans about 160 pixels either side of the centre; the image's
    // start (red) is on the left.
    for (const int x : {kWidth / 2 - 140, kWidth / 2 - 80, kWidth / 2 + 80, kWidth / 2 + 140}) {
        const uint8_t* p = &clamped[static_cast<size_t>(x) * 4];
        const bool left = x < kWidth / 2;
        EXPECT_EQ(p[0] > 200, left) << x;
        EXPECT_EQ(p[2] > 200, !left) << x;
    }
    EXPECT_NE(clamped, wrapped);
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(image));
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
    ReleaseLevelResources(*level);
}

}  // namespace
}  // namespace korvath::test
