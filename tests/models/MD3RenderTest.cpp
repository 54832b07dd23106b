// The corpus player drawn offscreen against poses computed here from the files' own bytes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "core/Matrix.h"
#include "korvath/Lights.h"
#include "korvath/MD3.h"
#include "materials/Materials.h"
#include "models/Md3File.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"
#include "support/RenderFixture.h"
#include "world/Volumes.h"

namespace korvath::test {
namespace {

constexpr int kSize = 256;
const std::string kPlayer = "q3/models/players/tony/";
const std::string kWeapon = "q3/models/weapons2/rocketl/";

// What was drawn over the clear colour, dark blue (unlit sides draw black).
struct Drawing : Picture {
    Drawing() : Picture(kSize) {}
    bool Drawn(size_t i) const { return pixels[4 * i] != 0 || pixels[4 * i + 1] != 0 || pixels[4 * i + 2] != 128; }
    int DrawnCount() const {
        int count = 0;
        for (size_t i = 0; i < pixels.size() / 4; ++i) count += Drawn(i);
        return count;
    }
    // The middle of what was drawn, in window pixels.
    void Centre(double& x, double& y) const {
        double sx = 0, sy = 0, n = 0;
        for (size_t i = 0; i < pixels.size() / 4; ++i)
            if (Drawn(i)) sx += static_cast<double>(i % kSize), sy += static_cast<double>(i / kSize), ++n;
        x = sx / n, y = sy / n;
    }
    double Brightness() const {
        double sum = 0;
        for (size_t i = 0; i < pixels.size() / 4; ++i)
            if (Drawn(i)) sum += pixels[4 * i] + pixels[4 * i + 1] + pixels[4 * i + 2];
        return sum;
    }
};

// The transform of the named tag in file frame f, read from the file's bytes
// by the layout alone.
Matrix4 TagFromFile(const std::string& file, const std::string& name, int32_t f) {
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(CorpusPath(file), bytes);
    int32_t tags = 0, offset = 0;
    std::memcpy(&tags, &bytes[80], 4);
    std::memcpy(&offset, &bytes[96], 4);
    for (int32_t t = 0; t < tags; ++t) {
        const uint8_t* tag = &bytes[static_cast<size_t>(offset + (f * tags + t) * 112)];
        if (name != reinterpret_cast<const char*>(tag)) continue;
        VECTOR3 v[4];
        std::memcpy(v, tag + 64, sizeof v);  // origin, then three axes, drawn unit length
        const VECTOR3 x = VectorNormalize(v[1]), y = VectorNormalize(v[2]), z = VectorNormalize(v[3]);
        return {x.x, x.y, x.z, 0, y.x, y.y, y.z, 0, z.x, z.y, z.z, 0, v[0].x, v[0].y, v[0].z, 1};
    }
    ADD_FAILURE() << name << " not in " << file;
    return MatrixIdentity();
}

class Md3RenderTest : public RenderTest<kSize> {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        View().CameraPosition = {0, 0, 75};
        player_.LoadAnimationTable(CorpusPath(kPlayer + "animation.cfg"));
        player_.Load(CorpusPath(kPlayer));
        player_.Load("", CorpusPath(kWeapon + "rocketl.md3"));
        ASSERT_EQ(player_.Parts(), 4);
        player_.SetRotation(270, 0, 90 + 180);  // facing the camera
        player_.SetTorsoAnimation(TORSO_STAND);
        player_.SetLegsAnimation(LEGS_IDLE);
        Clear();
    }
    static void Clear() { RenderTest::Clear(0, 0, 128 / 255.0f); }
    void Skin() {
        for (const auto& [part, skin] : {std::pair{MD3_LOWER, "lower_default.skin"}, {MD3_UPPER, "upper_default.skin"},
                                         {MD3_HEAD, "head_default.skin"}})
            ASSERT_TRUE(player_.LoadSkin(part, CorpusPath(kPlayer + skin)));
        player_.SetShader(MD3_WEAPON, PictureMaterial(CorpusPath(kWeapon + "skin.tga")));
    }
    // Only part shows: the others keep their tags but have no stages.
    void Only(MD3_Models part) {
        player_.SetShader(part, SHADER{.Stages = {SHADER_STAGE{}}});
        player_.Render(false);
        player_.SetShader(part, {});
    }
    // The tags from the files: legs frame 184 (LEGS_IDLE), torso frame 164
    // (TORSO_STAND).
    Matrix4 TorsoTag() const { return TagFromFile(kPlayer + "lower.md3", "tag_torso", 184); }
    // The part's frame-0 triangles, untextured, placed as the character is
    // and then by chain, one corner at a time from the file's own vertices.
    void DrawReference(const Matrix4& chain, const std::string& file) const {
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(CorpusPath(file), bytes);
        Md3PartFile part;
        ReadMd3Part(bytes, part);
        ApplyViewTransform(false);
        ApplyPlacement(player_.Position(), player_.Rotation());
        ApplyScale(player_.Scale());
        glMultMatrixf(chain.data());
        glBegin(GL_TRIANGLES);
        for (const Md3Surface& s : part.Surfaces)
            for (const uint32_t v : s.Indices) {
                const Md3Vertex& stored = s.Vertices[v];
                glVertex3f(stored.X / 64.0f, stored.Y / 64.0f, stored.Z / 64.0f);
            }
        glEnd();
    }
    MD3 player_;
};

TEST_F(Md3RenderTest, StandingPlayerSkinnedAndLit) {
    Skin();
    Lights lights;
    lights.Load(0);
    lights.SetAmbient(0, 0.3f, 0.3f, 0.3f);
    lights.SetDiffuse(0, 1, 1, 1);
    lights.SetPosition(0, 50, 80, 150);
    lights.Enable();
    lights.Render();
    Timing().FrameVertices = 0;
    player_.Render(false);
    lights.Disable();
    lights.UnLoad(0);
    Save("md3-standing.png");
    const Drawing lit;
    EXPECT_GT(lit.DrawnCount(), 3000);
    EXPECT_GT(lit.Brightness(), 100.0 * lit.DrawnCount());  // lit, not black (a dark suit and a textured head)
    // Each surface's passes once: 386 + 506 + 298 + 204 triangles.
    EXPECT_EQ(Timing().FrameVertices, 3 * (386 + 506 + 298 + 204));
    // The body and the head stand one above the other, from feet to head.
    const std::vector<VOLUME> volumes = player_.Volume();
    EXPECT_LT(volumes[MD3_LOWER].Max.y, volumes[MD3_HEAD].Max.y);
    EXPECT_GT(volumes[MD3_HEAD].Min.y, volumes[MD3_LOWER].Min.y + 30);
}

TEST_F(Md3RenderTest, HeadAndWeaponHangAtTheTagsOfTheCurrentFrames) {
    const Matrix4 torso = TorsoTag();
    const Matrix4 head = MatrixMultiply(TagFromFile(kPlayer + "upper.md3", "tag_head", 164), torso);
    const Matrix4 hand = MatrixMultiply(TagFromFile(kPlayer + "upper.md3", "tag_weapon", 164), torso);
    const struct {
        MD3_Models part;
        Matrix4 chain;
        std::string file;
    } parts[] = {{MD3_HEAD, head, kPlayer + "head.md3"}, {MD3_WEAPON, hand, kWeapon + "rocketl.md3"}};
    for (const auto& p : parts) {
        Clear();
        Only(p.part);
        Save("md3-only-" + std::to_string(p.part) + ".png");
        const Drawing drawn;
        Clear();
        DrawReference(p.chain, p.file);
        const Drawing reference;
        ASSERT_GT(drawn.DrawnCount(), 200) << p.part;
        int apart = 0;
        for (size_t i = 0; i < drawn.pixels.size() / 4; ++i) apart += drawn.Drawn(i) != reference.Drawn(i);
        EXPECT_LT(apart, drawn.DrawnCount() / 50) << p.part;
    }
}

// Half way between two torso frames the torso is drawn between the two
// frames; a frame of 0 or less draws the first file frame.
TEST_F(Md3RenderTest, BlendedFrameAndFramesBelowOne) {
    player_.SetDeathAnimation(BOTH_DEATH1);  // animation 0: the legs stand still
    player_.SetTorsoAnimation(TORSO_ATTACK);  // frames 130 .. 135, 15 per second
    const auto torsoAt = [&](int32_t frame) {
        Clear();
        player_.SetFrame(frame, MD3_UPPER);
        Only(MD3_UPPER);
        return Drawing();
    };
    const Drawing from = torsoAt(131), to = torsoAt(132);
    player_.SetFrame(130, MD3_UPPER);
    Timing().CurrentTick = 1000000;
    player_.Render();  // steps to 131 at this tick
    Timing().CurrentTick += 33;  // half of 1000 / 15
    Clear();
    player_.SetShader(MD3_UPPER, SHADER{.Stages = {SHADER_STAGE{}}});
    player_.Render();
    player_.SetShader(MD3_UPPER, {});
    ASSERT_EQ(player_.Frame(MD3_UPPER), 131);
    const Drawing half;
    Save("md3-torso-half-way.png");
    double x, y, x0, y0, x1, y1;
    half.Centre(x, y), from.Centre(x0, y0), to.Centre(x1, y1);
    ASSERT_GT(std::hypot(x1 - x0, y1 - y0), 0.5);  // the frames differ enough to tell
    EXPECT_NEAR(x, (x0 + x1) / 2, 0.2 + std::abs(x1 - x0) / 4);
    EXPECT_NEAR(y, (y0 + y1) / 2, 0.2 + std::abs(y1 - y0) / 4);
    EXPECT_TRUE(half.Differing(from) > 20 && half.Differing(to) > 20);

    const Drawing first = torsoAt(1);
    EXPECT_EQ(torsoAt(-3).Differing(first) + torsoAt(0).Differing(first), 0);
    EXPECT_GT(first.DrawnCount(), 500);
}

// Seen from above on a grey floor marked in the stencil buffer, the shadow of
// a light overhead is the character's outline in black: every part, each at
// its tag, flattened once.
TEST_F(Md3RenderTest, ShadowIsTheFlattenedCharacter) {
    View().CameraPosition = {0, 150, 0};
    View().CameraRotation = {90, 0, 0};
    glClearColor(0.6f, 0.6f, 0.6f, 1);
    glClearStencil(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearStencil(0);
    glStencilFunc(GL_EQUAL, 1, 1);  // as a stencil material leaves it
    for (int32_t part = 0; part < 4; ++part) player_.SetShader(part, SHADER{.Stages = {SHADER_STAGE{}}});
    Lights lights;
    lights.Load(0);
    lights.Disable();
    lights.SetPosition(0, 0, 200, 0);
    lights.SetPlane(0, 0, 1, 0);
    lights.SetDistance(0, 0);
    lights.Position(player_.Position());
    lights.Rotation(player_.Rotation());
    lights.BeginShadow(0);
    player_.Render(false);
    lights.EndShadow(0);
    lights.UnLoad(0);
    for (int32_t part = 0; part < 4; ++part) player_.SetShader(part, {});
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    Save("md3-shadow.png");
    const Drawing shadow;
    int black = 0, grey = 0;
    for (size_t i = 0; i < shadow.pixels.size(); i += 4) black += shadow.pixels[i] == 0, grey += shadow.pixels[i] == 153;
    EXPECT_GT(black, 500);
    EXPECT_EQ(black + grey, kSize * kSize);  // nothing darkened twice or drawn in colour
}

}  // namespace
}  // namespace korvath::test
