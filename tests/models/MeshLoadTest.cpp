// The "Mesh Version 1.0" reader on written text, checked against its worked example.
#include "korvath/Mesh.h"
#include "models/MeshFile.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

// One part of the layout; a section whose head is empty is left out (of the
// vertices only their head line stays, holding no keyword).
std::string Part(int number, const std::string& shader, const std::string& triangles, const Lines& triangleLines,
                 const std::string& vertices, const Lines& vertexLines) {
    std::string text = "Mesh " + std::to_string(number) + "\n{\n" + shader + "\n\n";
    if (!triangles.empty()) {
        text += triangles + "\n\t{\n";
        for (const std::string& line : triangleLines) text += line + "\n";
        text += "\t}\n";
    }
    if (!vertices.empty()) {
        text += vertices + "\n\t{\n";
        for (const std::string& line : vertexLines) text += line + "\n";
    } else {
        text += "\n";  // the line looked at for "Vertices"
    }
    return text + "\t}\n}\n";
}

const Lines kTriangleVertices = {"\t\tv 1 0 0 0 0 0", "\t\tv 1 1 0 0 1 0", "\t\tv 1 0 1 0 0 0.25"};

std::string WorkedExample() {
    return "Mesh Version 1.0\nMeshes 1\n" +
           Part(1, "\tShader \"skin.tga\"", "\tTriangles 1", {"t 1 1 2 3"}, "\tVertices 3", kTriangleVertices);
}

class MeshLoadTest : public LoggedEngineTest {
protected:
    bool Load(Mesh& mesh, const std::string& text, const std::string& name = "model.mesh") {
        mesh.Load(WriteModel(name, std::vector<uint8_t>(text.begin(), text.end())));
        return mesh.Loaded();
    }
    static MeshFile Read(const std::string& text) {
        MeshFile file;
        EXPECT_EQ(ReadMeshText(text, file), MeshResult::Loaded);
        return file;
    }
    static int32_t VertexCount(const Mesh& mesh, int32_t part) {
        const Variant count = mesh.Vertices(part);
        return std::holds_alternative<int32_t>(count) ? std::get<int32_t>(count) : -1;
    }
};

TEST_F(MeshLoadTest, WorkedExampleStoresTheTriangleZeroBased) {
    Mesh mesh;
    ASSERT_TRUE(Load(mesh, WorkedExample(), "example.mesh"));
    // The part's progress line is shown, not logged.
    EXPECT_EQ(NewLogLines(), (Lines{"Mesh: Loading Mesh example.mesh", "Mesh: Loaded Successfully", ""}));
    const MeshFile file = Read(WorkedExample());
    ASSERT_EQ(file.Mesh.Parts.size(), 1u);
    EXPECT_EQ(file.Mesh.Parts[0].Triangles, (std::vector<std::array<int32_t, 3>>{{0, 1, 2}}));
    EXPECT_EQ(file.Mesh.MaterialNames, (Lines{"skin.tga"}));
    EXPECT_EQ(VertexCount(mesh, 0), 3);
    EXPECT_TRUE(FloatsEq({mesh.Vertex(0, 1).x, mesh.Texture(0, 2).y, mesh.Scale().x}, {1, -0.25f, 1}));  // v is stored negated
}

TEST_F(MeshLoadTest, CountsAreReadFromTheirCharacterPositions) {
    Lines many;
    for (int i = 0; i < 24; ++i) many.push_back("\t\tv 1 " + std::to_string(i) + " 0 0 0 0");
    // Without its tab, "Vertices 24" reads "4" from character 11; the other
    // lines are skipped as the part's closing lines and what follows them.
    const MeshFile untabbed = Read("Mesh Version 1.0\nMeshes 1\n" + Part(1, "", "", {}, "Vertices 24", many));
    EXPECT_EQ(untabbed.Mesh.Parts[0].Arrays.Vertices.size(), 4u);
    const MeshFile tabbed = Read("Mesh Version 1.0\n Meshes 1\n" + Part(1, "Shader \"a\"", "Triangles 1",
                                                                        {"t 1 1 2 3"}, "\tVertices 24", many));
    EXPECT_EQ(std::pair(tabbed.Mesh.Parts[0].Arrays.Vertices.size(), tabbed.Mesh.Parts[0].Triangles.size()),
              std::pair(size_t{24}, size_t{1}));
    EXPECT_EQ(tabbed.Mesh.MaterialNames, (Lines{"a"}));
}

TEST_F(MeshLoadTest, SectionsMayBeLeftOut) {
    const std::string text = "Mesh Version 1.0\nMeshes 2\n" +
                             Part(1, "{", "", {}, "\tVertices 4",
                                  {"\t\tv 1 0 0 0 0 0", "\t\tv 1 1 0 0 0 0", "\t\tv 1 1 1 0 0 0", "\t\tv 1 0 1 0 0 0"}) +
                             "\n" + Part(2, "\tShader \"b\"", "\tTriangles 0", {}, "", {});
    MeshFile file = Read(text);
    ASSERT_EQ(file.Mesh.Parts.size(), 1u);  // part 2 holds neither triangle nor vertex
    EXPECT_EQ(file.Mesh.PartCount, 1);
    EXPECT_EQ(file.Mesh.MaterialNames, (Lines{"", "b"}));
    ASSERT_EQ(file.Mesh.Materials.size(), 2u);
    EXPECT_EQ(file.Mesh.Materials[0].Stages.size(), 1u);  // drawn without a picture
    // Without triangles the part is one fan over its vertices in order.
    EXPECT_EQ(PartArrays(file.Mesh.Parts[0]).Indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    Mesh mesh;
    ASSERT_TRUE(Load(mesh, text));
    mesh.Render();
    EXPECT_EQ(mesh.Volume().size(), 1u);
}

TEST_F(MeshLoadTest, HostileTextIsRefusedAndLeavesTheMeshAsItWas) {
    const std::string head = "Mesh Version 1.0\nMeshes 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"vertex count past the end", head + Part(1, "", "", {}, "\tVertices 1000000000", kTriangleVertices)},
        {"triangle count past the end", head + Part(1, "", "\tTriangles 2147483647", {"t 1 1 2 3"}, "", {})},
        {"part count past the end", "Mesh Version 1.0\nMeshes 2000000000\n" +
                                        Part(1, "", "", {}, "\tVertices 3", kTriangleVertices)},
        {"a number that does not parse", head + Part(1, "", "", {}, "\tVertices 1", {"\t\tv 1 0 x 0 0 0"})},
        {"a vertex line short of numbers", head + Part(1, "", "", {}, "\tVertices 1", {"\t\tv 1 0 0 0 0"})},
        {"a triangle line short of numbers", head + Part(1, "", "\tTriangles 1", {"t 1 1 2"}, "", {})},
        {"a count that does not parse", head + Part(1, "", "\tTriangles many", {}, "", {})},
        {"a count beyond a Long", "Mesh Version 1.0\nMeshes 1e12\n" + Part(1, "", "", {}, "", {})},
        {"a file ending inside a part", head + "Mesh 1\n{\n"},
    };
    Mesh mesh;
    ASSERT_TRUE(Load(mesh, WorkedExample()));
    for (const auto& [what, text] : cases) {
        EXPECT_TRUE(Load(mesh, text)) << what;  // still the mesh loaded before
        EXPECT_TRUE(EndsWithFailure("Mesh: Loading Failed...")) << what;
        EXPECT_EQ(VertexCount(mesh, 0), 3) << what;
    }
    ASSERT_TRUE(Load(mesh, WorkedExample()));
    EXPECT_EQ(VertexCount(mesh, 0), 3);  // replaced, not added to
    mesh.UnLoad();
    mesh.UnLoad();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(mesh.Vertices(0)));
    Mesh fresh;
    EXPECT_FALSE(Load(fresh, "Mesh Version 1.1\n" + WorkedExample(), "old.mesh"));
    const Lines lines = NewLogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Mesh: Unloaded"), 1);
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"Mesh: Invalid Mesh !", "Mesh: Loading Failed...", ""}));
}

TEST_F(MeshLoadTest, TrianglesNamingMissingVerticesAreNotDrawn) {
    const MeshFile file = Read("Mesh Version 1.0\nMeshes 1\n" +
                               Part(1, "", "\tTriangles 3", {"t 1 1 2 3", "t 1 1 2 99", "t 1 -5 0 1"},
                                    "\tVertices 3", kTriangleVertices));
    MeshPart part = file.Mesh.Parts[0];
    EXPECT_EQ(part.Triangles.size(), 3u);
    EXPECT_EQ(PartArrays(part).Indices, (std::vector<uint32_t>{0, 1, 2}));
    Mesh mesh;
    mesh.SetTriangle(0, 1, 2, 3);  // before its vertices exist
    mesh.SetTriangle(0, INT32_MIN, 1, 2);
    mesh.SetVertex(0, 0, 0, 0);
    mesh.Render();
    EXPECT_FLOAT_EQ(mesh.Volume(0)[0].Max.x, 0);
}

TEST_F(MeshLoadTest, HostEditsFollowTheirDefaults) {
    Mesh mesh;
    EXPECT_FALSE(mesh.Loaded());
    mesh.SetVertex(0, 2, 5, -1);  // u 0 as x > 0; v -(-1)
    mesh.SetVertex(0, -2, 5, 1);  // u -1; v 0 as z > 0
    mesh.SetVertex(0, 0, 0, 0, 0.5f, 0.25f);
    EXPECT_TRUE(mesh.Loaded());
    EXPECT_TRUE(FloatsEq({mesh.Scale().y, mesh.Texture(0, 0).x, mesh.Texture(0, 0).y, mesh.Texture(0, 1).x, mesh.Texture(0, 1).y,
                          mesh.Texture(0, 2).x, mesh.Texture(0, 2).y},
                         {1, 0, 1, -1, 0, 0.5f, -0.25f}));
    mesh.Normal(0, 1, {0, 0, 1});
    mesh.Vertex(0, 1, {7, 8, 9});
    mesh.Normal(3, 0, {1, 1, 1});  // no such part: ignored
    // Normal 0 was never computed.
    EXPECT_TRUE(FloatsEq({mesh.Normal(0, 1).z, mesh.Normal(0).z, mesh.Vertex(0, 9).y}, {1, 0, 0}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(mesh.Vertices(1)));
    // The volume grows from every vertex of the part, not one per triangle.
    mesh.Render();
    const VOLUME volume = mesh.Volume(0)[0];
    EXPECT_TRUE(volume.Enabled && mesh.Volume(-2).empty() && mesh.Volume(1).empty());
    EXPECT_TRUE(FloatsEq({volume.Min.x, volume.Max.x}, {0, 7}));  // vertex 1 moved from -2 to 7
}

TEST_F(MeshLoadTest, MaterialsByIndexAndByName) {
    Mesh mesh;
    for (int32_t part = 0; part < 3; ++part) mesh.SetVertex(part, 0, 0, 0);
    SHADER a, b, c;
    a.Name = "a";
    b.Name = c.Name = "shared";
    b.Cull = 1;
    c.Cull = 2;
    mesh.SetShader(0, a);
    mesh.SetShader(1, b);
    mesh.SetShader(2, c);
    EXPECT_EQ(mesh.Shader("shared").Cull, 2);  // the last of two
    SHADER replaced = c;
    replaced.Cull = 3;
    mesh.Shader("shared", replaced);
    EXPECT_EQ(mesh.Shader("shared").Cull, 3);
    EXPECT_FALSE(mesh.Shader("none").Found);
    mesh.SetShader(0, a);  // drops materials 1 and 2
    EXPECT_EQ(mesh.Shader("shared").Cull, 0);
    mesh.Render();  // parts without a material draw nothing
}

TEST_F(MeshLoadTest, SavedMeshLoadsAgainIdentically) {
    Mesh built;
    const float vertices[][5] = {{0, 0, 0, 0.125f, 0.5f}, {1.5f, -2, 3.25f, 1, 0}, {-1e-3f, 7, 1.0f / 3, 0.7f, 2},
                                 {4, 4, 4, -1, -1}};
    for (const auto& v : vertices) built.SetVertex(0, v[0], v[1], v[2], v[3], v[4]);
    built.SetTriangle(0, 1, 2, 3);
    built.SetTriangle(0, 3, 4, 1);
    for (const auto& v : vertices) built.SetVertex(1, v[2], v[1], v[0]);  // a fan, no triangles
    SHADER named;
    named.Name = "textures/base/wall";
    built.SetShader(0, named);
    ASSERT_TRUE(built.Save("saved.mesh"));
    Mesh loaded;
    loaded.Load("saved.mesh");
    ASSERT_TRUE(loaded.Loaded());
    for (int32_t part = 0; part < 2; ++part) {
        ASSERT_EQ(VertexCount(loaded, part), 4);
        for (int32_t v = 0; v < 4; ++v) {
            const VECTOR3 p = built.Vertex(part, v), q = loaded.Vertex(part, v);
            const VECTOR2 s = built.Texture(part, v), t = loaded.Texture(part, v);
            EXPECT_EQ(std::tie(p.x, p.y, p.z, s.x, s.y), std::tie(q.x, q.y, q.z, t.x, t.y)) << part << " " << v;
        }
    }
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(platform::ReadWholeFile(ProcessDirectory() + "/saved.mesh", first));
    ASSERT_TRUE(loaded.Save("saved-again.mesh"));
    ASSERT_TRUE(platform::ReadWholeFile(ProcessDirectory() + "/saved-again.mesh", second));
    EXPECT_EQ(first, second);
    const MeshFile file = Read(std::string(first.begin(), first.end()));
    EXPECT_EQ(file.Mesh.Parts[0].Triangles, (std::vector<std::array<int32_t, 3>>{{0, 1, 2}, {2, 3, 0}}));
    EXPECT_EQ(file.Mesh.MaterialNames, (Lines{"textures/base/wall", ""}));
}

}  // namespace
}  // namespace korvath::test
