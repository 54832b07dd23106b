// Hostile and broken level files: each ends with the failure lines and no level,
// or loads with the bad value clamped where the level still makes sense.
#include <climits>
#include <functional>

#include "world/LevelTestSupport.h"

namespace korvath::test {
namespace {

class BspHostileTest : public LevelTest {
protected:
    void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& what) {
        EXPECT_FALSE(LoadLevel(WriteLevel("hostile.bsp", bytes))) << what;
        const std::vector<std::string> lines = NewLogLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "BSP: Loading Failed...") << what;
        EXPECT_EQ(lines.back(), "") << what;
    }
    void ExpectRefused(const std::function<void(BspBuilder&)>& spoil, const std::string& what) {
        BspBuilder file = SmallLevel();
        spoil(file);
        ExpectRefused(file.Bytes(), what);
    }
};

TEST_F(BspHostileTest, TruncatedFiles) {
    const std::vector<uint8_t> whole = SmallLevel().Bytes();
    const size_t pvsEnd = static_cast<size_t>(LumpOffset(whole, 16) + LumpLength(whole, 16));
    for (size_t size : {size_t{8}, size_t{100}, size_t{143}, size_t{144}, whole.size() / 2, pvsEnd - 1})
        ExpectRefused(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)),
                      "truncated at " + std::to_string(size));
}

TEST_F(BspHostileTest, LumpsOutsideTheFile) {
    const std::vector<uint8_t> whole = SmallLevel().Bytes();
    const int32_t size = static_cast<int32_t>(whole.size());
    const struct {
        int32_t offset, length;
    } spoilt[] = {{size, 4}, {-4, 8}, {0, -1}, {INT_MAX - 2, 100}, {8, INT_MAX}, {size - 2, 4}};
    for (int lump = 0; lump < 17; ++lump) {
        for (const auto& s : spoilt) {
            std::vector<uint8_t> bytes = whole;
            SetLump(bytes, lump, s.offset, s.length);
            ExpectRefused(bytes, "lump " + std::to_string(lump) + " at " + std::to_string(s.offset) + " length " +
                                     std::to_string(s.length));
        }
    }
}

TEST_F(BspHostileTest, FaceIndexesOutsideTheirTables) {
    ExpectRefused([](BspBuilder& f) { f.Faces[1].Texture = 2; }, "texture past the table");
    ExpectRefused([](BspBuilder& f) { f.Faces[0].Texture = -1; }, "negative texture");
    ExpectRefused([](BspBuilder& f) { f.Faces[1].FirstVertex = 5; }, "vertices past the table");
    ExpectRefused([](BspBuilder& f) { f.Faces[0].VertexCount = -1; }, "negative vertex count");
    ExpectRefused([](BspBuilder& f) { f.Faces[0].FirstVertex = INT_MAX; }, "vertex range that overflows");
    ExpectRefused([](BspBuilder& f) { f.Faces[0].FirstMeshVertex = 1; }, "mesh vertices past the table");
    ExpectRefused([](BspBuilder& f) { f.MeshVertices[2] = 4; }, "mesh vertex past the face's vertices");
    ExpectRefused([](BspBuilder& f) { f.MeshVertices[5] = -1; }, "negative mesh vertex");
    ExpectRefused([](BspBuilder& f) { f.MeshVertices.resize(900, 3); f.MeshVertices[600] = 4; f.Faces[0].MeshVertexCount = 900; },
                  "mesh vertex past the face's vertices inside a long range");
    ExpectRefused([](BspBuilder& f) { f.Faces[0].Type = kFacePatch; f.Faces[0].PatchSize[0] = f.Faces[0].PatchSize[1] = 3; },
                  "patch with more control points than vertices");
    ExpectRefused([](BspBuilder& f) { f.Faces[0].Type = kFacePatch; f.Faces[0].PatchSize[0] = -3, f.Faces[0].PatchSize[1] = -1; },
                  "patch of negative size");
}

TEST_F(BspHostileTest, TreeAndLeafIndexesOutsideTheirTables) {
    ExpectRefused([](BspBuilder& f) { f.Nodes[0].Plane = 1; }, "node plane");
    ExpectRefused([](BspBuilder& f) { f.Nodes[0].Front = -3; }, "leaf child past the leaves");
    ExpectRefused([](BspBuilder& f) { f.Nodes[0].Front = 1; }, "node child past the nodes");
    ExpectRefused([](BspBuilder& f) { f.Nodes[0].Back = 0; }, "node that holds itself");
    ExpectRefused([](BspBuilder& f) { f.Nodes.resize(2, f.Nodes[0]); f.Nodes[0].Front = f.Nodes[0].Back = 1; },
                  "node with two parents");
    ExpectRefused([](BspBuilder& f) { f.Leafs[0].LeafFaceCount = 3; }, "leaf faces past the table");
    ExpectRefused([](BspBuilder& f) { f.Leafs[1].FirstLeafFace = -1; }, "negative first leaf face");
    ExpectRefused([](BspBuilder& f) { f.LeafFaces[1] = 2; }, "leaf face past the faces");
    ExpectRefused([](BspBuilder& f) { f.Leafs[0].FirstLeafBrush = 1; }, "leaf brushes past the table");
    ExpectRefused([](BspBuilder& f) { f.LeafBrushes[0] = 1; }, "leaf brush past the brushes");
    ExpectRefused([](BspBuilder& f) { f.Brushes[0].SideCount = 2; }, "brush sides past the table");
    ExpectRefused([](BspBuilder& f) { f.Brushes[0].Texture = 9; }, "brush texture");
    ExpectRefused([](BspBuilder& f) { f.BrushSides[0].Plane = -2; }, "brush side plane");
    ExpectRefused([](BspBuilder& f) { f.Leafs.clear(); f.Nodes.clear(); }, "no leaves at all");
}

TEST_F(BspHostileTest, TreesDeeperThanAnyCompilerWrites) {
    ExpectRefused(
        [](BspBuilder& f) {
            BspNode node = f.Nodes[0];
            f.Nodes.clear();
            for (int32_t n = 0; n <= kMaxTreeDepth + 1; ++n) {
                node.Front = n <= kMaxTreeDepth ? n + 1 : -1;
                f.Nodes.push_back(node);
            }
        },
        "a chain of nodes");
}

TEST_F(BspHostileTest, PvsSmallerThanItsClusters) {
    ExpectRefused([](BspBuilder& f) { f.PvsBits.pop_back(); }, "bits shorter than clusters x bytes");
    ExpectRefused([](BspBuilder& f) { f.ClusterCount = 9; f.PvsBits.resize(9); }, "rows too short for the clusters");
    ExpectRefused([](BspBuilder& f) { f.BytesPerCluster = INT_MAX; }, "rows that overflow");
    std::vector<uint8_t> bytes = SmallLevel().Bytes();
    SetLump(bytes, 16, LumpOffset(bytes, 16), 4);
    ExpectRefused(bytes, "PVS lump shorter than its header");
}

TEST_F(BspHostileTest, ClampsLightmapsAndClustersThatDoNotExist) {
    BspBuilder file = SmallLevel();
    file.Faces[0].LightmapIndex = 1;
    file.Faces[1].LightmapIndex = -7;
    file.Leafs[0].Cluster = 2;
    file.Leafs[1].Cluster = -5;
    const LoadedLevel level = LoadWritten("clamped.bsp", file);
    ASSERT_TRUE(level);
    EXPECT_EQ((std::vector<int32_t>{level->Faces[0].LightmapIndex, level->Faces[1].LightmapIndex, level->Leafs[0].Cluster,
                                    level->Leafs[1].Cluster}),
              std::vector<int32_t>(4, -1));
}

}  // namespace
}  // namespace korvath::test
