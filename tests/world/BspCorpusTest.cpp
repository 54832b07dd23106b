// The real corpus level: every table sized from its lump, every texture resolved
// or reported.
#include "core/ConsoleState.h"
#include "core/Paths.h"
#include "world/LevelTestSupport.h"

namespace korvath::test {
namespace {

using BspCorpusTest = LevelTest;

TEST_F(BspCorpusTest, TablesMatchTheLumpsOfTheCorpusLevel) {
    EnginePath() = CorpusPath("q3/");
    ConsoleData().Visible = true;
    const std::unique_ptr<Level> level = LoadLevel("maps/ps9ctf.bsp");
    ASSERT_TRUE(level);
    EXPECT_EQ(level->Textures.size(), 36u);
    EXPECT_EQ(level->Materials.size(), 36u);
    EXPECT_EQ(level->Planes.size(), 896u);
    EXPECT_EQ(level->Nodes.size(), 1738u);
    EXPECT_EQ(level->Leafs.size(), 1742u);
    EXPECT_EQ(level->Faces.size(), 1572u);
    EXPECT_EQ(level->Patches.size(), 124u);
    EXPECT_EQ(level->Vertices.size(), 8384u);
    EXPECT_EQ(level->BasePositions.size(), 8384u);
    EXPECT_EQ(level->MeshVertices.size(), 6741u);
    EXPECT_EQ(level->Models.size(), 3u);
    EXPECT_EQ(level->Brushes.size(), 445u);
    EXPECT_EQ(level->BrushSides.size(), 3126u);
    EXPECT_TRUE(level->Effects.empty());
    EXPECT_EQ(level->Lightmaps.size(), 13u);
    EXPECT_EQ(level->LightVolumes.size(), 25641u * 8);
    EXPECT_EQ(level->ClusterCount, 810);
    EXPECT_EQ(level->BytesPerCluster, 104);
    EXPECT_EQ(level->PvsBits.size(), 810u * 104);
    EXPECT_FALSE(level->Entities.empty());
    EXPECT_EQ(level->Entities[0].ClassName, "worldspawn");

    // Each texture is a scripted material, or an image, or named on its own
    // loading line for the reader of the log to see.
    const std::vector<std::string> lines = NewLogLines();
    size_t images = 0;
    for (size_t i = 0; i < level->Textures.size(); ++i) {
        const SHADER& m = level->Materials[i];
        if (!m.Found && m.Stages[0].Textures[0] != 0) ++images;
        const std::string line = "BSP: Loading " + (m.Found ? m.Name : level->Textures[i].Name);
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_GE(images, 10u);  // the names without a script resolve to .jpg images
    ReleaseLevelResources(*level);
}

}  // namespace
}  // namespace korvath::test
