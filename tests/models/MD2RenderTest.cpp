// The corpus MD2 drawn offscreen against a triangle-at-a-time reference; pictures land beside the log.
#include "core/Matrix.h"
#include "core/Lighting.h"
#include "effects/ShadowMatrix.h"
#include "korvath/Lights.h"
#include "korvath/Programs.h"
#include "korvath/Shaders.h"
#include "materials/Materials.h"
#include "models/Md2File.h"
#include "models/KeyframeReference.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"
#include "support/RenderFixture.h"

namespace korvath::test {
namespace {

bool Is(const Picture& picture, size_t pixel, int grey, int blue) {
    const uint8_t* p = picture.At(pixel);
    return std::abs(p[0] - grey) <= 3 && std::abs(p[1] - grey) <= 3 && std::abs(p[2] - blue) <= 3;
}

class Md2RenderTest : public RenderTest<256> {
protected:
    static void SetUpTestSuite() {
        RenderTest::SetUpTestSuite();
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(CorpusPath("md2/sydney.md2"), bytes);
        ReadMd2(bytes, file_);
        skin_ = Shaders().Load(CorpusPath("md2/sydney.bmp"));
    }
    static void TearDownTestSuite() {
        FreeMaterial(skin_);
        RenderTest::TearDownTestSuite();
    }
    void SetUp() override {
        RenderTest::SetUp();
        View().CameraPosition = {0, 0, 90};
        model_.Load(CorpusPath("md2/sydney.md2"));
        ASSERT_TRUE(model_.Loaded());
        model_.SetShader(skin_);
        model_.SetAnimation("stand");
    }
    void TearDown() override { model_.SetShader({}); }  // the suite owns the skin

    void DrawReference(int c, int n, float w) { DrawKeyframeReference(file_.Mesh, model_, skin_.Stages[0], c, n, w); }

    static inline Md2Model file_;
    static inline SHADER skin_;
    MD2 model_;
};

TEST_F(Md2RenderTest, HalfWayPoseMatchesTheFramesOwnVertices) {
    model_.SetFrame(4);
    model_.SetVelocity(10);
    Timing().FrameTime = 0.05f;
    model_.Render();  // 4.5, toward 5
    const Picture drawn = Take();
    Save("md2-half-way.png");
    EXPECT_EQ(model_.Frame(), 4);
    EXPECT_GT(drawn.Brightness(), 1e5);
    Clear();
    DrawReference(4, 5, 0.5f);
    EXPECT_EQ(drawn.Differing(Take()), 0);
    Clear();
    DrawReference(4, 4, 0);
    EXPECT_GT(drawn.Differing(Take()), 50);  // not frame 4 itself: the pose moved
}

// A material with a program is bound once for all its stages and drawn once;
// the stages past the first have no coordinates of their own to read.
TEST_F(Md2RenderTest, ProgramMaterialDrawsOnceWithItsProgram) {
    model_.Render(false);
    const Picture fixed = Take();
    // Unit 1's coordinate is the current one, whose q is 1.
    const std::string vertex = "void main() {\n gl_TexCoord[0] = gl_MultiTexCoord0;\n"
                               " gl_TexCoord[1] = gl_MultiTexCoord1;\n"
                               " gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n}";
    const std::string fragment = "uniform sampler2D skin;\nvoid main() {\n"
                                 " gl_FragColor = texture2D(skin, gl_TexCoord[0].st) * gl_TexCoord[1].q;\n}";
    WriteModel("skin.vert", {vertex.begin(), vertex.end()});
    WriteModel("skin.frag", {fragment.begin(), fragment.end()});
    Programs programs;
    SHADER material = skin_;
    material.Stages.push_back(skin_.Stages[0]);
    material.Program = programs.Link(programs.Load(ProcessDirectory() + "/skin.vert", PROGRAM_VERTEX),
                                     programs.Load(ProcessDirectory() + "/skin.frag", PROGRAM_FRAGMENT));
    ASSERT_NE(material.Program, 0);
    programs.SetUniformTexture(material.Program, "skin", 0);
    model_.SetShader(material);
    Clear();
    model_.Render(false);
    EXPECT_EQ(GLIntegers({GL_CURRENT_PROGRAM})[0], 0);
    const Picture programmed = Take();
    int apart = 0;
    for (size_t i = 0; i < fixed.pixels.size(); ++i) apart += std::abs(fixed.pixels[i] - programmed.pixels[i]) > 2;
    EXPECT_EQ(apart, 0);
    EXPECT_GT(fixed.Brightness(), 1e5);
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
        return Take();
    };
    // The camera sees the model's back: lit from the camera's side it is
    // brighter than lit from the far side, which leaves it darker than unlit.
    const Picture near = litFrom(200, "md2-lit-near.png"), far = litFrom(-200, "md2-lit-far.png");
    lights.Disable();
    lights.UnLoad(0);
    Clear();
    model_.Render(false);
    EXPECT_GT(near.Brightness(), 2 * far.Brightness());
    EXPECT_TRUE(far.Brightness() > 0 && far.Brightness() < Take().Brightness());
}

TEST_F(Md2RenderTest, ShadowFallsWhereTheMatrixPutsItOnlyOnTheMarkedFloorOnce) {
    // From above: a grey floor at y = 0, marked in the stencil buffer only for
    // x < 0 (the left half), on blue.
    View().CameraPosition = {0, 250, 0};
    View().CameraRotation = {90, 0, 0};
    Clear(0, 0, 0.6f);
    ApplyViewTransform(false);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColor4f(0.8f, 0.8f, 0.8f, 1);
    glBegin(GL_QUADS);  // clockwise from above: the engine culls the other side
    for (const auto& [x, z] : {std::pair{-400, -400}, {0, -400}, {0, 400}, {-400, 400}}) glVertex3f(x, 0, z);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glStencilFunc(GL_EQUAL, 1, 1);  // as a stencil material leaves it
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDisable(GL_STENCIL_TEST);

    // 50 units from the light: black at alpha 0.5, halving the floor's grey.
    const VECTOR3 light{-40, 100, 0}, caster{-40, 50, 0};
    Lights lights;
    lights.Load(0);
    lights.Disable();
    lights.SetPosition(0, light.x, light.y, light.z);
    lights.SetPlane(0, 0, 1, 0);  // the plane -y = 0
    lights.SetDistance(0, 0);
    lights.Position(caster);
    lights.BeginShadow(0);
    EXPECT_TRUE(Lighting().ShadowPass);
    model_.Render(false);
    lights.EndShadow(0);
    EXPECT_FALSE(Lighting().ShadowPass);
    lights.UnLoad(0);
    const Picture shadow = Take();
    Save("md2-shadow.png");

    // Vertices of the caster, placed by the shadow's position with z flipped,
    // then flattened, land in the shadow.
    int onFloor = 0, shadowed = 0;
    const Matrix4 flatten = PlanarShadowMatrix(light, 0, -1, 0, 0);
    for (int32_t v = 0; v < file_.Mesh.VertexCount; ++v) {
        const VECTOR3 p = FramePosition(file_.Mesh, 0, v);
        const VECTOR3 placed{p.x + caster.x, p.y + caster.y, -p.z + caster.z};
        const VECTOR3 flat = TransformPoint(flatten.data(), placed);
        const float w = flatten[3] * placed.x + flatten[7] * placed.y + flatten[11] * placed.z + flatten[15];
        double x, y;
        ProjectToWindow({flat.x / w, flat.y / w, flat.z / w}, x, y);
        if (x < 2 || y < 2 || x > kSize - 3 || y > kSize - 3 || flat.x / w > -4) continue;
        ++onFloor;
        shadowed += Is(shadow, static_cast<size_t>(y) * kSize + static_cast<size_t>(x), 102, 102);
    }
    ASSERT_GT(onFloor, 100);
    EXPECT_GT(shadowed, onFloor * 9 / 10);

    // Blue beside the floor; on it the floor's grey or that grey halved once,
    // never twice where the caster overlaps itself.
    int half = 0, floor = 0, wrong = 0;
    for (size_t i = 0; i < shadow.pixels.size() / 4; ++i) {
        const bool left = i % kSize < kSize / 2 - 1, right = i % kSize > kSize / 2;
        if (Is(shadow, i, 0, 153)) wrong += left;
        else if (Is(shadow, i, 102, 102)) half++, wrong += right;
        else if (Is(shadow, i, 204, 204)) floor++, wrong += right;
        else wrong += left || right;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(half > 400 && floor > 10000) << half << " " << floor;
}

}  // namespace
}  // namespace korvath::test
