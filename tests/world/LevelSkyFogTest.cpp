// The small level's walls as a sky (a far box of one colour per side, the back
// side split into quarters, and cloud layers over it or alone), as a mirror of
// the eye, and inside fog.
#include <array>
#include <cmath>
#include <cstring>

#include "core/ExtTable.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "materials/Materials.h"
#include "materials/TextureTestSupport.h"
#include "platform/GL.h"
#include "world/LevelPlan.h"
#include "world/LevelRender.h"
#include "world/LevelPictureTest.h"

namespace korvath::test {
namespace {

using Rgb = std::array<int, 3>;

// rt bk lf ft up dn. The back picture (seen through the wall) is this colour
// in its lower left quarter, white in its upper left, black in its lower right
// and grey in its upper right.
constexpr Rgb kSides[6] = {{255, 0, 0}, {0, 200, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
constexpr const char* kSuffixes[6] = {"_rt", "_bk", "_lf", "_ft", "_up", "_dn"};

std::vector<uint8_t> Picture(const Rgb& colour, bool quarters) {
    std::vector<uint8_t> rows;  // bottom row first, BGR
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            Rgb c = colour;
            if (quarters && y >= 2) c = x < 2 ? Rgb{255, 255, 255} : Rgb{128, 128, 128};
            else if (quarters && x >= 2) c = {0, 0, 0};
            rows.insert(rows.end(), {static_cast<uint8_t>(c[2]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[0])});
        }
    return BmpFile(4, 4, rows);
}

class LevelSkyTest : public LevelPictureTest {
protected:
    void SetUp() override {
        LevelPictureTest::SetUp();
        for (int i = 0; i < 6; ++i) WriteBelowEngine(std::string("env/test/box") + kSuffixes[i] + ".bmp", Picture(kSides[i], i == 1));
        WriteBelowEngine("env/test/green.bmp", Picture({0, 90, 0}, false));
        BspBuilder file = SmallLevel();
        file.Faces[1].Texture = 0;  // the wall behind is sky as well
        level_ = LoadLevel(WriteLevel("sky.bsp", file));
        ASSERT_TRUE(level_);
        View().CameraPosition = {200, 0, 0};  // in front of the wall, looking at it
        View().CameraRotation = {0, LookYaw(180), 0};
    }
    void TearDown() override {
        if (level_) ReleaseLevelResources(*level_);
        LevelPictureTest::TearDown();
    }
    // The wall's material made from a script of these lines.
    void SkyOnTheWall(const std::vector<std::string>& lines) {
        std::string text = "textures/test/sky\n{\n";
        for (const std::string& line : lines) text += line + "\n";
        WriteBelowEngine("scripts/sky.shader", text);
        FreeMaterial(level_->Materials[0]);
        level_->Materials[0] = ParseMaterial("scripts/sky.shader", "textures/test/sky");
    }
    // One frame of the level; a host draws a blue square at the centre first when asked.
    std::vector<uint8_t> Frame(const std::string& screenshot, bool hostSquare = false) {
        return LevelPictureTest::Frame(screenshot, [&] {
            if (hostSquare) {
                ApplyViewTransform(false);
                glColor4f(0, 0, 1, 1);
                glDisable(GL_CULL_FACE);
                glBegin(GL_QUADS);  // at file x = 150, a quarter of the wall's size, facing the eye
                for (const auto& c : {std::array<float, 2>{-16, -16}, {16, -16}, {16, 16}, {-16, 16}}) glVertex3f(150, c[1], -c[0]);
                glEnd();
                glEnable(GL_CULL_FACE);
            }
            PlanMaterials(*level_);
            RenderLevel(*level_);
        });
    }

    std::unique_ptr<Level> level_;
};

// Seen through the wall (file -x), the back picture stands upright and unmirrored
// behind everything drawn before or after it; its depth is the far plane's.
TEST_F(LevelSkyTest, FarBoxShowsThroughSkyFacesOnly) {
    SkyOnTheWall({"surfaceparm nolightmap", "skyparms env/test/box - -", "}"});
    for (int i = 0; i < 6; ++i) EXPECT_GT(level_->Materials[0].SkyBox[i], 0) << kSuffixes[i];
    EXPECT_FLOAT_EQ(level_->Materials[0].CloudHeight, 128);
    const std::vector<uint8_t> pixels = Frame("sky-box.png");
    // The box fills the view; each picture quarter spans 320 x 240 pixels.
    ExpectNear(At(pixels, kWidth / 2 - 200, kHeight / 2 - 150), kSides[1], "lower left");
    ExpectNear(At(pixels, kWidth / 2 - 200, kHeight / 2 + 150), {255, 255, 255}, "upper left");
    ExpectNear(At(pixels, kWidth / 2 + 200, kHeight / 2 - 150), {0, 0, 0}, "lower right");
    ExpectNear(At(pixels, kWidth / 2 + 200, kHeight / 2 + 150), {128, 128, 128}, "upper right");

    const std::vector<uint8_t> covered = Frame("sky-box-host.png", true);
    ExpectNear(At(covered, kWidth / 2 - 10, kHeight / 2 + 10), {0, 0, 255}, "drawn before the level");
    GLdouble range[2] = {};
    glGetDoublev(GL_DEPTH_RANGE, range);
    EXPECT_EQ(range[0], 0);  // put back for what is drawn next
    EXPECT_EQ(range[1], 1);
}

// Without a box the first layer is the sky, drawn opaque even when it adds;
// over a box the layers cover the upper half of the view only.
TEST_F(LevelSkyTest, CloudLayersAloneAndOverTheBox) {
    SkyOnTheWall({"skyparms env/test/nothing 256 -", " {", "  map env/test/green.bmp", "  blendfunc add", " }", "}"});
    EXPECT_EQ(level_->Materials[0].SkyBox[1], 0);
    ExpectNear(At(Frame("sky-clouds.png"), kWidth / 2, kHeight / 2 - 150), {0, 90, 0}, "layer alone");

    SkyOnTheWall({"skyparms env/test/box 256 -", " {", "  map env/test/green.bmp", "  blendfunc add", " }", "}"});
    const std::vector<uint8_t> pixels = Frame("sky-clouds-box.png");
    ExpectNear(At(pixels, kWidth / 2 - 200, kHeight / 2 + 150), {255, 255, 255}, "above the horizon");
    ExpectNear(At(pixels, kWidth / 2 + 200, kHeight / 2 + 150), {128, 218, 128}, "above the horizon");
    ExpectNear(At(pixels, kWidth / 2 + 200, kHeight / 2 - 150), {0, 0, 0}, "below the horizon");
}

// Layers that fold (an opaque one, then one that multiplies, one that adds) are
// drawn in one pass with the same picture as layer by layer.
TEST_F(LevelSkyTest, FoldedLayersDrawAsLayerByLayer) {
    WriteBelowEngine("env/test/grey.bmp", Picture({128, 128, 128}, false));
    WriteBelowEngine("env/test/blue.bmp", Picture({0, 0, 40}, false));
    // Two layers move their pictures: resetting one unit after the other must
    // leave the view's matrix stack as it was.
    SkyOnTheWall({"surfaceparm nolightmap", "skyparms - 256 -", " {", "  map env/test/green.bmp", "  tcmod scroll 0.1 0",
                  " }", " {", "  map env/test/grey.bmp", "  blendfunc gl_dst_color gl_zero", "  tcmod scale 2 2", " }",
                  " {", "  map env/test/blue.bmp", "  blendfunc add", " }", "}"});
    const Rgb folded = At(Frame("sky-folded.png"), kWidth / 2, kHeight / 2 + 100);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    level_->Shortcuts &= ~kShortcutFoldMultiplies;
    const Rgb layered = At(Frame("sky-layered.png"), kWidth / 2, kHeight / 2 + 100);
    ExpectNear(folded, {0, 45, 40}, "folded");
    ExpectNear(layered, folded, "layer by layer");
}

// Missing, "-", non-numeric and absurd arguments: a sky of its stages, the usual
// height, and nothing left behind when the material is freed.
TEST_F(LevelSkyTest, HostileSkyParms) {
    for (const char* line : {"skyparms", "skyparms -", "skyparms env/test/nothing nan x", "skyparms env/test/box 1e40 -",
                             "skyparms env/test/box -5 -", "skyparms env/test/box 0x10"}) {
        SkyOnTheWall({line, "}"});
        SHADER& sky = level_->Materials[0];
        EXPECT_TRUE(sky.SurfaceFlags & kSurfaceSky) << line;
        EXPECT_FLOAT_EQ(sky.CloudHeight, 128) << line;
        Frame("sky-hostile.png");
        FreeMaterial(sky);
        for (const int32_t side : sky.SkyBox) EXPECT_EQ(side, 0) << line;
    }
}

// "tcgen environment": the eye's reflection in the wall picks the picture's
// quarters as the content expects, upright and unmirrored; the view's turn
// towards the wall is taken back out of the reflection.
using LevelEnvironmentTest = LevelSkyTest;
TEST_F(LevelEnvironmentTest, ReflectionPicksThePictureByTheEye) {
    // Lower left red, lower right green, upper left blue, upper right white.
    std::vector<uint8_t> rows;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            static constexpr uint8_t kBgr[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
            const uint8_t* c = kBgr[(y >= 2 ? 2 : 0) + (x >= 2 ? 1 : 0)];
            rows.insert(rows.end(), c, c + 3);
        }
    WriteBelowEngine("env/test/quarters.bmp", BmpFile(4, 4, rows));
    SkyOnTheWall({"surfaceparm nolightmap", " {", "  map env/test/quarters.bmp", "  tcgen environment", " }", "}"});
    // Near the wall's corners the reflection lies well inside the picture's
    // quarters, clear of the filtering across their edges.
    const float pixelsPerTan = kHeight / 2.0f / std::tan(View().FieldOfView * 3.14159265f / 360);
    const int off = static_cast<int>(pixelsPerTan * 60 / 136);
    const std::vector<uint8_t> pixels = Frame("environment.png");
    ExpectNear(At(pixels, kWidth / 2 - off, kHeight / 2 + off), {0, 0, 255}, "upper left");
    ExpectNear(At(pixels, kWidth / 2 + off, kHeight / 2 + off), {255, 255, 255}, "upper right");
    ExpectNear(At(pixels, kWidth / 2 - off, kHeight / 2 - off), {255, 0, 0}, "lower left");
    ExpectNear(At(pixels, kWidth / 2 + off, kHeight / 2 - off), {0, 255, 0}, "lower right");
    GLboolean normalize = GL_TRUE;
    glGetBooleanv(GL_NORMALIZE, &normalize);
    EXPECT_FALSE(normalize);
}

// A fog box from file x 0 to 100 around the front wall (face 0, effect 0), red,
// hiding all 100 units deep.
BspBuilder LevelInFog(int32_t brush) {
    BspBuilder file = SmallLevel();
    const BspPlane box[6] = {{{1, 0, 0}, 100}, {{-1, 0, 0}, 0}, {{0, 1, 0}, 200}, {{0, -1, 0}, 200}, {{0, 0, 1}, 200}, {{0, 0, -1}, 200}};
    for (const BspPlane& plane : box) {
        file.BrushSides.push_back({static_cast<int32_t>(file.Planes.size()), 0});
        file.Planes.push_back(plane);
    }
    file.Brushes.push_back({static_cast<int32_t>(file.BrushSides.size()) - 6, 6, 0});
    file.Effects.assign(72, 0);
    std::memcpy(file.Effects.data(), "textures/test/fog", 17);
    std::memcpy(&file.Effects[64], &brush, 4);
    file.Faces[1].Effect = -1;
    return file;
}

using LevelFogTest = LevelSkyTest;
// The fog's share at each vertex is the depth of fog on the way from the eye:
// from outside the box only the part inside counts, from inside all of it.
TEST_F(LevelFogTest, FogDeepensWithTheDepthOfFogBeforeTheWall) {
    const std::string script = "textures/test/fog\n{\n\tfogparms ( 1 0 0 ) 100\n}\n";
    WriteBelowEngine("scripts/fog.shader", script);
    ReleaseLevelResources(*level_);
    level_ = LoadLevel(WriteLevel("fog.bsp", LevelInFog(1)));
    ASSERT_TRUE(level_);
    ASSERT_EQ(level_->Fogs.size(), 1u);
    EXPECT_FLOAT_EQ(level_->Fogs[0].Distance, 100);
    // Corners 163 units away, 43 of them in fog: alpha 110 over the 120 grey.
    ExpectNear(At(Frame("fog-outside.png"), kWidth / 2, kHeight / 2), {178, 68, 68}, "from outside");
    View().CameraPosition = {90, 0, 0};  // file x 90: inside the box, 94 units from the corners
    ExpectNear(At(Frame("fog-inside.png"), kWidth / 2, kHeight / 2), {247, 7, 7}, "from inside");

    ReleaseLevelResources(*level_);
    level_ = LoadLevel(WriteLevel("fog-bad-brush.bsp", LevelInFog(7)));
    ASSERT_TRUE(level_);
    EXPECT_EQ(level_->Fogs[0].Distance, 0);
    ExpectNear(At(Frame("fog-none.png"), kWidth / 2, kHeight / 2), {120, 120, 120}, "no brush, no fog");
}

// Missing, non-numeric and absurd arguments leave no fog or a clamped colour.
TEST_F(LevelFogTest, HostileFogParms) {
    struct Case {
        const char* line;
        float distance, red;
    };
    const Case cases[] = {{"fogparms", 0, 0},         {"fogparms ( 1 0 0 )", 0, 0}, {"fogparms ( nan 0 0 ) 100", 0, 0},
                          {"fogparms ( 1 0 0 ) -5", 0, 0}, {"fogparms ( 2 -1 0 ) 1e30", 1e30f, 1}, {"fogparms 0.5 0 0 64", 64, 0.5f}};
    for (const Case& c : cases) {
        SkyOnTheWall({c.line, "}"});
        EXPECT_FLOAT_EQ(level_->Materials[0].FogDistance, c.distance) << c.line;
        EXPECT_FLOAT_EQ(level_->Materials[0].FogColour[0], c.red) << c.line;
        EXPECT_GE(level_->Materials[0].FogColour[1], 0) << c.line;
    }
}

}  // namespace
}  // namespace korvath::test
