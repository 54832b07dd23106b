// The renderer's shortcuts draw the same picture as drawing every stage in a
// pass of its own: each frame is drawn with every shortcut, then with each one
// off and with all off, and the pixels compared. Folding several passes into one
// rounds to 8 bits once instead of once per pass, so channels may differ by 2.
#include <algorithm>
#include <array>
#include <cstdlib>

#include <sys/mman.h>

#include "core/Capabilities.h"
#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Lighting.h"
#include "core/Matrix.h"
#include "core/Paths.h"
#include "core/ViewState.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/GL.h"
#include "world/LevelFold.h"
#include "world/LevelPlan.h"
#include "world/LevelRender.h"
#include "world/LevelTestSupport.h"

namespace korvath::test {
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kRounding = 2;

class LevelShortcutTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        Timing().SceneTime = 3.7f;  // scrolls and rotations away from their start
        Timing().FrameTime = 0;
    }
    static std::vector<uint8_t> Frame(Level& level, uint32_t shortcuts, const std::string& screenshot = {}) {
        level.Shortcuts = shortcuts;
        engine().BeginScene();
        Set3DProjection();
        GLExt().glActiveTextureARB(GL_TEXTURE0_ARB);
        PlanMaterials(level);  // the tests edit materials between frames
        RenderLevel(level);
        glFinish();
        if (!screenshot.empty()) WriteScreenshot(ProcessDirectory() + "/" + screenshot, kWidth, kHeight);
        return ReadPixels(0, 0, kWidth, kHeight);
    }
    // The pixels of two frames that differ by more than the rounding in some
    // channel (alpha left out: the window need not keep it).
    static int Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        int count = 0;
        for (size_t p = 0; p + 3 < a.size(); p += 4) {
            bool differs = false;
            for (size_t c = 0; c < 3; ++c) differs = differs || std::abs(a[p + c] - b[p + c]) > kRounding;
            count += differs;
        }
        return count;
    }
    // Every shortcut against each one off and against none, from the current
    // camera. Batching draws the opaque faces in another order, so where two of
    // them lie at the same depth (coplanar faces, a patch edge on a floor) the
    // other one may win: up to ties pixels may differ then.
    static void ExpectSamePictures(Level& level, const std::string& name, int ties = 0) {
        const std::vector<uint8_t> fast = Frame(level, kAllShortcuts, name + "-shortcuts.png");
        for (const uint32_t off : {kShortcutSkipWhite, kShortcutFoldMultiplies, kShortcutBatchOpaque, kAllShortcuts}) {
            const std::vector<uint8_t> slow = Frame(level, kAllShortcuts & ~off, off == kAllShortcuts ? name + "-passes.png" : "");
            EXPECT_LE(Differing(fast, slow), (off & kShortcutBatchOpaque) ? ties : 0) << name << " without shortcuts " << off;
        }
        EXPECT_TRUE(std::any_of(fast.begin(), fast.end(), [](uint8_t c) { return c > 40; })) << name << " is dark";
    }
};

// Outside the small level, seeing both walls from the front and the side.
void LookAtBothWalls() {
    View().CameraPosition = {260, 0, 90};
    View().CameraRotation = {0, LookYaw(160), 0};
}

// A 16 x 16 texture with a different colour in every texel.
int32_t PatternTexture() {
    IMAGE image;
    image.Width = image.Height = 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.Pixels.insert(image.Pixels.end(), {static_cast<uint8_t>(40 + 13 * x), static_cast<uint8_t>(250 - 9 * y),
                                                     static_cast<uint8_t>(120 + 7 * ((x + y) % 16))});
    return CreateTexture(GL_RGB, image);
}

SHADER_STAGE ImageStage(int32_t texture) {
    SHADER_STAGE stage;
    stage.Textures = {texture};
    return stage;
}

SHADER_STAGE LightmapStage() {
    SHADER_STAGE stage;
    stage.Lightmap = true;
    return stage;
}

SHADER_STAGE MultiplyStage(int32_t texture, int32_t source, int32_t destination) {
    SHADER_STAGE stage = ImageStage(texture);
    stage.Flags = kStageBlend | kStageTcMods;
    stage.Blend[0] = source, stage.Blend[1] = destination;
    TCMOD scale;
    scale.Kind = 2, scale.ScaleS = 3, scale.ScaleT = 0.5f;
    TCMOD scroll;
    scroll.Kind = 4, scroll.ScrollS = 0.1f, scroll.ScrollT = 0.3f;
    stage.TcMods = {scale, scroll};
    return stage;
}

// The usual lightmapped wall: image, lightmap, then a detail image multiplied
// over both.
SHADER MultiplyMaterial(int32_t base, int32_t detail) {
    SHADER material;
    material.Found = true;
    material.Stages = {ImageStage(base), LightmapStage(), MultiplyStage(detail, GL_DST_COLOR, GL_ZERO)};
    return material;
}

TEST_F(LevelShortcutTest, OnlyOpaqueThenMultiplyingStagesFold) {
    Level level;
    TextureUnits units;
    units.Count = 8;
    SHADER material = MultiplyMaterial(1, 2);
    EXPECT_EQ(FoldedStageCount(level, material, units), 2);  // the later lightmap stage is not drawn
    material.Stages.push_back(MultiplyStage(3, GL_ZERO, GL_SRC_COLOR));
    EXPECT_EQ(FoldedStageCount(level, material, units), 3);
    units.Count = 4;
    EXPECT_EQ(FoldedStageCount(level, material, units), 0);  // six units needed
    units.Count = 8;
    level.Shortcuts = kShortcutSkipWhite;
    EXPECT_EQ(FoldedStageCount(level, material, units), 0);
    level.Shortcuts = kAllShortcuts;

    const auto unfolded = [&](auto change) {
        SHADER changed = MultiplyMaterial(1, 2);
        change(changed.Stages[0], changed.Stages[2]);
        return FoldedStageCount(level, changed, units) == 0;
    };
    using Stage = SHADER_STAGE&;
    EXPECT_TRUE(unfolded([](Stage, Stage later) { later.Blend[0] = GL_ONE, later.Blend[1] = GL_ONE; }));
    EXPECT_TRUE(unfolded([](Stage, Stage later) { later.Blend[0] = GL_SRC_COLOR; }));  // drawn opaque, not multiplied
    EXPECT_TRUE(unfolded([](Stage, Stage later) { later.Flags &= ~kStageBlend; }));
    EXPECT_TRUE(unfolded([](Stage, Stage later) { later.Flags |= kStageAlphaTest; }));
    EXPECT_TRUE(unfolded([](Stage first, Stage) { first.Flags |= kStageBlend; }));
    EXPECT_TRUE(unfolded([](Stage first, Stage) { first.Flags |= kStageDepthFunc; }));
    EXPECT_TRUE(unfolded([](Stage, Stage later) { later.Flags |= kStageCubeMap; }));
    EXPECT_TRUE(unfolded([](Stage first, Stage) {
        first.Flags |= kStageRgbGen;
        first.RgbWave.Kind = 3;
    }));
    EXPECT_FALSE(unfolded([](Stage first, Stage) { first.Flags |= kStageRgbGen; }));  // identity: no colour change
    EXPECT_TRUE(unfolded([](Stage first, Stage) { first.Flags |= kStageRgbGen, first.RgbSource = kColourFromConstant; }));
    EXPECT_TRUE(unfolded([](Stage, Stage later) { later.Flags |= kStageAlphaGen, later.AlphaSource = kColourFromVertices; }));
    EXPECT_FALSE(unfolded([](Stage, Stage later) { later.Flags |= kStageClamp; }));  // the unit clamps alike
}

// Decal kinds: face 0 vertex-lit under a clamped image of constant colour,
// face 1 a mark of vertex colours and waved alpha (its wave steps once per
// face drawn, so it stays out of the batches).
TEST_F(LevelShortcutTest, DecalStagesLookTheSameWithAndWithoutShortcuts) {
    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 75);
    for (size_t v = 0; v < file.Vertices.size(); ++v) {
        BspVertex& vertex = file.Vertices[v];
        vertex.TexCoord = {vertex.TexCoord.x * 3 - 1, vertex.TexCoord.y * 3 - 1};
        vertex.Color[0] = static_cast<uint8_t>(60 * v), vertex.Color[2] = static_cast<uint8_t>(255 - 30 * v);
        vertex.Color[3] = static_cast<uint8_t>(90 + 20 * v);
    }
    file.Faces[0].LightmapIndex = kLightmapByVertex;
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("shortcuts-decals.bsp", file));
    ASSERT_TRUE(level);
    const int32_t pattern = PatternTexture();
    level->Materials[0] = MultiplyMaterial(pattern, PatternTexture());
    SHADER_STAGE& tinted = level->Materials[0].Stages[0];
    tinted.Flags |= kStageRgbGen | kStageClamp;
    tinted.RgbSource = kColourFromConstant;
    std::copy_n(std::array<float, 3>{0.9f, 0.6f, 0.3f}.begin(), 3, tinted.Colour);
    SHADER_STAGE mark = MultiplyStage(pattern, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    mark.Flags |= kStageRgbGen | kStageAlphaGen | kStageClamp;
    mark.RgbSource = kColourFromVertices, mark.AlphaSource = kColourFromWave;
    mark.AlphaWave = {0.25f, 0.1f, 0, 1, 0, kColourWave, 0, 0, kFuncSin};
    level->Materials[1] = MultiplyMaterial(pattern, PatternTexture());
    level->Materials[1].Flags = kMaterialPolygonOffset;
    level->Materials[1].Stages.push_back(mark);
    LookAtBothWalls();
    ExpectSamePictures(*level, "shortcuts-decals");
    EXPECT_TRUE(level->Plans[1].StepsPerApplication);
    tinted.Flags &= ~kStageRgbGen;  // lit by its vertices then, in its batch, instead of folded
    ExpectSamePictures(*level, "shortcuts-vertex-lit");
    ReleaseLevelResources(*level);
}


// An image lit by a later lightmap stage, then a detail image (twice the
// product) and a glow added over it, neither lit.
SHADER DetailGlowMaterial(int32_t base, int32_t detail, int32_t glow) {
    SHADER material;
    material.Found = true;
    material.Stages = {ImageStage(base), LightmapStage(), MultiplyStage(detail, GL_DST_COLOR, GL_SRC_COLOR),
                       MultiplyStage(glow, GL_ONE, GL_ONE)};
    return material;
}

TEST_F(LevelShortcutTest, StagesUnderAnOpaqueStageAreHidden) {
    // Lightmap, the image drawn opaque ("filter", refused), a detail multiply.
    SHADER material;
    material.Stages = {LightmapStage(), MultiplyStage(1, GL_SRC_COLOR, GL_ZERO), MultiplyStage(2, GL_DST_COLOR, GL_ZERO)};
    EXPECT_EQ(FirstVisibleStage(material), 1u);
    EXPECT_TRUE(StageLit(material, 1));   // replaces the lit pass: lit itself
    EXPECT_FALSE(StageLit(material, 2));  // multiplies the lit picture
    Level level;
    TextureUnits units;
    units.Count = 8;
    EXPECT_EQ(FoldedStageCount(level, material, units, 1), 2);
    EXPECT_EQ(FoldedStageCount(level, material, units, 0), 0);  // the refused pair does not fold from the start
    const auto hidden = [](auto change) {
        SHADER changed;
        changed.Stages = {LightmapStage(), MultiplyStage(1, GL_SRC_COLOR, GL_ZERO)};
        change(changed.Stages[0], changed.Stages[1]);
        return FirstVisibleStage(changed);
    };
    using Stage = SHADER_STAGE&;
    EXPECT_EQ(hidden([](Stage, Stage later) { later.Blend[0] = GL_DST_COLOR; }), 0u);  // blends
    EXPECT_EQ(hidden([](Stage, Stage later) { later.Flags |= kStageAlphaTest; }), 0u);
    EXPECT_EQ(hidden([](Stage, Stage later) { later.Flags |= kStageDepthFunc; }), 0u);
    EXPECT_EQ(hidden([](Stage, Stage later) { later.Lightmap = true; }), 0u);  // never drawn
    EXPECT_EQ(hidden([](Stage first, Stage) { first.Flags |= kStageDepthFunc; }), 0u);
    EXPECT_EQ(hidden([](Stage first, Stage) {
                  first.Textures = {1, 2};
                  first.AnimFrequency = 2;  // its clock steps once per face
              }), 0u);
    EXPECT_EQ(hidden([](Stage, Stage later) { later.Flags &= ~kStageBlend; }), 1u);
}

TEST_F(LevelShortcutTest, UnlitDetailAndGlowStagesFold) {
    Level level;
    level.TextureCombine = true;
    TextureUnits units;
    units.Count = 8;
    EXPECT_EQ(FoldedStageCount(level, DetailGlowMaterial(1, 2, 3), units), 3);
    level.TextureCombine = false;
    EXPECT_EQ(FoldedStageCount(level, DetailGlowMaterial(1, 2, 3), units), 0);
    level.TextureCombine = true;
    // Lit by the lightmap (no lightmap stage), the blend would count it once
    // more than the combiner: drawn stage by stage.
    SHADER lit = DetailGlowMaterial(1, 2, 3);
    lit.Stages.erase(lit.Stages.begin() + 1);
    EXPECT_EQ(FoldedStageCount(level, lit, units), 0);

    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 60);
    const std::unique_ptr<Level> loaded = LoadLevel(WriteLevel("shortcuts-detail.bsp", file));
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(loaded->TextureCombine);  // Mesa has the combiner
    const int32_t pattern = PatternTexture();
    loaded->Materials[0] = DetailGlowMaterial(pattern, PatternTexture(), pattern);
    // Face 1 adds a glow with no image: white, which a switched-off unit would lose.
    loaded->Materials[1] = DetailGlowMaterial(pattern, PatternTexture(), 0);
    loaded->Materials[1].Stages[3].Textures = {0};
    LookAtBothWalls();
    ExpectSamePictures(*loaded, "shortcuts-detail");
    // A lightmap hidden under an image drawn opaque, then a detail image.
    loaded->Materials[0].Stages = {LightmapStage(), MultiplyStage(pattern, GL_SRC_COLOR, GL_ZERO),
                                   MultiplyStage(PatternTexture(), GL_DST_COLOR, GL_SRC_COLOR)};
    ExpectSamePictures(*loaded, "shortcuts-hidden");
    ReleaseLevelResources(*loaded);
}

TEST_F(LevelShortcutTest, WrittenLevelLooksTheSameWithAndWithoutShortcuts) {
    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 75);  // bright: products of several images stay visible
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("shortcuts.bsp", file));
    ASSERT_TRUE(level);
    const int32_t base = PatternTexture(), detail = PatternTexture();
    // Face 0 folds; face 1 (seen beside it) starts with a lightmap stage that
    // has no image, multiplied by the other pair, and animates its image.
    level->Materials[0] = MultiplyMaterial(base, detail);
    SHADER& animated = level->Materials[1];
    animated.Found = true;
    animated.Stages = {LightmapStage(), MultiplyStage(detail, GL_ZERO, GL_SRC_COLOR)};
    animated.Stages[1].Textures = {detail, base};
    animated.Stages[1].AnimFrequency = 1;
    LookAtBothWalls();
    ExpectSamePictures(*level, "shortcuts-small");
    level->Materials[0].Stages[0].Flags |= kStageRgbGen;  // folded alike
    level->Materials[0].Cull = kCullNone;
    View().CameraPosition = {0, 0, 0};  // between the walls, facing the back of face 0
    View().CameraRotation = {0, LookYaw(0), 0};
    ExpectSamePictures(*level, "shortcuts-small-inside");

    // Animation steps once per stage and face drawn, folded or not.
    Timing().FrameTime = 0.3f;
    LookAtBothWalls();
    SHADER_STAGE& frames = animated.Stages[1];
    const SHADER_STAGE start = frames;
    for (const uint32_t shortcuts : {kAllShortcuts, kShortcutSkipWhite}) {
        frames = start;
        for (int f = 0; f < 5; ++f) Frame(*level, shortcuts);
        EXPECT_EQ(frames.AnimFrame, 1) << shortcuts;
        EXPECT_NEAR(frames.AnimTimer, 0.3, 1e-6) << shortcuts;
    }
    ReleaseLevelResources(*level);
}

// Without vertex buffers (or with a level too large for them) faces are drawn
// one at a time, and look the same.
TEST_F(LevelShortcutTest, WithoutVertexBuffersFacesAreDrawnOneAtATime) {
    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 75);
    const std::string path = WriteLevel("no-buffers.bsp", file);
    const std::unique_ptr<Level> batched = LoadLevel(path);
    ASSERT_TRUE(batched);
    ASSERT_NE(batched->VertexBuffer, 0u);
    EXPECT_EQ(batched->FaceTriangleStart.back(), 12);  // two quads: four triangles
    LookAtBothWalls();
    const std::vector<uint8_t> expected = Frame(*batched, kAllShortcuts);
    EXPECT_EQ(batched->BatchFaces.size(), 2u);
    ReleaseLevelResources(*batched);

    Caps().VertexBuffers = false;  // a driver without vertex buffers
    const std::unique_ptr<Level> level = LoadLevel(path);
    Caps().VertexBuffers = true;
    ASSERT_TRUE(level);
    EXPECT_EQ(level->VertexBuffer, 0u);
    EXPECT_TRUE(level->FaceTriangles.empty());
    EXPECT_EQ(Differing(Frame(*level, kAllShortcuts), expected), 0);
    EXPECT_TRUE(level->BatchFaces.empty());
    ReleaseLevelResources(*level);
}

// The overbright setting takes effect in the lightmaps of levels loaded after it.
TEST_F(LevelShortcutTest, OverbrightBrightensTheLightmapsOfLevelsLoadedAfterIt) {
    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 50);
    const std::string path = WriteLevel("overbright.bsp", file);
    auto firstTexel = [](const Level& level) {
        std::vector<uint8_t> texels(128 * 128 * 3);
        glBindTexture(GL_TEXTURE_2D, level.Lightmaps.at(0));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        return texels[0];
    };
    const std::unique_ptr<Level> written = LoadLevel(path);
    Lighting().Overbright = true;
    const std::unique_ptr<Level> overbright = LoadLevel(path);
    Lighting().Overbright = false;
    ASSERT_TRUE(written && overbright);
    EXPECT_EQ(firstTexel(*written), 150);
    EXPECT_EQ(firstTexel(*overbright), 200);
    ReleaseLevelResources(*written);
    ReleaseLevelResources(*overbright);
}

// A billboard (which draws nothing) sharing the walls' material and lightmap,
// numbered before them, must not take the walls' batch down with it.
TEST_F(LevelShortcutTest, ABillboardDoesNotHideTheFacesOfItsBatch) {
    BspBuilder plain = SmallLevel();
    plain.Faces[1].Texture = 0;
    plain.Lightmaps.assign(plain.Lightmaps.size(), 75);
    BspBuilder withBillboard = plain;
    BspFace billboard = plain.Faces[0];
    billboard.Type = kFaceBillboard;
    billboard.VertexCount = 1, billboard.MeshVertexCount = 0;
    withBillboard.Faces.insert(withBillboard.Faces.begin(), billboard);
    withBillboard.LeafFaces = {1, 0, 2};  // the right leaf holds wall 0 and the billboard
    withBillboard.Leafs[0].LeafFaceCount = 2;
    withBillboard.Leafs[1].FirstLeafFace = 2;

    LookAtBothWalls();
    const std::unique_ptr<Level> expected = LoadLevel(WriteLevel("walls.bsp", plain));
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("walls-billboard.bsp", withBillboard));
    ASSERT_TRUE(expected && level);
    const std::vector<uint8_t> walls = Frame(*expected, kAllShortcuts);
    EXPECT_EQ(Differing(Frame(*level, kAllShortcuts, "walls-billboard.png"), walls), 0);
    EXPECT_EQ(level->BatchFaces.size(), 2u);
    ReleaseLevelResources(*expected);
    ReleaseLevelResources(*level);
}

// The depth pass points only vertex positions; with lighting on the driver
// reads every enabled array, so a normal array left enabled there would be
// read from wherever it last pointed (nowhere yet, or a level since freed).
TEST_F(LevelShortcutTest, TheDepthPassReadsOnlyPositionsWithLightingOn) {
    BspBuilder file = SmallLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 75);
    Caps().VertexBuffers = false;  // faces drawn one at a time from client memory
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("lit-depth.bsp", file));
    Caps().VertexBuffers = true;
    ASSERT_TRUE(level);
    LookAtBothWalls();
    // Normals and texture coordinates pointed at memory no one may read: a read faults at once.
    void* guard = mmap(nullptr, 1 << 16, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(guard, MAP_FAILED);
    glNormalPointer(GL_FLOAT, 0, guard);
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
        GLExt().glClientActiveTextureARB(unit);
        glTexCoordPointer(2, GL_FLOAT, 0, guard);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    GLExt().glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const std::vector<uint8_t> lit = Frame(*level, kAllShortcuts);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    munmap(guard, 1 << 16);
    EXPECT_GT(level->DepthCount, 0);
    EXPECT_TRUE(std::any_of(lit.begin(), lit.end(), [](uint8_t c) { return c > 40; }));
    ReleaseLevelResources(*level);
}

TEST_F(LevelShortcutTest, PatchLooksTheSameWithAndWithoutShortcuts) {
    BspBuilder file = PatchLevel();
    file.Lightmaps.assign(file.Lightmaps.size(), 75);
    for (size_t v = 0; v < file.Vertices.size(); ++v)
        file.Vertices[v].TexCoord = {static_cast<float>(v % 3) / 2, static_cast<float>(v / 3) / 2};
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("shortcuts-patch.bsp", file));
    ASSERT_TRUE(level);
    level->Materials[0] = MultiplyMaterial(PatternTexture(), PatternTexture());
    level->Materials[0].Cull = kCullNone;
    View().CameraPosition = {150, 0, 0};
    View().CameraRotation = {0, LookYaw(180), 0};
    ExpectSamePictures(*level, "shortcuts-patch");
    ReleaseLevelResources(*level);
}

// The corpus level from its first spawn points: bare images over lightmaps,
// blended and animated scripted stages.
TEST_F(LevelShortcutTest, CorpusLevelLooksTheSameWithAndWithoutShortcuts) {
    EnginePath() = CorpusPath("q3/");
    const std::unique_ptr<Level> level = LoadLevel("maps/ps9ctf.bsp");
    ASSERT_TRUE(level);
    int views = 0;
    for (const ENTITY& spawn : level->Entities) {
        if (spawn.ClassName.rfind("info_player_", 0) != 0 || views == 4) continue;
        View().CameraPosition = {spawn.Origin.z, spawn.Origin.x + 40, -spawn.Origin.y};
        View().CameraRotation = {0, LookYaw(spawn.Angle), 0};
        ExpectSamePictures(*level, "shortcuts-corpus-" + std::to_string(views++), kWidth * kHeight / 1000);
        EXPECT_GT(level->BatchFaces.size(), 100u);  // most of the view went through the batches
    }
    EXPECT_EQ(views, 4);
    EXPECT_NE(level->VertexBuffer, 0u);
    ReleaseLevelResources(*level);
}

}  // namespace
}  // namespace korvath::test
