// Loading IBSP files written by the test BSP writer: tables, axes, status lines,
// patches, PVS and the unload that comes before a second load.
#include <cstring>

#include "core/ConsoleState.h"
#include "core/LoadingScreen.h"
#include "korvath/Map.h"
#include "materials/Texture.h"
#include "platform/Files.h"
#include "world/LevelTestSupport.h"

namespace korvath::test {
namespace {

using BspLoadTest = LevelTest;

const std::vector<std::string> kStages = {
    "BSP: Loading Entities...",     "BSP: Loading Textures / Shaders...",
    "BSP: Loading Planes...",       "BSP: Loading Nodes...",
    "BSP: Loading Leafs...",        "BSP: Loading Leaf Faces...",
    "BSP: Loading Leaf Brushes...", "BSP: Loading Models...",
    "BSP: Loading Brushes...",      "BSP: Loading Brush Sides...",
    "BSP: Loading Vertices...",     "BSP: Loading Mesh Vertices...",
    "BSP: Loading Effects...",      "BSP: Loading Faces...",
    "BSP: Loading Bezier Patches...", "BSP: Loading Lightmaps...",
    "BSP: Loading Light Volumes...", "BSP: Loading PVS (Potential Visibility Sets)...",
    "BSP: Loading Volumes...",      "BSP: Loaded Successfully",
    "",
};

TEST_F(BspLoadTest, ReadsEveryLumpIntoYUpTables) {
    BspBuilder file = SmallLevel();
    file.Effects.assign(72 * 2, 7);
    file.LightVolumes.assign(8 * 3, 9);
    const LoadedLevel level = LoadWritten("small.bsp", file);
    ASSERT_TRUE(level);

    EXPECT_EQ((std::vector<size_t>{level->Textures.size(), level->Materials.size(), level->Nodes.size(),
                                   level->Models.size(), level->Brushes.size(), level->BrushSides.size(),
                                   level->MeshVertices.size(), level->Effects.size(), level->LightVolumes.size(),
                                   level->Lightmaps.size(), level->Drawn.size(), level->FirstList.size(),
                                   level->SecondList.size(), level->Entities.size()}),
              (std::vector<size_t>{2, 2, 1, 1, 1, 1, 6, 144, 24, 1, 2, 2, 2, 1}));
    EXPECT_EQ(std::pair(level->Textures[1].Name, level->Entities[0].ClassName),
              std::pair(std::string("textures/test/floor"), std::string("worldspawn")));
    EXPECT_EQ(std::pair(level->LeafFaces, level->LeafBrushes), std::pair(std::vector<int32_t>{0, 1}, std::vector<int32_t>{0}));
    EXPECT_NE(level->Lightmaps[0], 0u);

    // (x, y, z) of the file becomes (x, z, -y); texture t becomes -t. Vertex 3
    // is file (64, 64, -64); leaf 0 has file mins (0, -128, -128), maxs (128, 128, 128).
    const BspVertex& v = level->Vertices[3];
    EXPECT_TRUE(FloatsEq({v.Position.x, v.Position.y, v.Position.z, level->Vertices[2].TexCoord.y, v.LightmapCoord.y,
                          level->BasePositions[3].z, level->Planes[0].Normal.x},
                         {64, -64, -64, -1, 0.5f, -64, 1}));
    const BspLeaf& leaf = level->Leafs[0];
    EXPECT_EQ((std::vector<int32_t>{leaf.Mins[1], leaf.Mins[2], leaf.Maxs[2]}), (std::vector<int32_t>{-128, 128, -128}));

    EXPECT_EQ(std::pair(level->ClusterCount, level->BytesPerCluster), std::pair(2, 1));
    EXPECT_EQ(level->PvsBits, (std::vector<uint8_t>{0x3, 0x2}));
}

TEST_F(BspLoadTest, PlaneNormalsAndVertexNormalsTurnToYUp) {
    BspBuilder file = SmallLevel();
    file.Planes = {{{0.6f, 0.8f, 0}, 5}, {{0, 0, 1}, -3}};
    file.Vertices[0].Normal = {0, 1, 0};
    const LoadedLevel level = LoadWritten("normals.bsp", file);
    ASSERT_TRUE(level);
    EXPECT_TRUE(FloatsEq({level->Planes[0].Normal.y, level->Planes[0].Normal.z, level->Planes[0].Distance,
                          level->Planes[1].Normal.y, level->Vertices[0].Normal.z},
                         {0, -0.8f, 5, 1, -1}));
}

TEST_F(BspLoadTest, ReportsEveryStageInOrder) {
    Map map;
    map.Load("levels\\small.bsp");  // the directory is dropped from the first line
    EXPECT_FALSE(map.Loaded());
    WriteLevel("small.bsp", SmallLevel());
    map.Load("small.bsp");
    EXPECT_TRUE(map.Loaded());
    std::vector<std::string> expected = {"BSP: Loading small.bsp", "BSP: Invalid BSP File!",
                                         "BSP: Loading Failed...", "", "BSP: Loading small.bsp"};
    expected.insert(expected.end(), kStages.begin(), kStages.end());
    EXPECT_EQ(NewLogLines(), expected);
}

TEST_F(BspLoadTest, NamesEachTextureWhileTheConsoleIsShown) {
    ConsoleData().Visible = true;
    const LoadedLevel level = LoadWritten("console.bsp", SmallLevel());
    ASSERT_TRUE(level);
    const std::vector<std::string> lines = NewLogLines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 6),
              (std::vector<std::string>{"BSP: Loading Textures / Shaders...", "BSP: Loading textures/test/wall",
                                        "BSP: Loading textures/test/floor", "BSP: Loading Planes..."}));
}

// Every unload also drops the texture entries its lightmaps and materials made:
// a driver that never reuses names would otherwise see the table grow per load.
size_t TextureEntries() {
    size_t entries = 0;
    ForEachMipmappedTexture([&](int32_t, uint32_t) { ++entries; });
    return entries;
}

TEST_F(BspLoadTest, SecondLoadAndDestructionUnloadFirst) {
    const std::string path = WriteLevel("twice.bsp", SmallLevel());
    const size_t entriesBefore = TextureEntries();
    {
        Map map;
        map.Load(path);
        const size_t entriesLoaded = TextureEntries();
        EXPECT_GT(entriesLoaded, entriesBefore);
        map.Load(path);
        EXPECT_EQ(TextureEntries(), entriesLoaded);
        EXPECT_TRUE(map.Loaded());
        map.UnLoad();
        EXPECT_FALSE(map.Loaded());
        map.UnLoad();  // nothing left to unload: no second line
        map.Load(path);
    }
    const std::vector<std::string> lines = NewLogLines();
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i) {
        expected.push_back("BSP: Loading twice.bsp");
        expected.insert(expected.end(), kStages.begin(), kStages.end());
        expected.push_back("BSP: Unloaded");
    }
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(Loading().Text, "");
    EXPECT_EQ(TextureEntries(), entriesBefore);
}

TEST_F(BspLoadTest, AcceptsVersionsFrom46AndRefusesOthers) {
    BspBuilder file = SmallLevel();
    for (int32_t version : {46, 47}) {
        file.Version = version;
        EXPECT_TRUE(LoadWritten("version.bsp", file)) << version;
    }
    file.Version = 45;
    EXPECT_FALSE(LoadLevel(WriteLevel("version.bsp", file)));
    std::memcpy(file.Magic, "VBSP", 4);
    file.Version = 46;
    EXPECT_FALSE(LoadLevel(WriteLevel("magic.bsp", file)));
    EXPECT_FALSE(LoadLevel("no-such-level.bsp"));
    const std::vector<std::string> lines = NewLogLines();
    const std::vector<std::string> refused = {"BSP: Invalid BSP File!", "BSP: Loading Failed...", ""};
    for (size_t end : {lines.size(), lines.size() - 4, lines.size() - 8})
        EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(end) - 3,
                                           lines.begin() + static_cast<std::ptrdiff_t>(end)),
                  refused);
    EXPECT_FALSE(platform::FileExists(ProcessDirectory() + "/no-such-level.bsp"));
}

TEST_F(BspLoadTest, KeepsTextureNamesOfSixtyFourCharacters) {
    BspBuilder file = SmallLevel();
    const std::string longName(64, 'n');
    file.Textures[0].Name = longName;
    const LoadedLevel level = LoadWritten("longname.bsp", file);
    ASSERT_TRUE(level);
    EXPECT_EQ(std::pair(level->Textures[0].Name, level->Textures[0].Contents), std::pair(longName, 1));
}

TEST_F(BspLoadTest, UnscriptedTextureTakesTheImageOfItsName) {
    const std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 10, 20, 30};
    WriteBytes(ProcessDirectory() + "/image.tga", tga);
    BspBuilder file = SmallLevel();
    file.Textures[0].Name = "image";
    const LoadedLevel level = LoadWritten("image.bsp", file);
    ASSERT_TRUE(level);
    const SHADER& material = level->Materials[0];
    EXPECT_TRUE(!material.Found && material.Name.empty());
    ASSERT_EQ(material.Stages.size(), 1u);
    ASSERT_EQ(material.Stages[0].Textures.size(), 1u);
    EXPECT_NE(material.Stages[0].Textures[0], 0);
    EXPECT_EQ(level->Materials[1].Stages[0].Textures[0], 0);  // no image: what the loader gives for none
}

TEST_F(BspLoadTest, LevelWithoutPvsOrKeptLumps) {
    BspBuilder file = SmallLevel();
    file.ClusterCount = 0;
    file.PvsBits.clear();
    const LoadedLevel level = LoadWritten("nopvs.bsp", file);
    ASSERT_TRUE(level);
    EXPECT_EQ((std::vector<size_t>{static_cast<size_t>(level->ClusterCount), level->Effects.size(), level->LightVolumes.size()}),
              (std::vector<size_t>{0, 0, 0}));
    EXPECT_NE(ClusterVisible(*level, 1, 0), 0);
}

// A grid of Width x Height control points on the plane z = 0 (file axes) at
// x = 10 * column, y = 10 * row, with TexCoord (column, row) and a red of
// 20 * column (60 * column once brightened).
void AddPatch(BspBuilder& file, int32_t width, int32_t height) {
    BspFace face;
    face.Type = kFacePatch;
    face.FirstVertex = static_cast<int32_t>(file.Vertices.size());
    face.VertexCount = width * height;
    face.PatchSize[0] = width, face.PatchSize[1] = height;
    face.LightmapIndex = 0;
    for (int32_t row = 0; row < height; ++row)
        for (int32_t col = 0; col < width; ++col) {
            BspVertex v;
            v.Position = {10.0f * col, 10.0f * row, row == 1 && col == 1 ? 20.0f : 0.0f};
            v.TexCoord = {static_cast<float>(col), static_cast<float>(row)};
            v.Normal = {0, 0, 1};
            v.Color[0] = static_cast<uint8_t>(20 * col), v.Color[3] = 255;
            file.Vertices.push_back(v);
        }
    file.Faces.push_back(face);
}

// The raised middle point bends the first piece by 40 units along and across
// its rows: three segments each way keep every segment within a unit of the
// curve. The flat second piece of the 5 x 3 patch needs only one.
TEST_F(BspLoadTest, TessellatesPatchesByTheirCurvature) {
    BspBuilder file = SmallLevel();
    AddPatch(file, 3, 3);
    AddPatch(file, 5, 3);
    const LoadedLevel level = LoadWritten("patches.bsp", file);
    ASSERT_TRUE(level);
    ASSERT_EQ(level->Patches.size(), 2u);
    EXPECT_EQ((std::vector<int32_t>{level->Faces[2].PatchSize[0], level->Faces[3].PatchSize[0], level->Faces[3].PatchSize[1],
                                    level->Patches[0].SubPatchCount, level->Patches[1].Width, level->Patches[1].SubPatchCount}),
              (std::vector<int32_t>{0, 1, 3, 1, 5, 2}));
    ASSERT_EQ(level->Patches[1].SubPatches.size(), 2u);

    const BspSubPatch& piece = level->Patches[0].SubPatches[0];
    ASSERT_EQ(piece.Steps[0], 3);
    ASSERT_EQ(piece.Steps[1], 3);
    ASSERT_EQ(piece.Vertices.size(), 16u);
    // Corners are the corner control points; vertex j * 4 + i lies at u = j / 3 along a row, v = i / 3 across.
    EXPECT_FLOAT_EQ(piece.Vertices[0].Position.x, 0);
    EXPECT_FLOAT_EQ(piece.Vertices[3 * 4].Position.x, 20);  // u = 1: end of the row
    EXPECT_FLOAT_EQ(piece.Vertices[3].Position.z, -20);     // v = 1: last row (file y 20 -> z -20)
    EXPECT_FLOAT_EQ(piece.Vertices[3].TexCoord.y, -2);
    // At (1/3, 1/3) the middle weight is 4/9 each way: (4/9)^2 of its 20.
    EXPECT_NEAR(piece.Vertices[4 + 1].Position.y, 16.0f / 81 * 20, 1e-4);
    // Normals are the surface's, on the side the control normals face: up at
    // the flat corner, leaning away from the bump on its slope.
    EXPECT_NEAR(piece.Vertices[0].Normal.y, 1, 1e-5);
    const VECTOR3& slope = piece.Vertices[4 + 1].Normal;
    EXPECT_NEAR(slope.x * slope.x + slope.y * slope.y + slope.z * slope.z, 1, 1e-4);
    EXPECT_LT(slope.x, -0.1f);
    EXPECT_GT(slope.y, 0.5f);
    // Colours blend like positions (vertex-coloured and vertex-lit patches): red runs 0, 60, 120 along a row.
    EXPECT_EQ(piece.Vertices[4].Color[0], 40);
    EXPECT_EQ(piece.Vertices[3 * 4 + 2].Color[0], 120);
    EXPECT_EQ(piece.Vertices[4 + 1].Color[3], 255);
    ASSERT_EQ(piece.RowCounts.size(), 3u);
    for (size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(piece.RowCounts[r], 8);
        EXPECT_EQ(piece.RowStarts[r], static_cast<int32_t>(r * 8));
        EXPECT_EQ(piece.Indices[r * 8], (r + 1) * 4);
        EXPECT_EQ(piece.Indices[r * 8 + 1], r * 4);
        EXPECT_EQ(piece.Indices[r * 8 + 7], r * 4 + 3);
    }
    // The second piece of the 5 x 3 patch starts at control column 2 and is flat.
    const BspSubPatch& flat = level->Patches[1].SubPatches[1];
    EXPECT_FLOAT_EQ(flat.Control[0].Position.x, 20);
    EXPECT_EQ(flat.Steps[0], 1);
    EXPECT_EQ(flat.Steps[1], 1);
    ASSERT_EQ(flat.Vertices.size(), 4u);
    EXPECT_FLOAT_EQ(flat.Vertices[2].Position.x, 40);
}

}  // namespace
}  // namespace korvath::test
