// The corpus MD2 drawn on the offscreen context: the interpolated pose against
// one drawn a triangle at a time from the frames' own vertices, lighting, and
// the planar shadow on a stencil-marked floor. Pictures land beside the log.
#include <cmath>

#include "core/Matrix.h"
#include "korvath/Camera.h"
#include "korvath/Lights.h"
#include "korvath/Shaders.h"
#include "materials/Shader.h"
#include "effects/ShadowMatrix.h"
#include "models/Md2File.h"
#include "models/ModelTestSupport.h"
#include "platform/GL.h"

namespace korvath::test {
namespace {

constexpr int kSize = 256;

struct Picture {
    std::vector<uint8_t> pixels = ReadPixels(0, 0, kSize, kSize);
    const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * kSize + x) * 4]; }
    bool Equals(int x, int y, int r, int g, int b, int tolerance = 2) const {
        const uint8_t* p = At(x, y);
        return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
    }
    int Differing(const Picture& other) const {
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            count += pixels[i] != other.pixels[i] || pixels[i + 1] != other.pixels[i + 1] ||
                     pixels[i + 2] != other.pixels[i + 2];
        return count;
    }
    int NotBlack() const {
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) count += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
        return count;
    }
    double Brightness() const {
        double sum = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) sum += pixels[i] + pixels[i + 1] + pixels[i + 2];
        return sum;
    }
};

class Md2RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gl_ = std::make_unique<OffscreenEngine>(kSize, kSize);
        State().ConsoleVisible = false;
        std::vector<uint8_t> bytes;
        ReadWholeFile(CorpusPath("md2/sydney.md2"), bytes);
        file_ = std::make_unique<Md2Model>();
        ReadMd2(bytes, *file_);
        skin_ = Shaders().Load(CorpusPath("md2/sydney.bmp"));
    }
    static void TearDownTestSuite() {
        FreeMaterial(skin_);
        file_.reset();
        gl_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(gl_->initialized());
        Camera camera;
        camera.Set3DFieldOfView(60);
        State().CameraPosition = {0, 0, 90};
        State().CameraRotation = {};
        State().FrameTime = 0;
        glClearColor(0, 0, 0, 1);
        model_.Load(CorpusPath("md2/sydney.md2"));
        ASSERT_TRUE(model_.Loaded());
        model_.SetShader(skin_);
        model_.SetAnimation("stand");
    }
    void TearDown() override { model_.SetShader({}); }  // the suite owns the skin
    static void Clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT); }
    static void Save(const std::string& name) {
        glFinish();
        WriteScreenshot(ProcessDirectory() + "/" + name, kSize, kSize);
    }

    // The pose between frames c and n drawn as the model's Render places it,
    // one triangle at a time from the decoded frames.
    void DrawReference(int c, int n, float w) {
        ApplyViewTransform(false);
        ApplyPlacement(model_.Position(), model_.Rotation());
        ApplyScale(model_.Scale());
        const KeyframeMesh& m = file_->Mesh;
        glEnable(GL_TEXTURE_2D);
        ApplyStage(skin_.Stages[0]);
        for (const KeyframeTriangle& t : m.Triangles) {
            glBegin(GL_TRIANGLES);
            for (int k = 0; k < 3; ++k) {
                const VECTOR3 p = FramePosition(m, c, t.Vertex[k]), q = FramePosition(m, n, t.Vertex[k]);
                const VECTOR3& normal = FrameNormal(m, c, t.Vertex[k]);
                const VECTOR2& st = m.TexCoords[static_cast<size_t>(t.TexCoord[k])];
                glNormal3f(normal.x, normal.y, normal.z);
                glTexCoord2f(st.x, st.y);
                glVertex3f(p.x + w * (q.x - p.x), p.y + w * (q.y - p.y), p.z + w * (q.z - p.z));
            }
            glEnd();
        }
        ResetStage(skin_.Stages[0]);
        glDisable(GL_TEXTURE_2D);
    }

    static inline std::unique_ptr<OffscreenEngine> gl_;
    static inline std::unique_ptr<Md2Model> file_;
    static inline SHADER skin_;
    MD2 model_;
};

TEST_F(Md2RenderTest, HalfWayPoseMatchesTheFramesOwnVertices) {
    ASSERT_FALSE(skin_.Stages.empty());
    model_.SetFrame(4);
    model_.SetVelocity(10);
    State().FrameTime = 0.05f;
    Clear();
    model_.Render();  // 4.5, toward 5
    const Picture drawn;
    Save("md2-half-way.png");
    EXPECT_EQ(model_.Frame(), 4);
    EXPECT_GT(drawn.NotBlack(), 1500);

    Clear();
    DrawReference(4, 5, 0.5f);
    const Picture reference;
    EXPECT_EQ(drawn.Differing(reference), 0);

    // Not frame 4 itself: the pose moved.
    Clear();
    DrawReference(4, 4, 0);
    EXPECT_GT(drawn.Differing(Picture()), 50);
}

TEST_F(Md2RenderTest, OneLightLightsTheSideFacingIt) {
    Lights lights;
    lights.Load(0);
    lights.SetAmbient(0, 0, 0, 0);
    lights.SetDiffuse(0, 1, 1, 1);
    lights.Enable();
    auto litFrom = [&](float z, const std::string& name) {
        lights.SetPosition(0, 0, 0, z);
        Clear();
        lights.Render();
        model_.Render(false);
        Save(name);
        return Picture();
    };
    const Picture front = litFrom(200, "md2-lit-front.png"), back = litFrom(-200, "md2-lit-back.png");
    lights.Disable();
    lights.UnLoad(0);
    Clear();
    model_.Render(false);
    const Picture unlit;
    // The camera looks at the model's front: lit from there it is brighter than
    // lit from behind, and lit from behind darker than without lighting.
    EXPECT_GT(front.Brightness(), 2 * back.Brightness());
    EXPECT_LT(back.Brightness(), unlit.Brightness());
    EXPECT_GT(back.NotBlack(), 0);
}

// The floor y = 0 seen from above, grey, marked 1 in the stencil buffer only
// for x < 0, over a blue background.
class Md2ShadowTest : public Md2RenderTest {
protected:
    void SetUp() override {
        Md2RenderTest::SetUp();
        State().CameraPosition = {0, 250, 0};
        State().CameraRotation = {90, 0, 0};
    }
    static void DrawFloor() {
        glClearColor(0, 0, 0.6f, 1);
        Clear();
        glClearColor(0, 0, 0, 1);
        ApplyViewTransform(false);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
        glColor4f(0.8f, 0.8f, 0.8f, 1);
        glBegin(GL_QUADS);  // clockwise from above: the engine culls the other side
        glVertex3f(-400, 0, -400);
        glVertex3f(0, 0, -400);
        glVertex3f(0, 0, 400);
        glVertex3f(-400, 0, 400);
        glEnd();
        glColor4f(1, 1, 1, 1);
        // The comparison a stencil material leaves for the shadows.
        glStencilFunc(GL_EQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_STENCIL_TEST);
    }
    // Window position of a world point under the camera.
    static void Project(const VECTOR3& p, double& x, double& y) {
        ApplyViewTransform(false);
        double model[16], projection[16], z;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
    }
};

TEST_F(Md2ShadowTest, ShadowFallsWhereTheMatrixPutsItOnlyOnTheMarkedFloorOnce) {
    // 50 units from the light: black at alpha 0.5, halving the floor's grey.
    const VECTOR3 light{-40, 100, 0}, caster{-40, 50, 0};
    Lights lights;
    lights.Load(0);
    lights.Disable();
    lights.SetPosition(0, light.x, light.y, light.z);
    lights.SetPlane(0, 0, 1, 0);  // the plane -y = 0
    lights.SetDistance(0, 0);
    lights.Position(caster);
    DrawFloor();
    lights.BeginShadow(0);
    EXPECT_TRUE(State().ShadowPass);
    model_.Render(false);
    lights.EndShadow(0);
    EXPECT_FALSE(State().ShadowPass);
    const Picture shadow;
    Save("md2-shadow.png");
    lights.UnLoad(0);

    int onFloor = 0, shadowed = 0;
    const Matrix4 flatten = PlanarShadowMatrix(light, 0, -1, 0, 0);
    const KeyframeMesh& m = file_->Mesh;
    for (int32_t v = 0; v < m.VertexCount; ++v) {
        // Placed by the shadow's own position, with z flipped.
        const VECTOR3 p = FramePosition(m, 0, v);
        const VECTOR3 placed{p.x + caster.x, p.y + caster.y, -p.z + caster.z};
        const float w = flatten[3] * placed.x + flatten[7] * placed.y + flatten[11] * placed.z + flatten[15];
        const VECTOR3 flat = TransformPoint(flatten.data(), placed);
        double x, y;
        Project({flat.x / w, flat.y / w, flat.z / w}, x, y);
        if (x < 2 || y < 2 || x > kSize - 3 || y > kSize - 3 || flat.x / w > -4) continue;
        ++onFloor;
        shadowed += shadow.Equals(static_cast<int>(x), static_cast<int>(y), 102, 102, 102, 3);
    }
    ASSERT_GT(onFloor, 100);
    EXPECT_GT(shadowed, onFloor * 9 / 10);

    // Every pixel is the background beside the floor, and on it either the
    // floor or the floor halved once: never twice where the caster overlaps
    // itself.
    int half = 0, floor = 0, other = 0, besideFloor = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (shadow.Equals(x, y, 0, 0, 153)) {
                besideFloor += x < kSize / 2 - 1;
                continue;
            }
            if (x > kSize / 2) ++besideFloor;
            if (shadow.Equals(x, y, 102, 102, 102, 3))
                ++half;
            else if (shadow.Equals(x, y, 204, 204, 204, 3))
                ++floor;
            else
                ++other;
        }
    EXPECT_EQ(besideFloor, 0);
    EXPECT_EQ(other, 0);
    EXPECT_GT(half, 400);
    EXPECT_GT(floor, 1000);
}

}  // namespace
}  // namespace korvath::test
