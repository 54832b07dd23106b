// The corpus MD5 flag drawn offscreen against a pose skinned here independently from its files.
#include <cmath>

#include "core/Matrix.h"
#include "korvath/Lights.h"
#include "korvath/MD5.h"
#include "korvath/MaterialPasses.h"
#include "korvath/Shaders.h"
#include "materials/Materials.h"
#include "models/Md5AnimFile.h"
#include "models/Md5MeshFile.h"
#include "models/Md5Text.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"
#include "support/RenderFixture.h"

namespace korvath::test {
namespace {

// Quaternions (x, y, z, w) in the usual product, written out here rather
// than taken from the engine.
struct Turn {
    float x, y, z, w;
};
Turn Times(const Turn& a, const Turn& b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}
VECTOR3 Turned(const VECTOR3& p, const Turn& q) {
    const Turn r = Times(Times(q, {p.x, p.y, p.z, 0}), {-q.x, -q.y, -q.z, q.w});
    return {r.x, r.y, r.z};
}
float CompletedW(float x, float y, float z) {
    const float t = 1 - x * x - y * y - z * z;
    return t < 0 ? 0 : -std::sqrt(t);
}

std::string CorpusText(const std::string& relative) {
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(CorpusPath(relative), bytes);
    return {bytes.begin(), bytes.end()};
}

class Md5RenderTest : public RenderTest<256> {
protected:
    static void SetUpTestSuite() {
        RenderTest::SetUpTestSuite();
        ReadMd5Mesh(CorpusText("md5/ffflag.md5mesh"), mesh_);
        ReadMd5Anim(CorpusText("md5/ffflag.md5anim"), anim_);
        skin_ = Shaders().Load(CorpusPath("md5/ffflag_cc.jpg"));
    }
    static void TearDownTestSuite() {
        FreeMaterial(skin_);
        RenderTest::TearDownTestSuite();
    }
    void SetUp() override {
        RenderTest::SetUp();
        View().CameraPosition = {30, 58, 150};
        model_.Load(CorpusPath("md5/ffflag.md5mesh"));
        model_.LoadAnimation(CorpusPath("md5/ffflag.md5anim"));
        ASSERT_TRUE(model_.Loaded());
        // Loaded upright and edge on to the camera; turned to face it.
        model_.SetRotation(270, 0, 0);
        model_.Shader("01 - Default", skin_);
        lights_.Load(0);
        lights_.SetAmbient(0, 0.2f, 0.2f, 0.2f);
        lights_.SetDiffuse(0, 1, 1, 1);
        lights_.SetPosition(0, 100, 100, 200);
        lights_.Enable();
        Clear();
    }
    void TearDown() override {
        lights_.Disable();
        lights_.UnLoad(0);
        model_.Shader("01 - Default", {});  // the suite owns the skin
    }
    void Clear() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        lights_.Render();
    }

    // The joints of frame f in object space, parents before children as the
    // file lists them.
    static void PoseJoints(int f, std::vector<VECTOR3>& positions, std::vector<Turn>& turns) {
        positions.assign(mesh_.Joints.size(), {});
        turns.assign(mesh_.Joints.size(), {});
        const Md5FrameSpan& frame = anim_.Frames[static_cast<size_t>(f)];
        for (size_t j = 0; j < mesh_.Joints.size(); ++j) {
            float channel[6] = {anim_.BaseFrame[j].Position.x,    anim_.BaseFrame[j].Position.y,
                                anim_.BaseFrame[j].Position.z,    anim_.BaseFrame[j].Orientation.x,
                                anim_.BaseFrame[j].Orientation.y, anim_.BaseFrame[j].Orientation.z};
            int k = anim_.Hierarchy[j].StartIndex;
            for (int bit = 0; bit < 6; ++bit)
                if (anim_.Hierarchy[j].Flags & (1 << bit)) channel[bit] = anim_.Values[frame.First + k++];
            const VECTOR3 p{channel[0], channel[1], channel[2]};
            const Turn q{channel[3], channel[4], channel[5], CompletedW(channel[3], channel[4], channel[5])};
            const int parent = mesh_.Joints[j].Parent;
            if (parent < 0) {
                positions[j] = p;
                turns[j] = q;
            } else {
                const VECTOR3 r = Turned(p, turns[static_cast<size_t>(parent)]);
                const VECTOR3& at = positions[static_cast<size_t>(parent)];
                positions[j] = {at.x + r.x, at.y + r.y, at.z + r.z};
                turns[j] = Times(turns[static_cast<size_t>(parent)], q);
            }
        }
    }

    static std::vector<VECTOR3> Skinned(int f) {
        std::vector<VECTOR3> joints;
        std::vector<Turn> turns;
        PoseJoints(f, joints, turns);
        const Md5Mesh& m = mesh_.Meshes[0];
        std::vector<VECTOR3> out;
        for (const Md5Vertex& v : m.Vertices) {
            VECTOR3 sum{};
            for (int w = 0; w < v.WeightCount; ++w) {
                const Md5Weight& weight = m.Weights[static_cast<size_t>(v.FirstWeight + w)];
                const VECTOR3 r = Turned(weight.Position, turns[static_cast<size_t>(weight.Joint)]);
                const VECTOR3& at = joints[static_cast<size_t>(weight.Joint)];
                sum.x += (at.x + r.x) * weight.Bias;
                sum.y += (at.y + r.y) * weight.Bias;
                sum.z += (at.z + r.z) * weight.Bias;
            }
            out.push_back(sum);
        }
        return out;
    }

    // Frames c and c + 1 mixed by w, lit with frame c's face normals summed
    // per vertex, one triangle at a time.
    void DrawReference(int c, float w) {
        const std::vector<VECTOR3> P = Skinned(c), Q = Skinned(c + 1);
        const Md5Mesh& m = mesh_.Meshes[0];
        const std::vector<uint32_t>& corners = m.Arrays.Indices;
        std::vector<VECTOR3> normals(P.size());
        for (size_t i = 0; i < corners.size(); i += 3) {
            const VECTOR3 &a = P[corners[i]], &b = P[corners[i + 1]], &d = P[corners[i + 2]];
            const VECTOR3 u{d.x - a.x, d.y - a.y, d.z - a.z}, v{b.x - a.x, b.y - a.y, b.z - a.z};
            const VECTOR3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
            for (int k = 0; k < 3; ++k) {
                VECTOR3& sum = normals[corners[i + static_cast<size_t>(k)]];
                sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
            }
        }
        ApplyViewTransform(false);
        ApplyPlacement(model_.Position(), model_.Rotation());
        ApplyScale(model_.Scale());
        glEnable(GL_TEXTURE_2D);
        ApplyStage(skin_.Stages[0]);
        glBegin(GL_TRIANGLES);
        for (const uint32_t i : corners) {
            const VECTOR3& n = normals[i];
            const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
            glNormal3f(n.x / length, n.y / length, n.z / length);
            glTexCoord2f(m.Vertices[i].TexCoord.x, m.Vertices[i].TexCoord.y);
            glVertex3f(P[i].x + w * (Q[i].x - P[i].x), P[i].y + w * (Q[i].y - P[i].y), P[i].z + w * (Q[i].z - P[i].z));
        }
        glEnd();
        ResetStage(skin_.Stages[0]);
        glDisable(GL_TEXTURE_2D);
    }

    static inline Md5MeshFile mesh_;
    static inline Md5AnimFile anim_;
    static inline SHADER skin_;
    MD5 model_;
    Lights lights_;
};

TEST_F(Md5RenderTest, HalfWayPoseMatchesOneSkinnedFromTheFiles) {
    model_.SetFrame(40);
    Timing().FrameTime = 0.5f / 30;
    model_.Update();  // 40.5, toward 41
    model_.Render();
    const Picture drawn = Take();
    Save("md5-half-way.png");
    EXPECT_GT(drawn.Lit(), 3000);
    Clear();
    DrawReference(40, 0.5f);
    const Picture reference = Take();
    Save("md5-reference.png");
    EXPECT_LT(drawn.Differing(reference, 6), drawn.Lit() / 200);
    Clear();
    DrawReference(80, 0);
    EXPECT_GT(drawn.Differing(Take(), 6), drawn.Lit() / 20);  // the flag waves: another frame looks otherwise
    EXPECT_EQ(Timing().FrameVertices >= 3 * 236, true);
}

// Blending toward another animation draws between the two; the box grows
// around every vertex drawn.
TEST_F(Md5RenderTest, VolumeHoldsTheDrawnFlag) {
    model_.SetFrame(10);
    model_.Render(false);
    const std::vector<VOLUME> volumes = model_.Volume();
    ASSERT_EQ(volumes.size(), 1u);
    const VOLUME& v = volumes[0];
    EXPECT_TRUE(v.Enabled);
    // Upright after the turn into the engine's axes: about 116 units high.
    EXPECT_NEAR(v.Max.y - v.Min.y, 116, 6);
    EXPECT_GT(v.Max.x - v.Min.x, 40);
}

}  // namespace
}  // namespace korvath::test
