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
    const LoadedLevel level(LoadLevel("maps/ps9ctf.bsp").release());
    ASSERT_TRUE(level);
    EXPECT_EQ((std::vector<size_t>{level->Textures.size(), level->Materials.size(), level->Planes.size(),
                                   level->Nodes.size(), level->Leafs.size(), level->Faces.size(), level->Patches.size(),
                                   level->Vertices.size(), level->BasePositions.size(), level->MeshVertices.size(),
                                   level->Models.size(), level->Brushes.size(), level->BrushSides.size(),
                                   level->Effects.size(), level->Lightmaps.size(), level->LightVolumes.size(),
                                   level->PvsBits.size()}),
              (std::vector<size_t>{36, 36, 896, 1738, 1742, 1572, 124, 8384, 8384, 6741, 3, 445, 3126, 0, 13, 25641 * 8,
                                   810 * 104}));
    EXPECT_EQ((std::vector<int32_t>{level->ClusterCount, level->BytesPerCluster}), (std::vector<int32_t>{810, 104}));
    ASSERT_FALSE(level->Entities.empty());
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
}

}  // namespace
}  // namespace korvath::test
