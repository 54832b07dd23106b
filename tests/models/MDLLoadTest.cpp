// MDL files from the test writer and the corpus, hostile ones refused with the failure lines.
#include <climits>
#include <functional>

#include "korvath/MDL.h"
#include "models/MdlFile.h"
#include "models/MdlWriter.h"
#include "models/ModelTestSupport.h"
#include "models/VertexNormals.h"
#include "platform/Files.h"
#include "platform/GL.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

// The RGB texels of level 0 of a texture.
std::vector<uint8_t> Texels(int32_t texture, int width, int height) {
    std::vector<uint8_t> texels(static_cast<size_t>(width * height * 3));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

// Palette entry i is (i, 255 - i, 7).
std::string WritePalette(size_t size = 768) {
    std::vector<uint8_t> palette(size);
    for (size_t i = 0; i < size; ++i) palette[i] = static_cast<uint8_t>(i % 3 == 0 ? i / 3 : i % 3 == 1 ? 255 - i / 3 : 7);
    return WriteModel("palette" + std::to_string(size) + ".lmp", palette);
}

class MdlLoadTest : public LoggedEngineTest {
protected:
    bool Load(MDL& model, const std::vector<uint8_t>& bytes, const std::string& name = "model.mdl") {
        model.Load(WriteModel(name, bytes));
        return model.Loaded();
    }
    void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& what) {
        MDL model;
        EXPECT_FALSE(Load(model, bytes)) << what;
        EXPECT_TRUE(EndsWithFailure("MDL: Loading Failed...")) << what;
    }
};

TEST_F(MdlLoadTest, SuccessfulLoadReportsEachStepAndTurnsTheModel) {
    std::vector<MdlFileFrameEntry> frames = SquareFrames("stand", 2);
    for (const MdlFileFrameEntry& f : SquareFrames("run", 2)) frames.push_back(f);
    MDL model;
    ASSERT_TRUE(Load(model, SquareModel(frames).Bytes(), "square.mdl"));
    EXPECT_EQ(NewLogLines(), (Lines{"MDL: Loading square.mdl", "MDL: Loading 2 Texture(s)...",
                                    "MDL: Loading 4 Vertices...", "MDL: Loading 2 Faces...",
                                    "MDL: Loading Animation run", "MDL: Loading 4 Frames...",
                                    "MDL: Loaded Successfully", ""}));
    EXPECT_TRUE(FloatsEq({model.Rotation().x, model.Rotation().z, model.Scale().y}, {270, 90, 1}));
    MdlFile skinless = SquareModel(frames);
    skinless.Skins.clear();
    ASSERT_TRUE(Load(model, skinless.Bytes(), "bare.mdl"));
    const Lines lines = NewLogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MDL: Loading 0 Texture(s)..."), 0);
    EXPECT_FLOAT_EQ(model.Rotation().x, 540);  // turned again on every load
}

TEST_F(MdlLoadTest, DecodesInTheFileAxes) {
    MdlFile file = SquareModel(SquareFrames("a", 1));
    file.Scale = {0.5f, 0.5f, 0.5f};
    file.Translate = {-10, -10, -10};
    file.Frames[0].Frames[0].Vertices[2] = {2, 4, 6, 161};
    MdlModel model;
    ASSERT_EQ(ReadMdl(file.Bytes(), model), MdlResult::Loaded);
    const VECTOR3 p = FramePosition(model.Mesh, 0, 2), n = FrameNormal(model.Mesh, 0, 2);
    EXPECT_TRUE(FloatsEq({p.x, p.y, p.z}, {-9, -8, -7}));
    EXPECT_TRUE(FloatsEq({n.x, n.z}, {kVertexNormals[161].x, kVertexNormals[161].z}));  // no axis change
}

TEST_F(MdlLoadTest, SeamVerticesShiftOnlyInBackFacingTriangles) {
    MdlModel model;
    ASSERT_EQ(ReadMdl(SquareModel(SquareFrames("a", 1)).Bytes(), model), MdlResult::Loaded);
    const ModelArrays& arrays = model.Mesh.Arrays;
    const auto corner = [&](size_t i) { return arrays.Vertices[arrays.Indices[i]].TexCoord; };
    // Triangle 0 (front) is 0, 1, 2; triangle 1 (back) is 0, 2, 1. Skin 4 × 2. Vertex 1
    // (s = 2) is on the seam: + 0.5 in the back triangle; vertex 2 is not; t is t / height.
    EXPECT_TRUE(FloatsEq({corner(1).x, corner(5).x, corner(5).y, corner(4).x, corner(4).y, corner(3).x},
                         {0.5f, 1, 0, 0.5f, 1, 0}));
}

TEST_F(MdlLoadTest, SkinAndFrameGroupsAreReadAsTheirMembers) {
    MdlFile file = SquareModel(SquareFrames("stand", 1));
    file.Skins.insert(file.Skins.begin(), {1, {{20, 21, 22, 23, 24, 25, 26, 27}, {30, 31, 32, 33, 34, 35, 36, 37}}});
    MdlFileFrameEntry group{2, {}};
    for (const MdlFileFrameEntry& f : SquareFrames("run", 3)) group.Frames.push_back(f.Frames[0]);
    file.Frames.push_back(group);
    file.Frames.push_back(SquareFrames("pain", 5).back());  // pain5, at x = 5
    MdlModel model;
    ASSERT_EQ(ReadMdl(file.Bytes(), model), MdlResult::Loaded);
    ASSERT_EQ(model.Skins.Pictures.size(), 3u);
    // The group's first picture comes first.
    EXPECT_EQ((std::vector<int>{model.Skins.Pictures[0][0], model.Skins.Pictures[2][7], model.Mesh.FrameCount}),
              (std::vector<int>{20, 15, 5}));
    EXPECT_EQ(Rows(model.Animations), (std::vector<AnimationRow>{{"stand", 0, 0}, {"run", 1, 3}, {"pain", 4, 4}}));
    // After the group, read in step.
    EXPECT_TRUE(FloatsEq({FramePosition(model.Mesh, 3, 0).x, FramePosition(model.Mesh, 4, 0).x}, {3, 5}));
}

TEST_F(MdlLoadTest, AnimationsAreFoundByNamesTrimmedOfBlanks) {
    std::vector<MdlFileFrameEntry> frames = SquareFrames("stand", 2);
    for (const char* name : {"run 1", "run 2", "kick"}) frames.push_back({0, {{name, frames[0].Frames[0].Vertices}}});
    MDL model;
    model.SetAnimation("run");
    EXPECT_EQ(NewLogLines(), (Lines{"MDL: * Cannot Set Animation, Model Not Loaded."}));
    ASSERT_TRUE(Load(model, SquareModel(frames).Bytes()));
    ASSERT_EQ(model.Animations().size(), 2u);
    EXPECT_EQ(model.Animations()[1].LastFrame, 4);  // "kick" holds no digit: still run
    for (const auto& [name, index] : {std::pair{"RUN", 1}, {"stand", 0}, {"walk", 0}}) {
        model.SetAnimation(name);
        EXPECT_EQ(model.Animation(), index) << name;
    }
}

TEST_F(MdlLoadTest, WrongIdentificationOrVersionChangesNothing) {
    for (const auto& [ident, version] : {std::pair{"IDP2", 6}, {"IDPO", 8}}) {
        MdlFile file = SquareModel(SquareFrames("a", 1));
        file.Ident = ident;
        file.Version = version;
        MDL model;
        EXPECT_FALSE(Load(model, file.Bytes(), "other.mdl"));
        const Lines lines = NewLogLines();
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"MDL: Loading other.mdl", "MDL: Invalid Quake Model!",
                                                               "MDL: Loading Failed...", ""}));
        EXPECT_FLOAT_EQ(model.Rotation().x, 0);
    }
}

TEST_F(MdlLoadTest, HostileFilesAreRefused) {
    const std::vector<uint8_t> good = SquareModel(SquareFrames("a", 2)).Bytes();
    for (size_t size : {size_t{0}, size_t{83}, size_t{90}, size_t{110}, size_t{150}, size_t{200}, good.size() - 1})
        ExpectRefused(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)),
                      "truncated at " + std::to_string(size));
    const std::pair<MdlField, int32_t> fields[] = {
        {kMdlSkinCount, 3},       {kMdlSkinCount, INT_MAX},    {kMdlSkinWidth, 0},          {kMdlSkinWidth, -4},
        {kMdlSkinHeight, INT_MAX}, {kMdlVertexCount, -1},      {kMdlVertexCount, 1 << 30},  {kMdlVertexCount, 40},
        {kMdlTriangleCount, 9},   {kMdlTriangleCount, INT_MIN}, {kMdlFrameCount, 3},        {kMdlFrameCount, INT_MAX},
    };
    for (const auto& [field, value] : fields) {
        std::vector<uint8_t> bytes = good;
        SetMdlHeader(bytes, field, value);
        ExpectRefused(bytes, "field " + std::to_string(field) + " = " + std::to_string(value));
    }
    const std::vector<std::pair<std::string, std::function<void(MdlFile&)>>> spoils = {
        {"vertex index past the table", [](MdlFile& f) { f.Triangles[1][3] = 4; }},
        {"negative vertex index", [](MdlFile& f) { f.Triangles[0][1] = -1; }},
        {"triangles without frames", [](MdlFile& f) { f.Frames.clear(); }},
        {"empty skin group", [](MdlFile& f) { f.Skins[0] = {1, {}}; }},
        {"empty frame group", [](MdlFile& f) { f.Frames[1] = {1, {}}; }},
    };
    for (const auto& [what, spoil] : spoils) {
        MdlFile file = SquareModel(SquareFrames("a", 2));
        spoil(file);
        ExpectRefused(file.Bytes(), what);
    }
}

TEST_F(MdlLoadTest, PaletteMakesTheLastSkinTheTextureUntilUnload) {
    MDL model;
    const std::string palette = WritePalette();
    model.SetPalette(palette);  // before Load: kept, no texture
    ASSERT_TRUE(Load(model, SquareModel(SquareFrames("a", 1)).Bytes()));
    EXPECT_EQ(model.Shader().Stages[0].Textures[0], 0);
    model.SetPalette(WritePalette(700));  // short: the palette held stays
    ASSERT_EQ(model.Shader().Stages.size(), 1u);
    std::vector<uint8_t> texels = Texels(model.Shader().Stages[0].Textures[0], 4, 2);
    for (uint8_t i = 0; i < 8; ++i)  // the second skin: indexes 8..15
        EXPECT_EQ(std::vector<int>(texels.begin() + i * 3, texels.begin() + i * 3 + 3),
                  (std::vector<int>{i + 8, 255 - (i + 8), 7})) << int{i};
    model.SetPalette("missing.lmp");
    EXPECT_EQ(Texels(model.Shader().Stages[0].Textures[0], 4, 2), texels);
    model.SetPosition(1, 2, 3);
    model.UnLoad();
    model.UnLoad();
    const Lines lines = NewLogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MDL: Unloaded"), 1);
    EXPECT_TRUE(model.Animations().empty());
    EXPECT_FLOAT_EQ(model.Position().z, 3);  // the placement stays
    ASSERT_TRUE(Load(model, SquareModel(SquareFrames("a", 1)).Bytes()));
    model.SetPalette("missing.lmp");  // the palette went with UnLoad: black skins
    texels = Texels(model.Shader().Stages[0].Textures[0], 4, 2);
    EXPECT_EQ(std::count(texels.begin(), texels.end(), 0), 24);
}

struct CorpusModel {
    const char* Name;
    int Skins, Vertices, Triangles, Frames;
    std::vector<MD2_ANIMATION> Animations;
};

TEST_F(MdlLoadTest, CorpusModelsLoadWithTheirAnimations) {
    const CorpusModel models[] = {
        {"dog", 1, 303, 367, 86, {{"frame", 0, 85}}},
        {"v_nail", 1, 320, 280, 9, {{"tube", 0, 1}, {"fire", 2, 4}, {"frame", 5, 8}}},
        {"h_ogre", 2, 43, 50, 1, {{"frame", 0, 0}}},
        {"flame2", 1, 91, 102, 14, {{"flame", 0, 6}, {"flameb", 7, 13}}},  // two groups of seven
    };
    for (const CorpusModel& expected : models) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(platform::ReadWholeFile(CorpusPath(std::string("mdl/progs/") + expected.Name + ".mdl"), bytes));
        MdlModel model;
        ASSERT_EQ(ReadMdl(bytes, model), MdlResult::Loaded) << expected.Name;
        EXPECT_EQ((std::vector<int>{static_cast<int>(model.Skins.Pictures.size()), model.Mesh.VertexCount,
                                    static_cast<int>(model.Mesh.Triangles.size()), model.Mesh.FrameCount}),
                  (std::vector<int>{expected.Skins, expected.Vertices, expected.Triangles, expected.Frames}))
            << expected.Name;
        EXPECT_EQ(Rows(model.Animations), Rows(expected.Animations)) << expected.Name;
    }
}

TEST_F(MdlLoadTest, CorpusSkinTexelsAreThePaletteColoursOfTheIndexes) {
    std::vector<uint8_t> bytes, palette;
    // A skin whose sides are powers of two, which the mipmaps keep unscaled.
    ASSERT_TRUE(platform::ReadWholeFile(CorpusPath("mdl/progs/dog.mdl"), bytes));
    ASSERT_TRUE(platform::ReadWholeFile(CorpusPath("mdl/gfx/palette.lmp"), palette));
    MDL model;
    model.Load(CorpusPath("mdl/progs/dog.mdl"));
    model.SetPalette(CorpusPath("mdl/gfx/palette.lmp"));
    ASSERT_EQ(model.Shader().Stages.size(), 1u);
    const int width = 256, height = 256;
    const size_t skin = 84 + 4;
    const std::vector<uint8_t> texels = Texels(model.Shader().Stages[0].Textures[0], width, height);
    int differing = 0;
    for (size_t i = 0; i < static_cast<size_t>(width * height); ++i)
        for (size_t c = 0; c < 3; ++c) differing += texels[i * 3 + c] != palette[bytes[skin + i] * 3u + c];
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace korvath::test
