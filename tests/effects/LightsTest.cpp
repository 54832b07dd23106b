// Lights on the offscreen context: the tables resized together, the GL light
// and material state each member sets, and the shadow matrix.
#include <gtest/gtest.h>

#include "core/ViewState.h"
#include "core/Lighting.h"
#include "effects/ShadowMatrix.h"
#include "korvath/Lights.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

namespace korvath::test {
namespace {

constexpr GLenum kSwitches[] = {GL_LIGHTING, GL_NORMALIZE, GL_COLOR_MATERIAL};

class LightsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl_.initialized()); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    static std::vector<float> Light(GLenum light, GLenum parameter) {
        std::vector<float> v(4);
        glGetLightfv(light, parameter, v.data());
        return v;
    }
    static float Shininess() {
        float shine = 0;
        glGetMaterialfv(GL_FRONT, GL_SHININESS, &shine);
        return shine;
    }

    OffscreenEngine gl_{64, 64};
};

TEST_F(LightsTest, TablesShrinkAndGrowTogetherAndSwitchLighting) {
    Lights lights;
    lights.Load(2);
    for (GLenum cap : kSwitches) EXPECT_TRUE(glIsEnabled(cap));
    EXPECT_EQ(GLEnabled({GL_LIGHT2, GL_LIGHT0}), (std::vector<bool>{true, false}));
    lights.SetDiffuse(2, 0.25f, 0.5f, 0.75f);
    lights.Load(0);
    lights.SetDiffuse(2, 1, 1, 1);  // no longer in the tables
    EXPECT_FLOAT_EQ(Light(GL_LIGHT2, GL_DIFFUSE)[1], 0.5f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    lights.UnLoad(0);
    for (GLenum cap : kSwitches) EXPECT_FALSE(glIsEnabled(cap));
    lights.Enable();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && Lighting().Enabled);
    lights.Disable();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING) || Lighting().Enabled);
    // Indexes no GL light has are ignored.
    lights.Load(8);
    lights.Load(-1);
    lights.SetAmbient(8, 1, 1, 1);
}

TEST_F(LightsTest, MaterialOfALightAppliesWithItsNextSetting) {
    Lights lights;
    lights.Load(0);
    lights.SetAmbient(0, 0, 0, 0);
    const float before = Shininess();
    lights.SetMaterialShine(0, 42);
    EXPECT_FLOAT_EQ(Shininess(), before);
    lights.SetSpecular(0, 1, 1, 1);
    EXPECT_FLOAT_EQ(Shininess(), 42);
    lights.SetMaterialShine(0, 7);
    lights.Render();
    EXPECT_FLOAT_EQ(Shininess(), 7);
}

TEST_F(LightsTest, RenderPlacesLightsInWorldCoordinates) {
    Lights lights;
    lights.Load(1);
    lights.SetPosition(1, 10, 20, 30);
    lights.Move(1, 1, 1, 1);
    View().CameraPosition = {1, 1, 1};
    View().CameraRotation = {};
    lights.Render();
    // The world scale of 0.1 and the camera at (1, 1, 1): the light's eye position.
    const std::vector<float> eye = Light(GL_LIGHT1, GL_POSITION);
    EXPECT_TRUE(NearXyz({eye[0], 0, eye[2]}, {1, 0, 3}, 1e-5f));
    EXPECT_FLOAT_EQ(eye[3], 1);
    View().CameraPosition = {};
}

TEST_F(LightsTest, ShadowBracketRestoresTheState) {
    Lights lights;
    lights.Load(0);
    lights.BeginShadow(0);
    EXPECT_TRUE(Lighting().ShadowPass);
    lights.EndShadow(0);
    EXPECT_FALSE(Lighting().ShadowPass);
    for (GLenum cap : {GL_BLEND, GL_STENCIL_TEST, GL_POLYGON_OFFSET_FILL}) EXPECT_FALSE(glIsEnabled(cap));
    lights.EndShadow(0);    // nothing open: nothing happens
    lights.BeginShadow(3);  // no such light
    EXPECT_FALSE(Lighting().ShadowPass);
}

TEST(ShadowMatrix, FlattensOntoThePlaneFromTheLight) {
    // SetPlane(0, 1, 0) with distance 0 stores the plane (0, -1, 0, 0); the
    // light at (0, 10, 0) gives dot = -10.
    const Matrix4 m = PlanarShadowMatrix({0, 10, 0}, 0, -1, 0, 0);
    const VECTOR3 p = TransformPoint(m.data(), {1, 5, 0});
    const float w = m[3] * 1 + m[7] * 5 + m[15];
    EXPECT_TRUE(FloatsEq({p.x / w, p.y / w, p.z / w}, {2, 0, 0}));
}

}  // namespace
}  // namespace korvath::test
