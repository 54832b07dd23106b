// MD2 files from the test writer, hostile ones refused with the failure lines or clamped.
#include <climits>
#include <functional>

#include "models/Md2File.h"
#include "models/ModelTestSupport.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;
using Spoil = std::function<void(Md2File&, std::vector<uint8_t>&)>;

class Md2LoadTest : public LoggedEngineTest {
protected:
    bool Load(MD2& model, const std::vector<uint8_t>& bytes, const std::string& name = "model.md2") {
        model.Load(WriteModel(name, bytes));
        return model.Loaded();
    }
    // Spoils the file, first as records (bytes empty), then as bytes, and
    // expects the failure lines.
    void ExpectRefused(const Spoil& spoil, const std::string& what) {
        Md2File file = QuadModel(QuadFrames("stand", 3));
        std::vector<uint8_t> bytes;
        spoil(file, bytes);
        bytes = file.Bytes();
        spoil(file, bytes);
        MD2 model;
        EXPECT_FALSE(Load(model, bytes)) << what;
        EXPECT_TRUE(EndsWithFailure("MD2: Loading Failed...")) << what;
    }
};

TEST_F(Md2LoadTest, SuccessfulLoadReportsEachStepAndTurnsTheModel) {
    MD2 model;
    std::vector<uint8_t> bytes = QuadModel(QuadFrames("stand", 2)).Bytes();
    bytes[0] = 'X';  // the identification is not checked
    ASSERT_TRUE(Load(model, bytes, "quad.md2"));
    EXPECT_EQ(NewLogLines(), (Lines{"MD2: Loading quad.md2", "MD2: Loading 4 Vertices...", "MD2: Loading 2 Faces...",
                                    "MD2: Loaded Successfully", ""}));
    EXPECT_TRUE(FloatsEq({model.Rotation().y, model.Scale().z}, {-90, 1}));
    ASSERT_TRUE(Load(model, bytes, "quad.md2"));
    EXPECT_FLOAT_EQ(model.Rotation().y, 0);  // turned again: -(-90 + 90)
}

TEST_F(Md2LoadTest, FramesGroupIntoAnimationsByTheirNames) {
    std::vector<Md2FileFrame> frames = QuadFrames("stand", 40);
    for (const Md2FileFrame& f : QuadFrames("run", 6)) frames.push_back(f);
    frames.push_back(QuadFrames("pain0", 4).back());  // pain04
    frames.push_back(frames.back());
    frames.back().Name = "painend";  // no digit: still pain
    MD2 model;
    ASSERT_TRUE(Load(model, QuadModel(frames).Bytes()));
    EXPECT_EQ(Rows(model.Animations()), (std::vector<AnimationRow>{{"stand", 0, 39}, {"run", 40, 45}, {"pain", 46, 47}}));
    EXPECT_EQ(model.Animation(), 2);  // the file's last
    const Lines lines = NewLogLines();
    for (const auto& [name, times] : {std::pair{"run", 1}, {"pain", 1}, {"stand", 0}})
        EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("MD2: Loading Animation ") + name), times);
    for (const auto& [name, index] : {std::pair{"RUN", 1}, {"Pain", 2}, {"walk", 0}}) {
        model.SetAnimation(name);
        EXPECT_EQ(model.Animation(), index) << name;
    }
}

TEST_F(Md2LoadTest, DecodesIntoEngineAxes) {
    Md2File file = QuadModel(QuadFrames("a", 1));
    file.Frames[0] = {"a1", {0.5f, 2, 4}, {1, 2, 3}, {{0, 0, 0, 5}, {1, 0, 0, 5}, {10, 20, 30, 161}, {0, 0, 0, 200}}};
    Md2Model model;
    ASSERT_EQ(ReadMd2(file.Bytes(), model), Md2Result::Loaded);
    const KeyframeMesh& mesh = model.Mesh;
    const VECTOR3 p = FramePosition(mesh, 0, 2);  // (-(X sx + tx), Z sz + tz, Y sy + ty)
    EXPECT_TRUE(FloatsEq({p.x, p.y, p.z}, {-6, 123, 42}));
    // Normals turn the same way: entry 161 is (-0.688191, -0.587785, -0.425325);
    // past the table is entry 0. Coordinates are (s / width, 1 - t / height).
    EXPECT_TRUE(FloatsEq({FrameNormal(mesh, 0, 2).x, FrameNormal(mesh, 0, 2).y, FrameNormal(mesh, 0, 3).x,
                          mesh.TexCoords[0].y, mesh.TexCoords[2].x},
                         {0.688191f, -0.425325f, 0.525731f, 1, 255.0f / 256}));
}

TEST_F(Md2LoadTest, WrongVersionChangesNothing) {
    MD2 model;
    Md2File file = QuadModel(QuadFrames("a", 1));
    file.Version = 7;
    EXPECT_FALSE(Load(model, file.Bytes(), "old.md2"));
    EXPECT_EQ(NewLogLines(),
              (Lines{"MD2: Loading old.md2", "MD2: Invalid Quake 2 Model!", "MD2: Loading Failed...", ""}));
    EXPECT_FLOAT_EQ(model.Rotation().y, 0);
}

TEST_F(Md2LoadTest, HostileFilesAreRefused) {
    for (size_t size : {0, 40, 67, 70, 90, 275})  // the whole file is 276 bytes
        ExpectRefused([size](Md2File&, std::vector<uint8_t>& b) { b.resize(std::min(b.size(), size)); },
                      "truncated at " + std::to_string(size));
    const std::pair<Md2Field, int32_t> fields[] = {
        {kMd2TexCoordCount, 1000}, {kMd2TexCoordCount, -1},     {kMd2TexCoordOffset, -4},
        {kMd2TexCoordOffset, INT_MAX}, {kMd2TriangleCount, INT_MIN}, {kMd2TriangleOffset, 100000},
        {kMd2FrameCount, 4},       {kMd2FrameCount, -2},        {kMd2FrameOffset, INT_MAX},
        {kMd2VertexCount, 1 << 30}, {kMd2VertexCount, -4},      {kMd2FrameSize, 40},
        {kMd2FrameSize, -56},      {kMd2FrameSize, INT_MAX},
    };
    for (const auto& change : fields)
        ExpectRefused([change](Md2File&, std::vector<uint8_t>& b) {
            if (!b.empty()) SetMd2Header(b, change.first, change.second);
        }, "field " + std::to_string(change.first) + " = " + std::to_string(change.second));
    for (int16_t index : {4, -1, 32767})
        ExpectRefused([=](Md2File& f, std::vector<uint8_t>&) { f.Triangles[1][2] = index; },
                      "vertex index " + std::to_string(index));
    ExpectRefused([](Md2File& f, std::vector<uint8_t>&) { f.Frames.clear(); }, "triangles without frames");
}

TEST_F(Md2LoadTest, TextureCoordinatesOutsideTheTableAreClamped) {
    Md2File file = QuadModel(QuadFrames("stand", 2));
    file.Triangles[0][3] = 99;  // entry 3: (0, 255)
    file.Triangles[1][4] = -5;  // entry 0: (0, 0)
    Md2Model read;
    ASSERT_EQ(ReadMd2(file.Bytes(), read), Md2Result::Loaded);
    const ModelArrays& arrays = read.Mesh.Arrays;
    EXPECT_TRUE(FloatsEq({arrays.Vertices[arrays.Indices[0]].TexCoord.y, arrays.Vertices[arrays.Indices[4]].TexCoord.y},
                         {1 - 255.0f / 256, 1}));
    file.TexCoords.clear();  // every coordinate is then (0, 0)
    MD2 model;
    EXPECT_TRUE(Load(model, file.Bytes()));
    model.Render();
}

TEST_F(Md2LoadTest, FailedReloadKeepsTheModel) {
    MD2 model;
    ASSERT_TRUE(Load(model, QuadModel(QuadFrames("stand", 3)).Bytes()));
    std::vector<uint8_t> bad = QuadModel(QuadFrames("run", 3)).Bytes();
    SetMd2Header(bad, kMd2FrameCount, 50);
    EXPECT_TRUE(Load(model, bad, "bad.md2"));
    ASSERT_EQ(model.Animations().size(), 1u);
    EXPECT_EQ(model.Animations()[0].Name, "stand");
}

TEST_F(Md2LoadTest, UnloadEmptiesTheModelAndKeepsThePlacement) {
    MD2 model;
    model.SetAnimation("stand");
    EXPECT_EQ(NewLogLines(), (Lines{"MD2: * Cannot Set Animation, Model Not Loaded."}));
    ASSERT_TRUE(Load(model, QuadModel(QuadFrames("stand", 3)).Bytes()));
    model.SetPosition(1, 2, 3);
    const size_t before = NewLogLines().size();
    model.UnLoad();
    model.UnLoad();
    EXPECT_FALSE(model.Loaded() || !model.Animations().empty());
    EXPECT_EQ(model.Animation(), -1);
    EXPECT_FLOAT_EQ(model.Position().z, 3);
    const Lines lines = NewLogLines();
    ASSERT_EQ(lines.size(), before + 1);  // once, and the empty report after it is not logged
    EXPECT_EQ(lines.back(), "MD2: Unloaded");
}

}  // namespace
}  // namespace korvath::test
