// A door as brush model 1 of the small level: a slab from file x 100 to 110
// between the eye and the front wall, its face lit by a darker lightmap.
#include <cmath>

#include "korvath/Map.h"
#include "world/LevelPictureTest.h"

namespace korvath::test {
namespace {

BspBuilder LevelWithDoor() {
    BspBuilder file = SmallLevel();
    file.Textures.push_back({"textures/test/door", 0, 1});
    const BspPlane slab[6] = {{{1, 0, 0}, 110}, {{-1, 0, 0}, -100}, {{0, 1, 0}, 32},
                              {{0, -1, 0}, 32}, {{0, 0, 1}, 64},   {{0, 0, -1}, 64}};
    for (const BspPlane& plane : slab) {
        file.BrushSides.push_back({static_cast<int32_t>(file.Planes.size()), 0});
        file.Planes.push_back(plane);
    }
    file.Brushes.push_back({1, 6, 0});
    const float corners[4][2] = {{-32, -64}, {-32, 64}, {32, 64}, {32, -64}};
    for (const auto& c : corners) {
        BspVertex v = file.Vertices[0];
        v.Position = {110, c[0], c[1]};
        file.Vertices.push_back(v);
    }
    BspFace face = file.Faces[0];
    face.Texture = 2, face.FirstVertex = 8, face.LightmapIndex = 1;
    file.Faces.push_back(face);
    file.Lightmaps.resize(2 * 49152, 20);  // lightmap 1: 60 grey once brightened
    BspModel door;
    door.Mins[0] = 100, door.Mins[1] = -32, door.Mins[2] = -64;
    door.Maxs[0] = 110, door.Maxs[1] = 32, door.Maxs[2] = 64;
    door.FirstFace = 2, door.FaceCount = 1, door.FirstBrush = 1, door.BrushCount = 1;
    file.Models.push_back(door);
    return file;
}

class BrushModelTest : public LevelPictureTest {
protected:
    void SetUp() override {
        LevelPictureTest::SetUp();
        View().CameraPosition = {200, 0, 0};
        View().CameraRotation = {0, LookYaw(180), 0};
    }
    Rgb Centre(Map& map, const std::string& screenshot) {
        return At(Frame(screenshot, [&] { map.Render(); }), kWidth / 2, kHeight / 2);
    }
    static float StopX(Map& map) { return map.Collision({200, 0, 0}, {-50, 0, 0}).Position.x; }
};

// Drawn and solid where it was built, and again where the host moves it.
TEST_F(BrushModelTest, DoorIsDrawnAndSolidAtItsOffset) {
    Map map;
    map.Load(WriteLevel("door.bsp", LevelWithDoor()));
    ASSERT_TRUE(map.Loaded());
    ASSERT_EQ(map.BrushModels(), 1);
    const VOLUME box = map.BrushModel(1);
    EXPECT_EQ(box.Min.x, 100);
    EXPECT_EQ(box.Min.y, -64);  // file z
    EXPECT_EQ(box.Min.z, -32);  // file -y
    EXPECT_EQ(box.Max.z, 32);
    ExpectNear(Centre(map, "door-shut.png"), {60, 60, 60}, "shut");
    EXPECT_NEAR(StopX(map), 110, 0.5);

    map.BrushModel(1, {0, 200, 0});  // raised out of the way
    EXPECT_EQ(map.BrushModel(1).Position.y, 200);
    ExpectNear(Centre(map, "door-open.png"), {120, 120, 120}, "open: the wall behind");
    EXPECT_NEAR(StopX(map), 0, 0.5);

    map.BrushModel(1, {0, 40, 0});  // half open: the lower part of the view is the wall
    const std::vector<uint8_t> half = Frame("door-half.png", [&] { map.Render(); });
    ExpectNear(At(half, kWidth / 2, kHeight / 2 + 60), {60, 60, 60}, "half: door above");
    // Below the door's lower edge (24 units under the eye, 90 ahead) the wall shows.
    const float pixelsPerTan = kHeight / 2.0f / std::tan(View().FieldOfView * 3.14159265f / 360);
    ExpectNear(At(half, kWidth / 2, kHeight / 2 - static_cast<int>(pixelsPerTan * 0.35f)), {120, 120, 120}, "half: wall below");
    EXPECT_NEAR(StopX(map), 110, 0.5);

    map.BrushModel(0, {0, 500, 0});  // the world stays where it is
    map.BrushModel(9, {0, 500, 0});
    EXPECT_EQ(map.BrushModel(0).Position.y, 0);
    EXPECT_FALSE(map.BrushModel(9).Enabled);
}

// A model whose face or brush range leaves its table draws and stops nothing.
TEST_F(BrushModelTest, ModelOutsideItsTablesIsEmpty) {
    BspBuilder file = LevelWithDoor();
    file.Models[1].FirstFace = 40, file.Models[1].FirstBrush = -3;
    Map map;
    map.Load(WriteLevel("door-bad.bsp", file));
    ASSERT_TRUE(map.Loaded());
    ExpectNear(Centre(map, "door-bad.png"), {120, 120, 120}, "nothing drawn");
    EXPECT_NEAR(StopX(map), 0, 0.5);
}

}  // namespace
}  // namespace korvath::test
