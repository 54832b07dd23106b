// Levels drawn offscreen and read back; pictures land beside the log.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Matrix.h"
#include "core/Paths.h"
#include "core/ViewState.h"
#include "korvath/Map.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/GL.h"
#include "world/LevelPlan.h"
#include "world/LevelRender.h"
#include "world/LevelTestSupport.h"

namespace korvath::test {
namespace {

constexpr int kWidth = 640, kHeight = 480;

// In front of face 0 of the small level, looking at it.
void FaceTheFrontWall() {
    View().CameraPosition = {200, 0, 0};
    View().CameraRotation = {0, LookYaw(180), 0};
}

class BspRenderTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        View().CameraPosition = {};
        View().CameraRotation = {};
        Timing().SceneTime = 0;
        Timing().FrameTime = 0;
    }
    // One frame of the level into the back buffer. Unit 0 starts with a white
    // texture so that faces whose stages bind none show their lightmap alone.
    void Frame(Level& level, const std::string& screenshot = {}) {
        engine().BeginScene();
        Set3DProjection();
        GLExt().glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, WhiteTexture());
        PlanMaterials(level);  // the tests edit materials between frames
        RenderLevel(level);
        glFinish();
        if (!screenshot.empty()) WriteScreenshot(ProcessDirectory() + "/" + screenshot, kWidth, kHeight);
    }
    static std::vector<uint8_t> Pixel(int x, int y) { return ReadPixels(x, y, 1, 1); }
    static bool Background(int x, int y) {
        const std::vector<uint8_t> p = Pixel(x, y);
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
    static std::vector<int32_t> Listed(const std::vector<int32_t>& list, int32_t count) {
        std::vector<int32_t> faces(list.begin(), list.begin() + count);
        std::sort(faces.begin(), faces.end());
        return faces;
    }
};

TEST_F(BspRenderTest, DrawsNothingWithoutALevel) {
    Map map;
    engine().BeginScene();
    Timing().FrameVertices = 7;
    map.Render();
    EXPECT_EQ(Timing().FrameVertices, 7);
}

// A material replaced through the map is drawn by its new plan: made to
// multiply what lies behind it, the front wall must no longer lay its depth
// first, or the wall behind it would vanish.
TEST_F(BspRenderTest, MaterialReplacedThroughTheMapIsPlannedAgain) {
    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 50);
    const std::string path = WriteLevel("replaced.bsp", file);
    // A script material, so the map finds the wall's material by its name.
    const std::string script = "textures/test/wall\n{\n\t{\n\t\tmap $lightmap\n\t}\n}\n";
    std::filesystem::create_directories(EnginePath() + "scripts");
    ASSERT_TRUE(WriteBytes(EnginePath() + "scripts/replaced.shader", {script.begin(), script.end()}));
    SHADER glass{.Found = true, .Name = "textures/test/wall", .Stages = {SHADER_STAGE{.Flags = kStageBlend, .Blend = {GL_ZERO, GL_SRC_COLOR}}}};
    FaceTheFrontWall();

    std::vector<uint8_t> expected;
    {
        const LoadedLevel level(LoadLevel(path).release());
        ASSERT_TRUE(level);
        level->Materials[0] = glass;
        Frame(*level);
        expected = Pixel(kWidth / 2, kHeight / 2);
    }
    ASSERT_GT(expected[0], 20);  // the back wall shows through

    Map map;
    map.Load(path);
    map.Shader("textures/test/wall", glass);
    ASSERT_EQ(map.Shader("textures/test/wall").Stages[0].Blend[1], GL_SRC_COLOR);
    engine().BeginScene();
    Set3DProjection();
    GLExt().glActiveTextureARB(GL_TEXTURE0_ARB);
    glBindTexture(GL_TEXTURE_2D, WhiteTexture());
    map.Render();
    glFinish();
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), expected);
    std::filesystem::remove(EnginePath() + "scripts/replaced.shader");
}

TEST_F(BspRenderTest, LightmappedWallSeenFromItsFront) {
    const LoadedLevel level = LoadWritten("render.bsp", SmallLevel());
    ASSERT_TRUE(level);
    FaceTheFrontWall();
    Frame(*level, "small-front.png");
    // The lightmap holds 40 everywhere, brightened to 120 (give or take the
    // texture compression).
    for (int channel : {0, 2}) EXPECT_NEAR(Pixel(kWidth / 2, kHeight / 2)[channel], 120, 4) << channel;
    EXPECT_TRUE(Background(5, 5));  // the wall does not fill the view
    EXPECT_EQ(Listed(level->SecondList, level->SecondCount), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(std::pair(level->FirstCount, Timing().FrameVertices), std::pair(0, 3));
    EXPECT_TRUE(std::all_of(level->Drawn.begin(), level->Drawn.end(), [](uint8_t d) { return d == 0; }));
}

TEST_F(BspRenderTest, FaceWithoutLightmapIsDrawnWithWhite) {
    BspBuilder file = SmallLevel();
    file.Faces[0].LightmapIndex = -1;
    const LoadedLevel level = LoadWritten("white.bsp", file);
    ASSERT_TRUE(level);
    FaceTheFrontWall();
    Frame(*level);
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), (std::vector<uint8_t>{255, 255, 255, 255}));
}

// A grey image of one value, as a stage of the given blend.
SHADER_STAGE GreyStage(uint8_t value, int32_t source, int32_t destination) {
    IMAGE image;
    image.Width = image.Height = 2;
    image.Pixels.assign(12, value);
    SHADER_STAGE stage;
    stage.Textures = {CreateTexture(GL_RGB, image)};
    stage.Flags = kStageBlend;
    stage.Blend[0] = source, stage.Blend[1] = destination;
    return stage;
}

// The lightmap (40, brightened to 120) lights a material's images once: a first
// "$lightmap" stage lights only itself, and a later one lights the stages
// before it but not those after it.
TEST_F(BspRenderTest, LightmapStageLightsTheImagesOnce) {
    const LoadedLevel level = LoadWritten("lit-once.bsp", SmallLevel());
    ASSERT_TRUE(level);
    FaceTheFrontWall();
    SHADER& material = level->Materials[0];
    material.Found = true;
    SHADER_STAGE lightmap;
    lightmap.Lightmap = true;
    const auto centre = [&] {
        Frame(*level);
        return static_cast<int>(Pixel(kWidth / 2, kHeight / 2)[0]);
    };
    // Lightmap, then an image multiplied in: 120 * 128 / 255.
    material.Stages = {lightmap, GreyStage(128, GL_DST_COLOR, GL_ZERO)};
    EXPECT_NEAR(centre(), 60, 3);
    // Lightmap, then the image with "blendfunc filter", a pair drawn opaque:
    // the image replaces the lightmap's pass, so it carries the light itself.
    material.Stages = {lightmap, GreyStage(128, GL_SRC_COLOR, GL_ZERO)};
    EXPECT_NEAR(centre(), 60, 3);
    // Lightmap, then a glow added unlit.
    material.Stages = {lightmap, GreyStage(50, GL_ONE, GL_ONE)};
    EXPECT_NEAR(centre(), 170, 3);
    // Image lit by the later lightmap stage, then the same glow, unlit.
    SHADER_STAGE image = GreyStage(128, GL_ONE, GL_ZERO);
    image.Flags = 0;
    material.Stages = {image, lightmap, GreyStage(50, GL_ONE, GL_ONE)};
    EXPECT_NEAR(centre(), 60 + 50, 3);
    // Without a lightmap stage every stage is lit, as before.
    material.Stages = {image, GreyStage(50, GL_ONE, GL_ONE)};
    EXPECT_NEAR(centre(), 60 + 24, 3);
}

TEST_F(BspRenderTest, ClosedClusterKeepsItsFacesOutOfTheLists) {
    const LoadedLevel level = LoadWritten("pvs.bsp", SmallLevel());
    ASSERT_TRUE(level);
    View().CameraPosition = {-200, 0, 0};  // leaf 1, whose cluster sees only itself
    View().CameraRotation = {0, LookYaw(0), 0};
    Frame(*level);
    EXPECT_EQ(Listed(level->SecondList, level->SecondCount), (std::vector<int32_t>{1}));
    // Without PVS every leaf in the frustum counts.
    level->ClusterCount = 0;
    Frame(*level);
    EXPECT_EQ(Listed(level->SecondList, level->SecondCount), (std::vector<int32_t>{0, 1}));
    // Looking away, the frustum keeps both leaves out.
    View().CameraRotation = {0, LookYaw(180), 0};
    Frame(*level);
    EXPECT_EQ(level->SecondCount, 0);
}

TEST_F(BspRenderTest, CullNoneDrawsTheBackOfAFace) {
    const LoadedLevel level = LoadWritten("cull.bsp", SmallLevel());
    ASSERT_TRUE(level);
    View().CameraPosition = {30, 0, 0};  // behind face 0, looking along +x at its back
    View().CameraRotation = {0, LookYaw(0), 0};
    Frame(*level);
    EXPECT_TRUE(Background(kWidth / 2, kHeight / 2));
    SHADER& material = level->Materials[0];
    material.Found = true;
    material.Cull = 1;
    Frame(*level, "small-cull-none.png");
    EXPECT_FALSE(Background(kWidth / 2, kHeight / 2));
    EXPECT_EQ(Listed(level->FirstList, level->FirstCount), (std::vector<int32_t>{0}));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(BspRenderTest, SkippedSurfacesAndTheStencilMark) {
    const LoadedLevel level = LoadWritten("stencil.bsp", SmallLevel());
    ASSERT_TRUE(level);
    FaceTheFrontWall();
    for (int32_t flag : {0x40, 0x800, 0x8000000}) {
        level->Materials[0].SurfaceFlags = level->Materials[1].SurfaceFlags = flag;
        Frame(*level);
        EXPECT_TRUE(Background(kWidth / 2, kHeight / 2)) << flag;
    }
    level->Materials[0].SurfaceFlags = level->Materials[1].SurfaceFlags = 0;
    level->Materials[0].Flags = 0x100;
    Frame(*level);
    uint8_t inside = 0, outside = 0;
    glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &inside);
    glReadPixels(5, 5, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &outside);
    EXPECT_EQ((std::pair<int, int>(inside, outside)), (std::pair<int, int>(1, 0)));
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
}

TEST_F(BspRenderTest, PatchDrawsWhereItsControlPointsAre) {
    const LoadedLevel level = LoadWritten("patch.bsp", PatchLevel());
    ASSERT_TRUE(level);
    View().CameraPosition = {150, 0, 0};
    View().CameraRotation = {0, LookYaw(180), 0};
    level->Materials[0].Found = true;
    level->Materials[0].Cull = 1;  // whichever way it is wound
    Frame(*level, "patch.png");
    EXPECT_FALSE(Background(kWidth / 2, kHeight / 2));
    // 128 units at distance 150 under a 70 degree field of view span about
    // 0.61 of the height (and, with the square aspect of the projection, of the
    // width): the patch ends well inside the window.
    EXPECT_FALSE(Background(kWidth / 2, kHeight / 2 + 130));
    EXPECT_TRUE(Background(kWidth / 2, kHeight / 2 + 170) && Background(kWidth / 2 + 250, kHeight / 2));
}

// The small level seen from the front, with face 0's material scripted and
// deforming by a WAVE of the given kind.
SHADER& DeformingWall(Level& level, int32_t kind) {
    SHADER& material = level.Materials[0];
    material.Found = true;
    material.Flags = 0x80;
    material.Deform.Kind = kind;
    FaceTheFrontWall();
    return material;
}

TEST_F(BspRenderTest, WaveDeformationMovesVerticesAlongTheirNormals) {
    const LoadedLevel level = LoadWritten("wave.bsp", SmallLevel());
    ASSERT_TRUE(level);
    SHADER& material = DeformingWall(*level, 5);
    material.Deform.Position = 100;  // spread
    material.Deform.Amplitude = 0;
    material.Deform.Base = 3;
    material.Deform.Frequency = 1;
    Timing().SceneTime = 12.3f;
    Frame(*level, "wave.png");
    for (size_t v = 0; v < 4; ++v)
        EXPECT_TRUE(FloatsEq({level->Vertices[v].Position.x, level->Vertices[v].Position.y},
                             {67, level->BasePositions[v].y})) << v;
    EXPECT_FLOAT_EQ(level->Vertices[4].Position.x, -64);  // the other face's material does not deform
}

TEST_F(BspRenderTest, MoveDeformationAdvancesOncePerVertex) {
    const LoadedLevel level = LoadWritten("move.bsp", SmallLevel());
    ASSERT_TRUE(level);
    SHADER& material = DeformingWall(*level, 2);
    material.Deform.Func = 2;  // the factor is the position itself
    material.Deform.Phase = 0.5f;
    material.Deform.Position = 9;  // restarts at 0 when the function is first seen
    material.Deform.Frequency = 2;
    material.DeformMove = {0, 10, 0};
    Timing().FrameTime = 0.125f;
    Frame(*level);
    // The first vertex still sees the old position (0.5 + 9); then it restarts
    // and grows by 0.125 x 2 per vertex.
    EXPECT_FLOAT_EQ(level->Vertices[0].Position.y - level->BasePositions[0].y, 95);
    for (int v = 1; v < 4; ++v)
        EXPECT_FLOAT_EQ(level->Vertices[static_cast<size_t>(v)].Position.y - level->BasePositions[static_cast<size_t>(v)].y,
                        10 * (0.5f + 0.25f * static_cast<float>(v)))
            << v;
    EXPECT_EQ(std::pair(material.Deform.Position, material.Deform.LastFunc), std::pair(1.0f, 2));
}

// Mean grey level of the lower half of the back buffer (floor and walls; the
// sky above depends on what the sky material draws) and its share of black.
struct LowerHalf {
    double mean = 0, blackShare = 0;
};
LowerHalf MeasureLowerHalf() {
    const std::vector<uint8_t> pixels = ReadPixels(0, 0, kWidth, kHeight / 2);
    LowerHalf half;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const int grey = (pixels[i] + pixels[i + 1] + pixels[i + 2]) / 3;
        half.mean += grey;
        half.blackShare += grey < 8;
    }
    half.mean /= static_cast<double>(pixels.size() / 4);
    half.blackShare /= static_cast<double>(pixels.size() / 4);
    return half;
}

// The camera at the first spawn point of the corpus level, eye height above it,
// looking the way the spawn point faces. Entity origins keep the file's numbers
// in reverse order: (z, y, x) of the file, which is (x, z, -y) in the engine.
TEST_F(BspRenderTest, CorpusLevelFromItsFirstSpawnPointShowsLightmappedWalls) {
    EnginePath() = CorpusPath("q3/");
    const LoadedLevel level(LoadLevel("maps/ps9ctf.bsp").release());
    ASSERT_TRUE(level);
    const auto spawn = std::find_if(level->Entities.begin(), level->Entities.end(), [](const ENTITY& e) {
        return e.ClassName.rfind("info_player_", 0) == 0;
    });
    ASSERT_NE(spawn, level->Entities.end());
    View().CameraPosition = {spawn->Origin.z, spawn->Origin.x + 40, -spawn->Origin.y};
    View().CameraRotation = {0, LookYaw(spawn->Angle), 0};
    Frame(*level, "corpus-spawn.png");
    EXPECT_GT(level->FirstCount + level->SecondCount, 0);
    EXPECT_LT(level->FirstCount + level->SecondCount, static_cast<int32_t>(level->Faces.size()));  // PVS and frustum cull
    const LowerHalf lit = MeasureLowerHalf();
    EXPECT_LT(lit.blackShare, 0.75);

    // The same view with white in place of every lightmap is brighter: the
    // lightmaps are there and they shade.
    std::vector<uint32_t> lightmaps(level->Lightmaps.size(), WhiteTexture());
    level->Lightmaps.swap(lightmaps);
    Frame(*level, "corpus-spawn-unlit.png");
    level->Lightmaps.swap(lightmaps);
    const LowerHalf unlit = MeasureLowerHalf();
    EXPECT_LT(lit.mean, 0.8 * unlit.mean);
    EXPECT_GT(lit.mean, 8);
}

}  // namespace
}  // namespace korvath::test
