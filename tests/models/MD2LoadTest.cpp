// MD2 files written by the test writer: the log of a load, animations grouped
// by frame names, decoding into the engine's axes, and hostile files, each
// refused with the failure lines or clamped where the model still makes sense.
#include <climits>
#include <functional>

#include "models/Md2File.h"
#include "models/ModelTestSupport.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

class Md2LoadTest : public LoggedEngineTest {
protected:
    bool Load(MD2& model, const std::vector<uint8_t>& bytes, const std::string& name = "model.md2") {
        model.Load(WriteModel(name, bytes));
        return model.Loaded();
    }
    void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& what) {
        MD2 model;
        EXPECT_FALSE(Load(model, bytes)) << what;
        const Lines lines = NewLogLines();
        ASSERT_GE(lines.size(), 2u) << what;
        EXPECT_EQ(lines[lines.size() - 2], "MD2: Loading Failed...") << what;
        EXPECT_EQ(lines.back(), "") << what;
        model.Render();  // draws nothing and touches nothing
    }
    void ExpectRefused(const std::function<void(std::vector<uint8_t>&)>& spoil, const std::string& what) {
        std::vector<uint8_t> bytes = QuadModel(QuadFrames("stand", 3)).Bytes();
        spoil(bytes);
        ExpectRefused(bytes, what);
    }
};

TEST_F(Md2LoadTest, SuccessfulLoadReportsEachStepAndTurnsTheModel) {
    MD2 model;
    Md2File file = QuadModel(QuadFrames("stand", 2));
    std::vector<uint8_t> bytes = file.Bytes();
    bytes[0] = 'X';  // the identification is not checked
    ASSERT_TRUE(Load(model, bytes, "quad.md2"));
    EXPECT_EQ(NewLogLines(), (Lines{"MD2: Loading quad.md2", "MD2: Loading 4 Vertices...", "MD2: Loading 2 Faces...",
                                    "MD2: Loaded Successfully", ""}));
    EXPECT_FLOAT_EQ(model.Rotation().y, -90);
    EXPECT_FLOAT_EQ(model.Rotation().x, 0);
    EXPECT_FLOAT_EQ(model.Scale().x, 1);
    EXPECT_FLOAT_EQ(model.Scale().z, 1);
    // A second load turns again: -(-90 + 90).
    ASSERT_TRUE(Load(model, bytes, "quad.md2"));
    EXPECT_FLOAT_EQ(model.Rotation().y, 0);
}

TEST_F(Md2LoadTest, FramesGroupIntoAnimationsByTheirNames) {
    std::vector<Md2FileFrame> frames = QuadFrames("stand", 40);
    for (Md2FileFrame& f : QuadFrames("run", 6)) frames.push_back(f);
    frames.push_back(QuadFrames("pain0", 4).back());  // pain04
    frames.push_back(QuadFrames("x", 1).back());
    frames.back().Name = "painend";  // no digit: still pain
    MD2 model;
    ASSERT_TRUE(Load(model, QuadModel(frames).Bytes()));
    const std::vector<MD2_ANIMATION> animations = model.Animations();
    ASSERT_EQ(animations.size(), 3u);
    const struct {
        const char* name;
        int32_t first, last;
    } expected[] = {{"stand", 0, 39}, {"run", 40, 45}, {"pain", 46, 47}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(animations[i].Name, expected[i].name);
        EXPECT_EQ(animations[i].FirstFrame, expected[i].first);
        EXPECT_EQ(animations[i].LastFrame, expected[i].last);
    }
    EXPECT_EQ(model.Animation(), 2);  // the file's last
    const Lines lines = NewLogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MD2: Loading Animation run"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MD2: Loading Animation pain"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MD2: Loading Animation stand"), 0);

    const struct {
        const char* name;
        int32_t index;
    } lookups[] = {{"RUN", 1}, {"Pain", 2}, {"walk", 0}, {"", 0}};
    for (const auto& l : lookups) {
        model.SetAnimation(l.name);
        EXPECT_EQ(model.Animation(), l.index) << l.name;
    }
}

TEST_F(Md2LoadTest, FramesWithoutDigitsMakeNoAnimation) {
    std::vector<Md2FileFrame> frames = QuadFrames("base", 2);
    frames[0].Name = "base";
    frames[1].Name = "other";
    MD2 model;
    ASSERT_TRUE(Load(model, QuadModel(frames).Bytes()));
    EXPECT_TRUE(model.Animations().empty());
    EXPECT_EQ(model.Animation(), -1);
}

TEST_F(Md2LoadTest, DecodesIntoEngineAxes) {
    Md2File file = QuadModel(QuadFrames("a", 1));
    file.Frames[0].Scale = {0.5f, 2, 4};
    file.Frames[0].Translate = {1, 2, 3};
    file.Frames[0].Vertices[2] = {10, 20, 30, 161};
    file.Frames[0].Vertices[3] = {0, 0, 0, 200};  // past the normal table
    Md2Model model;
    ASSERT_EQ(ReadMd2(file.Bytes(), model), Md2Result::Loaded);
    const KeyframeMesh& mesh = model.Mesh;
    // (-(X sx + tx), Z sz + tz, Y sy + ty)
    const VECTOR3 p = FramePosition(mesh, 0, 2);
    EXPECT_FLOAT_EQ(p.x, -6);
    EXPECT_FLOAT_EQ(p.y, 123);
    EXPECT_FLOAT_EQ(p.z, 42);
    // Normals turn the same way: entry 161 is (-0.688191, -0.587785, -0.425325).
    EXPECT_FLOAT_EQ(FrameNormal(mesh, 0, 2).x, 0.688191f);
    EXPECT_FLOAT_EQ(FrameNormal(mesh, 0, 2).y, -0.425325f);
    EXPECT_FLOAT_EQ(FrameNormal(mesh, 0, 2).z, -0.587785f);
    EXPECT_FLOAT_EQ(FrameNormal(mesh, 0, 3).x, 0.525731f);  // read as entry 0
    EXPECT_FLOAT_EQ(FrameNormal(mesh, 0, 0).y, 1);          // entry 5, (0, 0, 1)
    // (s / width, 1 - t / height)
    EXPECT_FLOAT_EQ(mesh.TexCoords[0].x, 0);
    EXPECT_FLOAT_EQ(mesh.TexCoords[0].y, 1);
    EXPECT_FLOAT_EQ(mesh.TexCoords[2].x, 255.0f / 256);
    EXPECT_FLOAT_EQ(mesh.TexCoords[2].y, 1 - 255.0f / 256);
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

TEST_F(Md2LoadTest, TruncatedFilesAreRefused) {
    const std::vector<uint8_t> whole = QuadModel(QuadFrames("stand", 3)).Bytes();
    for (size_t size : {size_t{0}, size_t{40}, size_t{67}, size_t{70}, size_t{90}, whole.size() - 1})
        ExpectRefused(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)),
                      "truncated at " + std::to_string(size));
}

TEST_F(Md2LoadTest, CountsAndOffsetsOutsideTheFileAreRefused) {
    const struct {
        Md2Field field;
        int32_t value;
    } spoilt[] = {
        {kMd2TexCoordCount, 1000},     {kMd2TexCoordCount, -1},     {kMd2TexCoordOffset, -4},
        {kMd2TexCoordOffset, INT_MAX}, {kMd2TriangleCount, 1000},   {kMd2TriangleCount, INT_MIN},
        {kMd2TriangleOffset, 100000},  {kMd2FrameCount, 4},         {kMd2FrameCount, -2},
        {kMd2FrameOffset, -1},         {kMd2FrameOffset, INT_MAX},  {kMd2VertexCount, 1 << 30},
        {kMd2VertexCount, -4},         {kMd2FrameSize, 40},         {kMd2FrameSize, -56},
        {kMd2FrameSize, INT_MAX},
    };
    for (const auto& s : spoilt)
        ExpectRefused([&](std::vector<uint8_t>& b) { SetMd2Header(b, s.field, s.value); },
                      "field " + std::to_string(s.field) + " = " + std::to_string(s.value));
}

TEST_F(Md2LoadTest, CornersOutsideTheFrameAreRefused) {
    for (int16_t index : {int16_t{4}, int16_t{-1}, int16_t{32767}}) {
        Md2File file = QuadModel(QuadFrames("stand", 2));
        file.Triangles[1].Vertex[2] = index;
        ExpectRefused(file.Bytes(), "vertex index " + std::to_string(index));
    }
    Md2File frameless = QuadModel({});
    ExpectRefused(frameless.Bytes(), "triangles without frames");
}

TEST_F(Md2LoadTest, TextureCoordinatesOutsideTheTableAreClamped) {
    Md2File file = QuadModel(QuadFrames("stand", 2));
    file.Triangles[0].TexCoord[0] = 99;
    file.Triangles[1].TexCoord[1] = -5;
    Md2Model read;
    ASSERT_EQ(ReadMd2(file.Bytes(), read), Md2Result::Loaded);
    const ModelArrays& arrays = read.Mesh.Arrays;
    EXPECT_FLOAT_EQ(arrays.Vertices[arrays.Indices[0]].TexCoord.x, 0);  // entry 3: (0, 255)
    EXPECT_FLOAT_EQ(arrays.Vertices[arrays.Indices[4]].TexCoord.y, 1);  // entry 0: (0, 0)
    file.TexCoords.clear();
    for (Md2FileTriangle& t : file.Triangles) t.TexCoord[0] = t.TexCoord[1] = t.TexCoord[2] = 0;
    MD2 model;
    EXPECT_TRUE(Load(model, file.Bytes()));
    model.Render();
}

TEST_F(Md2LoadTest, FailedReloadKeepsTheModelLoaded) {
    MD2 model;
    ASSERT_TRUE(Load(model, QuadModel(QuadFrames("stand", 3)).Bytes()));
    std::vector<uint8_t> bad = QuadModel(QuadFrames("run", 3)).Bytes();
    SetMd2Header(bad, kMd2FrameCount, 50);
    EXPECT_TRUE(Load(model, bad, "bad.md2"));
    ASSERT_EQ(model.Animations().size(), 1u);
    EXPECT_EQ(model.Animations()[0].Name, "stand");
    model.Render();
}

TEST_F(Md2LoadTest, UnloadEmptiesTheModelAndKeepsThePlacement) {
    MD2 model;
    model.SetAnimation("stand");
    EXPECT_EQ(NewLogLines(), (Lines{"MD2: * Cannot Set Animation, Model Not Loaded."}));
    ASSERT_TRUE(Load(model, QuadModel(QuadFrames("stand", 3)).Bytes()));
    model.SetPosition(1, 2, 3);
    const size_t before = NewLogLines().size();
    model.UnLoad();
    EXPECT_FALSE(model.Loaded());
    EXPECT_EQ(model.Animation(), -1);
    EXPECT_TRUE(model.Animations().empty());
    EXPECT_FLOAT_EQ(model.Position().z, 3);
    const Lines lines = NewLogLines();
    ASSERT_EQ(lines.size(), before + 1);  // the empty report after it is not logged
    EXPECT_EQ(lines.back(), "MD2: Unloaded");
    model.UnLoad();
    EXPECT_EQ(NewLogLines().size(), before + 1);
}

}  // namespace
}  // namespace korvath::test
