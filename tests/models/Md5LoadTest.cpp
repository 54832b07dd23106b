// MD5 text from the test writer and the corpus, other exporters' whitespace and hostile files.
#include <algorithm>
#include <cmath>
#include <functional>

#include "korvath/MD5.h"
#include "models/Md5AnimFile.h"
#include "models/Md5CameraFile.h"
#include "models/Md5MeshFile.h"
#include "models/Md5Writer.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

std::string WriteText(const std::string& name, const std::string& text) {
    return WriteModel(name, {text.begin(), text.end()});
}

std::string CorpusText(const std::string& relative) {
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(CorpusPath(relative), bytes);
    return {bytes.begin(), bytes.end()};
}

class Md5LoadTest : public LoggedEngineTest {};

TEST_F(Md5LoadTest, SuccessfulLoadReportsEachStepAndTurnsTheModel) {
    MD5 model;
    model.Load(WriteText("chain.md5mesh", ChainMesh().Text()));
    ASSERT_TRUE(model.Loaded());
    EXPECT_EQ(NewLogLines(), (Lines{"MD5: Loading Mesh chain.md5mesh", "MD5: Loading 2 Joints...",
                                    "MD5: Loading 1 Meshes...", "MD5: Texture chain Loaded.",
                                    "MD5: Mesh Loaded Successfully", ""}));
    EXPECT_TRUE(FloatsEq({model.Rotation().x, model.Rotation().z, model.Scale().y}, {270, 90, 1}));
    model.Load(WriteText("chain.md5mesh", ChainMesh().Text()));
    EXPECT_FLOAT_EQ(model.Rotation().x, 540);  // turned on every load
    ASSERT_EQ(model.Joints(), 2);
    const JOINT root = model.Joint(0), tip = model.Joint(1);
    EXPECT_EQ(root.Children, std::vector<int32_t>{1});
    EXPECT_EQ((Lines{root.Name, model.Joint(2).Name, model.Shader("chain").Name}), (Lines{"root", "", "chain"}));
    EXPECT_EQ((std::vector<int32_t>{tip.Parent, tip.Index}), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ((std::vector<size_t>{model.Shader("none").Stages.size(), model.Volume().size(), model.Volume(-2).size()}),
              (std::vector<size_t>{0, 1, 0}));
    model.UnLoad();
    EXPECT_EQ(NewLogLines().back(), "MD5: Unloaded");
    EXPECT_EQ(model.Joints(), 0);
}

TEST_F(Md5LoadTest, LinesTakeWhatTheFormatPutsInThem) {
    Md5MeshText text = ChainMesh();
    text.Joints[0] = {"origin", -1, {0, 0, 0}, {-0.5f, -0.5f, -0.5f}};
    text.Joints[1].Orientation = {0.6f, 0.6f, 0.6f};  // longer than 1: w is 0
    text.Meshes[0].Vertices[0] = {0.25f, 0.75f, 0, 2};
    text.Meshes[0].Shader = "  models/chain skin ";
    Md5MeshFile file;
    ASSERT_EQ(ReadMd5Mesh(text.Text(), file), Md5MeshResult::Loaded);
    const VECTOR4 q = file.Joints[0].Orientation;
    const Md5Vertex& vertex = file.Meshes[0].Vertices[0];
    const Md5Weight& weight = file.Meshes[0].Weights[1];
    EXPECT_TRUE(FloatsEq({q.w, q.x, file.Joints[1].Orientation.w, vertex.TexCoord.x, vertex.TexCoord.y, weight.Bias},
                         {-0.5f, -0.5f, 0, 0.25f, -0.75f, 0.75f}));
    EXPECT_EQ((std::vector<int32_t>{file.Joints[0].Parent, vertex.FirstWeight, vertex.WeightCount, weight.Joint}),
              (std::vector<int32_t>{-1, 0, 2, 1}));
    EXPECT_EQ(file.Meshes[0].MaterialName, "models/chain skin");
    EXPECT_EQ(Xyz(weight.Position), Xyz({0, 0, 2}));
    EXPECT_EQ(file.Meshes[0].Arrays.Indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    // Coordinates keep 7 decimals.
    text.Joints[0].Position = {0.123456789f, 0, 0};
    ASSERT_EQ(ReadMd5Mesh(text.Text(), file), Md5MeshResult::Loaded);
    EXPECT_EQ(file.Joints[0].Position.x, 0.1234568f);
}

// Tabs, runs of blanks, CR LF and indented keywords read as the plain layout.
TEST_F(Md5LoadTest, OtherWhitespaceReadsIdentically) {
    const Md5MeshText mesh = ChainMesh();
    Md5MeshFile plain, spaced;
    ASSERT_EQ(ReadMd5Mesh(mesh.Text(), plain), Md5MeshResult::Loaded);
    ASSERT_EQ(ReadMd5Mesh(Respaced(mesh.Text()), spaced), Md5MeshResult::Loaded);
    ASSERT_EQ(plain.Joints.size(), spaced.Joints.size());
    for (size_t j = 0; j < plain.Joints.size(); ++j) {
        EXPECT_EQ(plain.Joints[j].Name, spaced.Joints[j].Name);
        EXPECT_EQ(Xyz(plain.Joints[j].Position), Xyz(spaced.Joints[j].Position));
        EXPECT_EQ(plain.Joints[j].Orientation.w, spaced.Joints[j].Orientation.w);
    }
    const Md5Mesh &a = plain.Meshes.at(0), &b = spaced.Meshes.at(0);
    EXPECT_EQ(a.MaterialName, b.MaterialName);
    EXPECT_EQ(a.Arrays.Indices, b.Arrays.Indices);
    ASSERT_EQ(a.Vertices.size(), b.Vertices.size());
    for (size_t v = 0; v < a.Vertices.size(); ++v) EXPECT_EQ(a.Vertices[v].TexCoord.y, b.Vertices[v].TexCoord.y);
    ASSERT_EQ(a.Weights.size(), b.Weights.size());
    for (size_t w = 0; w < a.Weights.size(); ++w) EXPECT_EQ(Xyz(a.Weights[w].Position), Xyz(b.Weights[w].Position));

    Md5AnimText anim = ChainAnimation();
    anim.Components = 3;
    for (std::vector<float>& values : anim.Frames) values = {1.5f, -2, 3e-3f};
    Md5AnimFile animPlain, animSpaced, animLeading;
    ASSERT_EQ(ReadMd5Anim(anim.Text(), animPlain), Md5AnimResult::Loaded);
    ASSERT_EQ(ReadMd5Anim(Respaced(anim.Text()), animSpaced), Md5AnimResult::Loaded);
    ASSERT_EQ(ReadMd5Anim(anim.Text(true), animLeading), Md5AnimResult::Loaded);
    std::vector<float> expected;
    for (int f = 0; f < 10; ++f) expected.insert(expected.end(), {1.5f, -2, 0.003f});
    for (const Md5AnimFile* read : {&animPlain, &animSpaced, &animLeading}) EXPECT_EQ(read->Values, expected);
    EXPECT_EQ(std::pair(animSpaced.FrameRate, animSpaced.Hierarchy.at(1).Flags), std::pair(24, 1));
    EXPECT_EQ(Xyz(animSpaced.BaseFrame.at(0).Position), Xyz({1, 2, 3}));

    Md5CameraText camera;
    camera.Cuts = {1};
    camera.Frames = {{1, 2, 3, 0, 0, 0, 90}, {4, 5, 6, 0.5f, 0, 0, 75}};
    Md5CameraFile cameraPlain, cameraSpaced;
    ASSERT_EQ(ReadMd5Camera(camera.Text(), cameraPlain), Md5CameraResult::Loaded);
    ASSERT_EQ(ReadMd5Camera(Respaced(camera.Text()), cameraSpaced), Md5CameraResult::Loaded);
    ASSERT_EQ(cameraSpaced.Frames.size(), 2u);
    EXPECT_EQ(cameraSpaced.Frames[1].FieldOfView, 75);
    EXPECT_EQ(Xyz(cameraSpaced.Frames[1].Position), Xyz(cameraPlain.Frames[1].Position));
}

// A frame line without the trailing blank still gives all its values; the
// values of a frame may run over several lines.
TEST_F(Md5LoadTest, FrameValuesRunOverLinesUpToTheComponentCount) {
    const std::string text = "MD5Version 10\nnumFrames 2\nnumAnimatedComponents 4\n"
                             "frame 1 {\n\t1 2 3\n\t4\n}\nframe 0 {\n\t5 6 7 8 9\n}\nframe 7 {\n\t1\n}\n";
    Md5AnimFile file;
    ASSERT_EQ(ReadMd5Anim(text, file), Md5AnimResult::Loaded);
    ASSERT_EQ(file.Frames.size(), 2u);
    // The fifth value of frame 0 is past the count.
    EXPECT_EQ((std::vector<float>{float(file.Frames[1].Count), file.Values[file.Frames[1].First + 3],
                                  float(file.Frames[0].Count), file.Values[file.Frames[0].First]}),
              (std::vector<float>{4, 4, 4, 5}));
}

// A count line whose keyword is missing leaves its section unread.
TEST_F(Md5LoadTest, CountLineWithoutKeywordLeavesItsSectionUnread) {
    std::string text = ChainMesh().Text();
    text.replace(text.find("numtris 2"), 9, "2");
    Md5MeshFile file;
    ASSERT_EQ(ReadMd5Mesh(text, file), Md5MeshResult::Loaded);
    EXPECT_EQ(std::pair(file.Meshes.at(0).Arrays.Indices.size(), file.Meshes[0].Vertices.size()), std::pair(size_t{0}, size_t{4}));
}

struct Hostile {
    const char* what;
    std::function<void(std::string&)> spoil;
};

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

TEST_F(Md5LoadTest, HostileMeshesEndWithTheFailureLines) {
    const Hostile cases[] = {
        {"missing first line", [](std::string& t) { t.erase(0, t.find('\n') + 1); }},
        {"more vertices than lines", [](std::string& t) { Replace(t, "numverts 4", "numverts 5"); }},
        {"more joints than lines", [](std::string& t) { Replace(t, "numJoints 2", "numJoints 3"); }},
        {"absurd joint count", [](std::string& t) { Replace(t, "numJoints 2", "numJoints 2147483647"); }},
        {"count past 32 bits", [](std::string& t) { Replace(t, "numweights 8", "numweights 99999999999"); }},
        {"negative count", [](std::string& t) { Replace(t, "numtris 2", "numtris -2"); }},
        {"vertex outside", [](std::string& t) { Replace(t, "tri 1 0 2 3", "tri 1 0 2 4"); }},
        {"negative vertex", [](std::string& t) { Replace(t, "tri 1 0 2 3", "tri 1 0 -1 3"); }},
        {"weight outside", [](std::string& t) { Replace(t, "vert 3 ( 1 0.75 ) 6 2", "vert 3 ( 1 0.75 ) 7 2"); }},
        {"joint outside", [](std::string& t) { Replace(t, "weight 7 1", "weight 7 2"); }},
        {"parent outside", [](std::string& t) { Replace(t, "\t0 ( 10", "\t2 ( 10"); }},
        {"not a number", [](std::string& t) { Replace(t, "( 1 2 3 )", "( 1 two 3 )"); }},
        {"short vertex", [](std::string& t) { Replace(t, "vert 3 ( 1 0.75 ) 6 2", "vert 3 ( 1 0.75 ) 6"); }},
        {"fraction as index", [](std::string& t) { Replace(t, "tri 1 0 2 3", "tri 1 0 2.5 3"); }},
    };
    for (const Hostile& c : cases) {
        std::string text = ChainMesh().Text();
        c.spoil(text);
        MD5 model;
        const size_t mark = NewLogLines().size();
        model.Load(WriteText("hostile.md5mesh", text));
        EXPECT_FALSE(model.Loaded()) << c.what;
        const Lines all = NewLogLines(), lines(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
        ASSERT_GE(lines.size(), 2u) << c.what;
        EXPECT_EQ(lines[lines.size() - 2], "MD5: Loading Failed...") << c.what;
        EXPECT_EQ(lines.back(), "") << c.what;
        const bool invalid = std::find(lines.begin(), lines.end(), "MD5: Invalid MD5 Mesh !") != lines.end();
        EXPECT_EQ(invalid, std::string(c.what) == "missing first line") << c.what;
    }
    MD5 model;
    model.Load(ProcessDirectory() + "/no such file.md5mesh");
    EXPECT_FALSE(model.Loaded());
    EXPECT_EQ(NewLogLines().back(), "");
}

TEST_F(Md5LoadTest, AnimationsNeedAMeshAndAFirstLine) {
    MD5 model;
    const std::string anim = WriteText("walk.md5anim", ChainAnimation().Text());
    model.LoadAnimation(anim);
    EXPECT_EQ(NewLogLines(), (Lines{"MD5: You must successfully load a mesh before loading an animation.",
                                    "MD5: Animation Loading Failed...", ""}));
    model.Load(WriteText("chain.md5mesh", ChainMesh().Text()));
    std::string text = ChainAnimation().Text();
    text.erase(0, text.find('\n') + 1);
    model.LoadAnimation(WriteText("bad.md5anim", text));
    const Lines lines = NewLogLines();
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"MD5: Loading Animation bad.md5anim",
                                                          " * Not A Valid MD5 Animation !",
                                                          "MD5: Animation Loading Failed...", ""}));
    model.LoadAnimation(anim);
    EXPECT_EQ(NewLogLines().back(), "");
    EXPECT_EQ(model.Animations(), (std::vector<std::string>{"", "walk"}));
    EXPECT_EQ(model.Animation(), 1);
}

// Faults LoadAnimation passes over: the joints keep their base values where
// the frame has nothing for them. Absurd frame counts fail the load.
TEST_F(Md5LoadTest, HostileAnimationsArePassedOverOrRefused) {
    const Hostile cases[] = {
        {"start index beyond the components", [](std::string& t) { Replace(t, "\t0 1 0", "\t0 1 99"); }},
        {"too few values", [](std::string& t) { Replace(t, "\t13 \n", "\t\n"); }},
        {"not a number", [](std::string& t) { Replace(t, "\t13 \n", "\tthirteen \n"); }},
        {"parent outside", [](std::string& t) { Replace(t, "\t0 1 0", "\t77 1 0"); }},
        {"fewer hierarchy lines", [](std::string& t) { Replace(t, "\t\"joint1\"\t0 1 0\t//\n", ""); }},
        {"no base frame", [](std::string& t) { Replace(t, "( 10 0 0 ) ( 0 0 0 )", ""); }},
        {"absurd frame count", [](std::string& t) { Replace(t, "numFrames 10", "numFrames 2147483647"); }},
        {"no frames", [](std::string& t) { Replace(t, "numFrames 10", "numFrames 0"); }},
        {"absurd joint count", [](std::string& t) { Replace(t, "numJoints 2", "numJoints 2147483647"); }},
    };
    MD5 model;
    model.Load(WriteText("chain.md5mesh", ChainMesh().Text()));
    for (const Hostile& c : cases) {
        std::string text = ChainAnimation().Text();
        c.spoil(text);
        const size_t before = model.Animations().size();
        model.LoadAnimation(WriteText("hostile.md5anim", text));
        const bool added = model.Animations().size() == before + 1;
        const std::string what = c.what;
        EXPECT_EQ(added, what != "absurd frame count" && what != "no frames") << what;
        const Lines lines = NewLogLines();
        EXPECT_EQ(lines.back(), "") << what;
        if (!added) EXPECT_EQ(lines[lines.size() - 2], "MD5: Animation Loading Failed...") << what;
        model.SetFrame(9);
        model.Render(false);
        EXPECT_TRUE(std::isfinite(model.Joint(1).Position.y)) << what;
    }
    // Frame 9 gives the tip x = 13 at the root turned -90 degrees; without its
    // value the base frame's 10 stands.
    std::string text = ChainAnimation().Text();
    Replace(text, "\t13 \n", "\t\n");
    model.LoadAnimation(WriteText("short.md5anim", text));
    model.SetFrame(9);
    model.Render(false);
    EXPECT_NEAR(model.Joint(1).Position.y, 2 - 10, 1e-4);
}

TEST_F(Md5LoadTest, CorpusFilesHaveTheirCounts) {
    struct Expected {
        const char* file;
        size_t joints, vertices, triangles, weights;
    };
    for (const Expected& e : {Expected{"md5/ffflag.md5mesh", 19, 172, 236, 201}, {"md5/ffpit.md5mesh", 21, 389, 622, 313},
                              {"md5/SimpleCube.md5mesh", 3, 24, 12, 16}}) {
        Md5MeshFile file;
        ASSERT_EQ(ReadMd5Mesh(CorpusText(e.file), file), Md5MeshResult::Loaded) << e.file;
        EXPECT_EQ(file.Joints.size(), e.joints) << e.file;
        ASSERT_EQ(file.Meshes.size(), 1u) << e.file;
        EXPECT_EQ((std::vector<size_t>{file.Meshes[0].Vertices.size(), file.Meshes[0].TriangleCount(),
                                       file.Meshes[0].Weights.size()}),
                  (std::vector<size_t>{e.vertices, e.triangles, e.weights})) << e.file;
    }
    Md5MeshFile flag;
    ReadMd5Mesh(CorpusText("md5/ffflag.md5mesh"), flag);
    EXPECT_EQ(std::pair(flag.Meshes[0].MaterialName, flag.Joints[1].Name), std::pair(std::string("01 - Default"), std::string("Bone013")));
    EXPECT_EQ(flag.Joints[0].Children, (std::vector<int32_t>{1, 7, 13}));

    Md5AnimFile anim;
    ASSERT_EQ(ReadMd5Anim(CorpusText("md5/ffflag.md5anim"), anim), Md5AnimResult::Loaded);
    ASSERT_EQ(anim.Hierarchy.size(), 19u);
    EXPECT_EQ((std::vector<int32_t>{anim.NumFrames, anim.FrameRate, anim.NumAnimatedComponents, anim.Hierarchy[4].Flags,
                                    anim.Hierarchy[4].StartIndex}),
              (std::vector<int32_t>{120, 30, 57, 57, 8}));
    for (const Md5FrameSpan& frame : anim.Frames) EXPECT_EQ(frame.Count, 57);
    EXPECT_FLOAT_EQ(anim.Values[0], 0.0007245f);  // 0.000724538 kept to 7 decimals

    MD5 model;
    model.Load(CorpusPath("md5/ffflag.md5mesh"));
    model.LoadAnimation(CorpusPath("md5/ffflag.md5anim"));
    EXPECT_EQ(model.Animations(), (std::vector<std::string>{"", "ffflag"}));
    EXPECT_EQ(model.Joints(), 19);
}

}  // namespace
}  // namespace korvath::test
