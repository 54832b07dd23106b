// MD3 parts from the test writer and the corpus player, hostile ones refused with the failure lines.
#include <cmath>
#include <filesystem>
#include <functional>
#include <tuple>

#include "core/FrameTiming.h"
#include "korvath/MD3.h"
#include "models/Md3File.h"
#include "models/Md3Skin.h"
#include "models/Md3Writer.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

class Md3LoadTest : public LoggedEngineTest {
protected:
    // A player folder of three written parts (the legs and torso with the tags
    // that carry the next part).
    std::string WritePlayer(const std::string& folder, int frames = 2) {
        const std::string path = ProcessDirectory() + "/" + folder;
        std::filesystem::create_directories(path);
        WriteBytes(path + "/lower.md3", TwoSquarePart(frames, {"tag_torso"}).Bytes());
        WriteBytes(path + "/upper.md3", TwoSquarePart(frames, {"tag_head", "tag_weapon"}).Bytes());
        WriteBytes(path + "/head.md3", TwoSquarePart(1, {}).Bytes());
        return path;
    }
    std::string WriteTable(int fps) {
        std::string text;
        for (int i = 0; i < 25; ++i) text += std::to_string(i < 13 ? 0 : 10) + "\t11\t0\t" + std::to_string(fps) + "\n";
        return WriteModel("animation.cfg", {text.begin(), text.end()});
    }
};

TEST_F(Md3LoadTest, WrittenPartKeepsItsSurfacesTagsAndNormals) {
    Md3File file = TwoSquarePart(3, {"tag_torso", "tag_head"});
    file.Surfaces[1].Frames[2][3].Normal[0] = 64;   // a = 64 × 2π/255
    file.Surfaces[1].Frames[2][3].Normal[1] = 128;  // b = 128 × 2π/255
    Md3PartFile part;
    ASSERT_EQ(ReadMd3Part(file.Bytes(), part), Md3Result::Loaded);
    EXPECT_EQ(part.TagNames, (std::vector<std::string>{"tag_torso", "tag_head"}));
    ASSERT_EQ(part.Tags.size(), 6u);
    ASSERT_EQ(part.Surfaces.size(), 2u);
    const Md3Surface& second = part.Surfaces[1];
    EXPECT_EQ(second.Name, "second");
    EXPECT_EQ((std::vector<int32_t>{part.FrameCount, second.VertexCount, second.Vertices[2 * 4 + 1].X}),
              (std::vector<int32_t>{3, 4, 64 * 3}));
    EXPECT_EQ(second.Indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    // Frame 2, tag 1; t = 1 becomes 1 - t.
    EXPECT_TRUE(FloatsEq({part.Tags[5].Origin.z, second.TexCoords[2].y}, {12, 0}));
    const double a = 64 * 6.28318 / 255, b = 128 * 6.28318 / 255;
    const VECTOR3 expected{static_cast<float>(std::cos(a) * std::sin(b)), static_cast<float>(std::sin(a) * std::sin(b)),
                           static_cast<float>(std::cos(b))};
    EXPECT_TRUE(NearXyz(DecodeNormal(second.Vertices[2 * 4 + 3]), expected, 1e-6f));
}

TEST_F(Md3LoadTest, PlayerLoadReportsEachPartLinksThemAndTurnsOnce) {
    MD3 player;
    const std::string folder = WritePlayer("written");
    player.Load(folder + "/");
    EXPECT_EQ(NewLogLines(), (Lines{"MD3: Loading written", "MD3: Loading lower.md3", "MD3: Loading upper.md3",
                                    "MD3: Loading head.md3", "MD3: Loaded Successfully", ""}));
    ASSERT_TRUE(player.Loaded());
    EXPECT_EQ((std::vector<int32_t>{player.Parts(), player.Frame(MD3_LOWER), player.Frame(MD3_HEAD)}), (std::vector<int32_t>{3, 1, 1}));
    EXPECT_EQ(player.Volume().size(), 3u);
    EXPECT_TRUE(player.Volume(-2).empty());
    player.Load(folder, folder + "/head.md3");  // a weapon
    EXPECT_EQ(player.Parts(), 4);
    const VECTOR3 r = player.Rotation();
    EXPECT_EQ((std::array{r.x, r.y, r.z}), (std::array{270.0f, 0.0f, 90.0f}));
    EXPECT_FLOAT_EQ(player.Scale().y, 1);
}

// A wrong part header or surface identification refuses that part only; the
// load still ends successfully.
TEST_F(Md3LoadTest, WrongIdentificationsRefuseThePartWithTheirLines) {
    struct Case {
        const char* what;
        size_t offset;  // from the first surface when surface is set
        bool surface;
        std::string line;
    };
    const Case cases[] = {
        {"part identification", 0, false, "MD3: Invalid Quake 3 Model!"},
        {"version", 4, false, "MD3: Invalid Quake 3 Model!"},
        {"second surface identification", 0, true, " * Not A Valid Quake3 Model!"},
    };
    for (const Case& c : cases) {
        const std::string folder = WritePlayer("refused");
        std::vector<uint8_t> bytes = TwoSquarePart(2, {"tag_head"}).Bytes();
        bytes[(c.surface ? Md3SurfaceStart(bytes, 1) : 0) + c.offset] ^= 1;
        WriteBytes(folder + "/upper.md3", bytes);
        MD3 player;
        const size_t before = NewLogLines().size();
        player.Load(folder);
        const Lines all = NewLogLines(), lines(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
        EXPECT_EQ(player.Parts(), 2) << c.what;
        EXPECT_TRUE(player.Loaded()) << c.what;
        ASSERT_EQ(lines.size(), 7u) << c.what;
        EXPECT_EQ(lines[3], c.line) << c.what;
        EXPECT_EQ(lines[5], "MD3: Loaded Successfully") << c.what;
    }
}

TEST_F(Md3LoadTest, WeaponRefusedLinksNothingInTheHand) {
    MD3 player;
    const std::string folder = WritePlayer("armed");
    player.Load(folder);
    std::vector<uint8_t> bytes = TwoSquarePart(1, {}).Bytes();
    bytes[0] = 'X';
    player.Load(folder, WriteModel("bad_weapon.md3", bytes));
    EXPECT_EQ(player.Parts(), 3);
    // The head hangs at tag_head only: drawn once, not in the hand as well.
    player.SetShader(MD3_HEAD, SHADER{.Stages = {SHADER_STAGE{}}});
    Timing().FrameVertices = 0;
    player.Render(false);
    EXPECT_EQ(Timing().FrameVertices, 3 * 4);
}

using Spoil = std::function<void(std::vector<uint8_t>&)>;

// The load fails with its lines, keeps no part and reads nothing outside the file.
TEST_F(Md3LoadTest, HostilePartsFailTheLoad) {
    const auto field = [](size_t offset, int32_t value) {
        return [=](std::vector<uint8_t>& b) { SetMd3Field(b, offset, value); };
    };
    const auto surface = [](size_t offset, int32_t value) {
        return [=](std::vector<uint8_t>& b) { SetMd3Field(b, Md3SurfaceStart(b, 1) + offset, value); };
    };
    const std::pair<const char*, Spoil> cases[] = {
        {"cut inside the header", [](std::vector<uint8_t>& b) { b.resize(100); }},
        {"cut inside the last surface", [](std::vector<uint8_t>& b) { b.resize(b.size() - 9); }},
        {"frames past the end", field(kMd3FrameCount, 100000)},
        {"negative frames", field(kMd3FrameCount, -1)},
        {"tags past the end", field(kMd3TagCount, 1 << 30)},
        {"negative tags", field(kMd3TagCount, -2)},
        {"tag offset past the end", field(kMd3TagOffset, 1 << 30)},
        {"surfaces past the end", field(kMd3SurfaceCount, 3)},
        {"negative surfaces", field(kMd3SurfaceCount, -1)},
        {"surface offset past the end", field(kMd3SurfaceOffset, 1 << 30)},
        {"surface end 0", surface(kSurfaceEnd, 0)},
        {"surface end past the file", surface(kSurfaceEnd, 1 << 30)},
        {"vertices past the surface", surface(kSurfaceVertexCount, 5)},
        {"negative vertices", surface(kSurfaceVertexCount, -4)},
        {"surface frames past the surface", surface(kSurfaceFrameCount, 3)},
        {"triangles past the surface", surface(kSurfaceTriangleCount, 1000)},
        {"shaders past the surface", surface(kSurfaceShaderCount, 5)},
        {"triangle offset negative", surface(kSurfaceTriangleOffset, -12)},
        {"vertex offset past the surface", surface(kSurfaceVertexOffset, 1 << 20)},
        {"triangle corner past the vertices", surface(176, 4)},
        {"negative triangle corner", surface(180, -1)},
    };
    for (const auto& [what, spoil] : cases) {
        const std::string folder = WritePlayer("hostile");
        std::vector<uint8_t> bytes = TwoSquarePart(2, {"tag_head"}).Bytes();
        spoil(bytes);
        WriteBytes(folder + "/upper.md3", bytes);
        MD3 player;
        player.Load(folder);
        EXPECT_FALSE(player.Loaded()) << what;
        EXPECT_EQ(player.Parts(), 0) << what;
        EXPECT_TRUE(EndsWithFailure("MD3: Loading Failed...")) << what;
    }
}

TEST_F(Md3LoadTest, TagNameWithoutNulIsItsSixtyFourBytes) {
    const std::string name(64, 'x');
    Md3PartFile part;
    ASSERT_EQ(ReadMd3Part(TwoSquarePart(1, {name + "tail"}).Bytes(), part), Md3Result::Loaded);
    EXPECT_EQ(part.TagNames, (std::vector<std::string>{name}));
}

// A skin gives each surface it names a material of its own; the others keep
// the part's (here none, so they draw nothing). Tag lines name no surface.
TEST_F(Md3LoadTest, SkinDressesTheSurfacesItNames) {
    EXPECT_EQ(ParseSkin("first,a/b.tga\r\ntag_head,\r\n  Second , c.tga").size(), 2u);
    MD3 player;
    player.Load(WritePlayer("skinned"));
    const std::string skin = "tag_torso,\r\nSECOND,models/players/skinned/picture.tga";
    WriteModel("skinned/picture.tga", {0});
    ASSERT_TRUE(player.LoadSkin(MD3_LOWER, WriteModel("skinned/lower_x.skin", {skin.begin(), skin.end()})));
    EXPECT_FALSE(player.LoadSkin(MD3_LOWER, "missing.skin"));
    EXPECT_FALSE(player.LoadSkin(7, "skinned/lower_x.skin"));
    Timing().FrameVertices = 0;
    player.Render(false);
    EXPECT_EQ(Timing().FrameVertices, 3 * 2);  // the second square only
    player.SetShader(MD3_LOWER, SHADER{.Stages = {SHADER_STAGE{}, SHADER_STAGE{}}});
    Timing().FrameVertices = 0;
    player.Render(false);
    EXPECT_EQ(Timing().FrameVertices, 3 * 2 * 2 + 3 * 2);  // the first in two passes as well
    player.SetShader(MD3_LOWER, {});
}

TEST_F(Md3LoadTest, CorpusPlayerPartsMatchTheirFiles) {
    MD3 player;
    player.Load(CorpusPath("q3/models/players/tony"));
    player.Load("", CorpusPath("q3/models/weapons2/rocketl/rocketl.md3"));
    ASSERT_TRUE(player.Loaded());
    EXPECT_EQ(player.Parts(), 4);
    // name, frames, tags, then per surface: name, vertices, triangles.
    struct Expected {
        const char* file;
        int32_t frames;
        Lines tags;
        std::vector<std::tuple<std::string, int32_t, size_t>> surfaces;
    };
    const Expected expected[] = {
        {"players/tony/lower.md3", 261, {"tag_torso"}, {{"l_belt", 0, 0}, {"l_lower", 250, 386}}},
        {"players/tony/upper.md3", 191, {"tag_head", "tag_weapon"}, {{"u_body", 362, 506}, {"u_vest", 0, 0}}},
        {"players/tony/head.md3", 1, {}, {{"h_head", 217, 298}}},
        {"weapons2/rocketl/rocketl.md3", 1, {"tag_flash"}, {{"polySurface5", 158, 204}}},
    };
    for (const Expected& e : expected) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(platform::ReadWholeFile(CorpusPath(std::string("q3/models/") + e.file), bytes));
        Md3PartFile part;
        ASSERT_EQ(ReadMd3Part(bytes, part), Md3Result::Loaded) << e.file;
        EXPECT_EQ(part.FrameCount, e.frames) << e.file;
        EXPECT_EQ(part.TagNames, e.tags) << e.file;
        ASSERT_EQ(part.Surfaces.size(), e.surfaces.size()) << e.file;
        for (size_t s = 0; s < part.Surfaces.size(); ++s) {
            const auto& [name, vertices, triangles] = e.surfaces[s];
            EXPECT_EQ(part.Surfaces[s].Name, name);
            EXPECT_EQ((std::vector<size_t>{static_cast<size_t>(part.Surfaces[s].VertexCount), part.Surfaces[s].Indices.size(),
                                           part.Surfaces[s].Vertices.size()}),
                      (std::vector<size_t>{static_cast<size_t>(vertices), 3 * triangles, static_cast<size_t>(vertices * e.frames)}))
                << name;
        }
    }
    // The surfaces without vertices add no vertices to what is drawn.
    player.SetShader(MD3_LOWER, SHADER{.Stages = {SHADER_STAGE{}}});
    Timing().FrameVertices = 0;
    player.Render(false);
    EXPECT_EQ(Timing().FrameVertices, 3 * 386);
}

// The clock steps on the millisecond tick, at most one frame a Render, each
// part on its own.
TEST_F(Md3LoadTest, PartClocksStepOncePerIntervalEachOnItsOwn) {
    MD3 player;
    player.Load(WritePlayer("clocked", 40));
    player.LoadAnimationTable(WriteTable(25));
    Timing().CurrentTick = 1000;
    player.SetTorsoAnimation(TORSO_ATTACK);  // first frame 0: 10 frames from 1
    player.SetLegsAnimation(LEGS_WALK);      // first frame 10 - 10 = 0 as well
    player.Render();                         // both step at once: 0 → 1
    EXPECT_EQ(player.Frame(MD3_UPPER), 1);
    const struct {
        int32_t tick;
        int32_t frame;
    } steps[] = {{1039, 1}, {1040, 2}, {1140, 3}, {1141, 3}, {1180, 4}};
    for (const auto& step : steps) {
        Timing().CurrentTick = step.tick;
        player.Render();
        EXPECT_EQ(std::pair(player.Frame(MD3_UPPER), player.Frame(MD3_LOWER)), std::pair(step.frame, step.frame)) << step.tick;
    }
    // Restarting the legs leaves the torso where it is.
    player.SetLegsAnimation(LEGS_RUN);
    EXPECT_EQ(player.Frame(MD3_LOWER), 0);
    Timing().CurrentTick = 1220;
    player.Render();
    EXPECT_EQ(std::pair(player.Frame(MD3_UPPER), player.Frame(MD3_LOWER)), std::pair(5, 1));
    // Not animated, nothing moves; the head (animation 0) never did.
    Timing().CurrentTick = 5000;
    player.Render(false);
    EXPECT_EQ(std::pair(player.Frame(MD3_UPPER), player.Frame(MD3_HEAD)), std::pair(5, 1));
}

TEST_F(Md3LoadTest, SetAnimationMembersRestartAsWritten) {
    MD3 player;
    player.Load(WritePlayer("animated", 40));
    player.LoadAnimationTable(WriteTable(25));
    player.SetTorsoAnimation(TORSO_STAND);
    player.SetFrame(7, MD3_UPPER);
    player.SetTorsoAnimation(TORSO_STAND);  // already playing: nothing changes
    EXPECT_EQ(player.Frame(MD3_UPPER), 7);
    player.SetDeathAnimation(BOTH_DEATH2);
    player.SetFrame(7, MD3_UPPER);
    player.SetFrame(8, MD3_LOWER);
    player.SetDeathAnimation(BOTH_DEATH2);  // restarts on both parts
    EXPECT_EQ(std::pair(player.Frame(MD3_UPPER), player.Frame(MD3_LOWER)), std::pair(0, 0));
}

// Absurd frame numbers and rates from a table are drawn from the nearest
// frame the part has, and a rate of 0 never steps.
TEST_F(Md3LoadTest, AbsurdTableNeitherStepsNorReadsOutside) {
    MD3 player;
    player.Load(WritePlayer("absurd", 2));
    std::string text;
    for (int i = 0; i < 25; ++i) text += (i == 7 ? "2147483647\t2147483647\t0\t0\n" : "0\t5\t0\t0\n");
    player.LoadAnimationTable(WriteModel("absurd.cfg", {text.begin(), text.end()}));
    player.SetShader(MD3_UPPER, SHADER{.Stages = {SHADER_STAGE{}}});
    player.SetTorsoAnimation(TORSO_ATTACK);
    Timing().CurrentTick = 100000;
    player.Render();
    EXPECT_EQ(player.Frame(MD3_UPPER), INT32_MAX);
    player.SetFrame(INT32_MIN, MD3_UPPER);
    player.Render();
    EXPECT_EQ(player.Frame(MD3_UPPER), INT32_MIN);
}

}  // namespace
}  // namespace korvath::test
