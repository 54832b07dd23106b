// A flare (billboard face 2 of the small level) with a white additive
// material, 50 units in front of the eye or hidden behind the level's brush,
// fading as it goes behind the brush and comes back.
#include <cstring>

#include "core/FrameTiming.h"
#include "materials/Materials.h"
#include "materials/TextureTestSupport.h"
#include "world/LevelPictureTest.h"
#include "world/LevelPlan.h"
#include "world/LevelRender.h"

namespace korvath::test {
namespace {

// Origin and normal in file axes; colour (0.5, 0.25, 0).
BspBuilder LevelWithFlare(const std::array<float, 3>& origin, const std::array<float, 3>& normal) {
    BspBuilder file = SmallLevel();
    file.Textures.push_back({"textures/test/flare", 0, 0});
    BspFace face;
    face.Texture = 2, face.Type = kFaceBillboard;
    float fields[16] = {};
    std::copy(origin.begin(), origin.end(), fields + 4);
    fields[7] = 0.5f, fields[8] = 0.25f;
    std::copy(normal.begin(), normal.end(), fields + 13);
    std::memcpy(face.Unused, fields, sizeof fields);
    file.Faces.push_back(face);
    file.LeafFaces.push_back(2);
    file.Leafs[0].LeafFaceCount = 2;  // leaf 0 holds faces 0 and 2, leaf 1 face 1
    file.LeafFaces = {0, 2, 1};
    file.Leafs[1].FirstLeafFace = 2;
    return file;
}

class LevelFlareTest : public LevelPictureTest {
protected:
    void SetUp() override {
        LevelPictureTest::SetUp();
        WriteBelowEngine("gfx/glow.bmp", BmpFile(4, 4, std::vector<uint8_t>(48, 255)));
        const std::string script = "textures/test/flare\n{\n\t{\n\t\tclampmap gfx/glow.bmp\n\t\tblendfunc add\n\t\trgbgen vertex\n\t}\n}\n";
        WriteBelowEngine("scripts/flare.shader", script);
        View().CameraPosition = {200, 0, 0};
        View().CameraRotation = {0, LookYaw(180), 0};
    }
    Rgb Centre(const std::array<float, 3>& origin, const std::array<float, 3>& normal, const std::string& name) {
        const std::unique_ptr<Level> level = LoadLevel(WriteLevel(name + ".bsp", LevelWithFlare(origin, normal)));
        EXPECT_TRUE(level);
        if (!level) return {};
        const Rgb centre = At(Frame(name + ".png", [&] {
                                  PlanMaterials(*level);
                                  RenderLevel(*level);
                              }),
                              kWidth / 2, kHeight / 2);
        ReleaseLevelResources(*level);
        return centre;
    }
};

// Near and facing the eye the flare adds its colour over the 120 grey wall;
// turned away or behind the brush it adds nothing; further off it is fainter.
TEST_F(LevelFlareTest, GlowsTowardsTheEyeWhenInSight) {
    const Rgb near = Centre({150, 0, 0}, {1, 0, 0}, "flare-near");
    EXPECT_GT(near[0], 170);
    EXPECT_GT(near[1], near[2] + 20);  // orange: red over green over none
    EXPECT_NEAR(near[2], 120, 4);
    ExpectNear(Centre({150, 0, 0}, {-1, 0, 0}, "flare-away"), {120, 120, 120}, "facing away");
    const Rgb far = Centre({70, 0, 0}, {0, 0, 0}, "flare-far");
    EXPECT_GT(far[0], 125);
    EXPECT_LT(far[0], near[0]);
    ExpectNear(Centre({-30, 0, 0}, {0, 0, 0}, "flare-hidden"), {120, 120, 120}, "behind the brush");
}

// Going behind the brush the flare dims over 150 ms instead of vanishing, and
// coming back it brightens as long; a flare first met shows at once.
TEST_F(LevelFlareTest, FadesOutAndInAsItLeavesAndComesIntoSight) {
    const std::unique_ptr<Level> level = LoadLevel(WriteLevel("flare-fade.bsp", LevelWithFlare({150, 0, 0}, {0, 0, 0})));
    ASSERT_TRUE(level);
    const auto red = [&](int32_t tick, float x, const std::string& name) {
        float fields[16];
        std::memcpy(fields, level->Faces[2].Unused, sizeof fields);
        fields[4] = x;  // the flare's origin along file x
        std::memcpy(level->Faces[2].Unused, fields, sizeof fields);
        return At(Frame(name + ".png", [&] {
                      Timing().CurrentTick = tick;
                      PlanMaterials(*level);
                      RenderLevel(*level);
                  }),
                  kWidth / 2, kHeight / 2)[0];
    };
    const int seen = red(1000, 150, "flare-fade-seen");
    EXPECT_GT(seen, 170);
    const int leaving = red(1000, -30, "flare-fade-leaving"), half = red(1075, -30, "flare-fade-half");
    EXPECT_GT(leaving, half + 2);
    EXPECT_GT(half, 122);
    EXPECT_NEAR(red(1150, -30, "flare-fade-gone"), 120, 2);
    EXPECT_NEAR(red(2000, 150, "flare-fade-back"), 120, 2);
    const int returning = red(2075, 150, "flare-fade-returning");
    EXPECT_GT(returning, 125);
    EXPECT_LT(returning, seen - 10);
    EXPECT_NEAR(red(2150, 150, "flare-fade-in"), seen, 2);
    ReleaseLevelResources(*level);
}

}  // namespace
}  // namespace korvath::test
