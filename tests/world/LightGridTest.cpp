// The light grid of the small level, 5 x 5 x 3 points 64, 64 and 128 apart
// over its box, through the public query.
#include "core/ViewState.h"
#include "korvath/Map.h"
#include "korvath/Mesh.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "world/BspLightmaps.h"
#include "world/LevelPictureTest.h"

namespace korvath::test {
namespace {

constexpr int kPoints[3] = {5, 5, 3};

// Ambient red is 10 per x step, directed green 20 per y step; the light comes
// from straight above except at z index 2, where it comes along file +x.
BspBuilder LevelWithGrid() {
    BspBuilder file = SmallLevel();
    file.Models[0].Mins[0] = file.Models[0].Mins[1] = file.Models[0].Mins[2] = -128;
    file.Models[0].Maxs[0] = file.Models[0].Maxs[1] = file.Models[0].Maxs[2] = 128;
    for (int z = 0; z < kPoints[2]; ++z)
        for (int y = 0; y < kPoints[1]; ++y)
            for (int x = 0; x < kPoints[0]; ++x) {
                const uint8_t fromZ = z == 2 ? 64 : 0;
                file.LightVolumes.insert(file.LightVolumes.end(), {static_cast<uint8_t>(10 + 10 * x), 5, 5, 0,
                                                                   static_cast<uint8_t>(20 * y), 0, fromZ, 0});
            }
    return file;
}

class LightGridTest : public LevelPictureTest {
protected:
    using LevelPictureTest::At;
    // The file point (x, y, z) in engine axes.
    static VECTOR3 At(float x, float y, float z) { return {x, z, -y}; }
    bool Light(Map& map, const VECTOR3& at) { return map.Light(at, ambient_, directed_, direction_); }
    VECTOR3 ambient_, directed_, direction_;
};

TEST_F(LightGridTest, BlendsTheEightPointsAroundAPoint) {
    Map map;
    map.Load(WriteLevel("grid.bsp", LevelWithGrid()));
    ASSERT_TRUE(map.Loaded());
    const float scale = LightBrightness() / 255;
    struct Case {
        const char* what;
        VECTOR3 at;
        float red, green;
        VECTOR3 direction;
    };
    const Case cases[] = {
        {"on a point", At(-64, 0, -128), 20, 40, {0, 1, 0}},
        {"halfway along x", At(-32, 0, -128), 25, 40, {0, 1, 0}},
        {"outside the box: its nearest face", At(-1000, 1000, -1000), 10, 80, {0, 1, 0}},
        {"between z points: direction blended", At(128, -128, 64), 50, 0, {0.7071f, 0.7071f, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Light(map, c.at)) << c.what;
        EXPECT_NEAR(ambient_.x, c.red * scale, 1e-4) << c.what;
        EXPECT_NEAR(ambient_.y, 5 * scale, 1e-4) << c.what;
        EXPECT_NEAR(directed_.y, c.green * scale, 1e-4) << c.what;
        EXPECT_NEAR(direction_.x, c.direction.x, 1e-3) << c.what;
        EXPECT_NEAR(direction_.y, c.direction.y, 1e-3) << c.what;
        EXPECT_NEAR(direction_.z, c.direction.z, 1e-3) << c.what;
    }
    VECTOR3 kept = ambient_;
    const float nan = std::nanf("");
    EXPECT_FALSE(Light(map, {nan, 0, 0}));
    EXPECT_EQ(ambient_.x, kept.x);
}

// Points inside walls (all black) stay out of the blend; all eight inside
// walls give no light. A lump that does not fit the box is no grid, unless the
// worldspawn's "gridsize" makes it fit.
TEST_F(LightGridTest, WallsMismatchesAndGridSize) {
    BspBuilder file = LevelWithGrid();
    for (size_t i = 0; i < 3; ++i) file.LightVolumes[8 + i] = 0;  // point (1, 0, 0)
    Map map;
    map.Load(WriteLevel("grid-wall.bsp", file));
    ASSERT_TRUE(Light(map, At(-96, -128, -128)));
    EXPECT_NEAR(ambient_.x, 10 * LightBrightness() / 255, 1e-4);  // only point (0, 0, 0) counts
    std::fill(file.LightVolumes.begin(), file.LightVolumes.end(), 0);
    map.Load(WriteLevel("grid-black.bsp", file));
    EXPECT_FALSE(Light(map, At(0, 0, 0)));

    file = LevelWithGrid();
    file.LightVolumes.resize(file.LightVolumes.size() - 8);
    map.Load(WriteLevel("grid-short.bsp", file));
    ASSERT_TRUE(map.Loaded());
    EXPECT_FALSE(Light(map, At(0, 0, 0)));

    // 128 x 128 x 256 apart: 3 x 3 x 1 points (z from -128 to 128 holds only 0).
    file = LevelWithGrid();
    file.LightVolumes.assign(3 * 3 * 1 * 8, 30);
    file.Entities = "{\n\"classname\" \"worldspawn\"\n\"gridsize\" \"128 128 256\"\n}\n";
    map.Load(WriteLevel("grid-size.bsp", file));
    EXPECT_TRUE(Light(map, At(0, 0, 0)));
    file.Entities = "{\n\"classname\" \"worldspawn\"\n\"gridsize\" \"128 nan 256\"\n}\n";
    map.Load(WriteLevel("grid-size-bad.bsp", file));
    EXPECT_FALSE(Light(map, At(0, 0, 0)));
}

// Every spawn point of the corpus level stands in light, and the light is
// no brighter than white.
TEST_F(LightGridTest, CorpusLevelLightsItsSpawnPoints) {
    EnginePath() = CorpusPath("q3/");
    Map map;
    map.Load("maps/ps9ctf.bsp");
    ASSERT_TRUE(map.Loaded());
    int spawns = 0;
    for (int32_t i = 0; i <= map.Entities(); ++i) {
        const ENTITY entity = map.Entity(i);
        if (entity.ClassName.find("info_player") == std::string::npos) continue;
        ++spawns;
        // An entity's origin holds the file's numbers in reverse order.
        ASSERT_TRUE(Light(map, At(entity.Origin.z, entity.Origin.y, entity.Origin.x))) << i;
        EXPECT_GT(ambient_.x + ambient_.y + ambient_.z + directed_.x + directed_.y + directed_.z, 0.1f) << i;
        for (const float c : {ambient_.x, ambient_.y, ambient_.z, directed_.x, directed_.y, directed_.z}) EXPECT_LE(c, 1) << i;
    }
    EXPECT_GT(spawns, 0);
}

// A white square facing the eye, lit by the grid when asked to: the ambient
// colour, plus the directed colour as far as its normal (turned with the
// model) faces the light; a model held in view takes the light at the eye.
TEST_F(LightGridTest, ModelsLitByTheGridWhenAsked) {
    Map map;
    map.Load(WriteLevel("grid-model.bsp", LevelWithGrid()));
    ASSERT_TRUE(map.Loaded());
    SHADER white;
    white.Stages.resize(1);
    white.Stages[0].Textures[0] = CreateTexture(GL_RGB, IMAGE{{255, 255, 255}, 1, 1});
    Mesh square;
    for (const auto& [x, y] : {std::pair{-8.0f, -8.0f}, {8.0f, -8.0f}, {8.0f, 8.0f}, {-8.0f, 8.0f}})
        square.SetVertex(0, x, y, 0, 0.5f, 0.5f);
    square.SetTriangle(0, 1, 2, 3);
    square.SetTriangle(0, 1, 4, 3);
    square.SetShader(0, white);
    const auto facing = [&](const VECTOR3& normal) {
        for (int32_t v = 0; v < 4; ++v) square.Normal(0, v, normal);
    };
    const VECTOR3 point = At(0, 0, -128);  // ambient (30, 5, 5), directed (0, 40, 0) from above
    const float b = LightBrightness();
    View().CameraRotation = {};
    const auto draw = [&](const char* screenshot) {
        View().CameraPosition = {point.x, point.y, point.z + 40};
        return At(Frame(screenshot, [&] { square.Render(); }), kWidth / 2, kHeight / 2);
    };
    square.SetPosition(point.x, point.y, point.z);
    facing({0, 1, 0});
    EXPECT_EQ(square.LevelLighting(), nullptr);
    ExpectNear(draw("grid-model-off.png"), {255, 255, 255}, "off by default");
    Map empty;
    square.SetLevelLighting(&empty);
    ExpectNear(draw("grid-model-nolevel.png"), {255, 255, 255}, "a Map without a level");

    square.SetLevelLighting(&map);
    const Rgb ambient = {static_cast<int>(30 * b), static_cast<int>(5 * b), static_cast<int>(5 * b)};
    const Rgb lit = {ambient[0], static_cast<int>(45 * b), ambient[2]};
    ExpectNear(draw("grid-model-up.png"), lit, "normal towards the light");
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    facing({0, 0, 1});
    ExpectNear(draw("grid-model-side.png"), ambient, "normal across the light");
    facing({1, 0, 0});
    square.SetRotation(0, 0, 90);  // turns +x to +y
    ExpectNear(draw("grid-model-turned.png"), lit, "normal turned towards the light");
    square.SetRotation(0, 0, -90);
    ExpectNear(draw("grid-model-away.png"), ambient, "normal turned away");

    // Held in view 40 ahead of an eye standing one grid step along +x.
    square.SetRotation(0, 0, 0);
    facing({0, 0, 1});
    square.SetRelative(true);
    square.SetPosition(0, 0, -40);
    View().CameraPosition = At(64, 0, -128);
    const Rgb held = At(Frame("grid-model-held.png", [&] { square.Render(); }), kWidth / 2, kHeight / 2);
    ExpectNear(held, {static_cast<int>(40 * b), ambient[1], ambient[2]}, "held in view");
    View().CameraPosition = {};
    square.SetShader(0, {});
    FreeMaterial(white);
}

}  // namespace
}  // namespace korvath::test
