// Lights on the offscreen context: the tables resized together, the GL light
// and material state each member sets, and the shadow matrix.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "effects/ShadowMatrix.h"
#include "korvath/Lights.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

namespace korvath::test {
namespace {

class LightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.initialized());
        State().CameraPosition = {};
        State().CameraRotation = {};
    }
    void TearDown() override {
        for (GLenum cap : {GL_LIGHTING, GL_NORMALIZE, GL_COLOR_MATERIAL, GL_LIGHT0, GL_LIGHT1, GL_LIGHT2})
            glDisable(cap);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
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

TEST_F(LightsTest, LoadAndUnLoadSwitchLighting) {
    Lights lights;
    lights.Load(2);
    for (GLenum cap : {GL_LIGHTING, GL_NORMALIZE, GL_COLOR_MATERIAL, GL_LIGHT2}) EXPECT_TRUE(glIsEnabled(cap));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    lights.UnLoad(2);
    for (GLenum cap : {GL_LIGHTING, GL_NORMALIZE, GL_COLOR_MATERIAL, GL_LIGHT2}) EXPECT_FALSE(glIsEnabled(cap));
    lights.Enable();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(State().LightingEnabled);
    lights.Disable();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(State().LightingEnabled);
    // Indexes no GL light has are ignored.
    lights.Load(8);
    lights.Load(-1);
    lights.SetAmbient(8, 1, 1, 1);
}

TEST_F(LightsTest, ShrinkingTheTablesDropsTheHigherLights) {
    Lights lights;
    lights.Load(2);
    lights.SetDiffuse(2, 0.25f, 0.5f, 0.75f);
    EXPECT_FLOAT_EQ(Light(GL_LIGHT2, GL_DIFFUSE)[1], 0.5f);
    lights.Load(0);
    lights.SetDiffuse(2, 1, 1, 1);  // no longer in the tables
    EXPECT_FLOAT_EQ(Light(GL_LIGHT2, GL_DIFFUSE)[1], 0.5f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    lights.SetDiffuse(0, 0.1f, 0.2f, 0.3f);
    EXPECT_EQ(Light(GL_LIGHT0, GL_DIFFUSE), (std::vector<float>{0.1f, 0.2f, 0.3f, 1}));
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
    State().CameraPosition = {1, 1, 1};
    lights.Render();
    // The world scale of 0.1 and the camera at (1, 1, 1): the light's eye position.
    const std::vector<float> eye = Light(GL_LIGHT1, GL_POSITION);
    EXPECT_NEAR(eye[0], 1, 1e-5);
    EXPECT_NEAR(eye[1], 2, 1e-5);
    EXPECT_NEAR(eye[2], 3, 1e-5);
    EXPECT_FLOAT_EQ(eye[3], 1);
    // A direction goes through the modelview matrix as it stands: here the view.
    lights.SetDirection(1, 0, -1, 0);
    EXPECT_NEAR(Light(GL_LIGHT1, GL_SPOT_DIRECTION)[1], -0.1f, 1e-5);
}

TEST_F(LightsTest, ShadowBracketRestoresTheState) {
    Lights lights;
    lights.Load(0);
    lights.BeginShadow(0);
    EXPECT_TRUE(State().ShadowPass);
    lights.EndShadow(0);
    EXPECT_FALSE(State().ShadowPass);
    for (GLenum cap : {GL_BLEND, GL_STENCIL_TEST, GL_POLYGON_OFFSET_FILL}) EXPECT_FALSE(glIsEnabled(cap));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 1);
    lights.EndShadow(0);  // nothing open: nothing happens
    lights.BeginShadow(3);  // no such light
    EXPECT_FALSE(State().ShadowPass);
}

TEST(ShadowMatrix, FlattensOntoThePlaneFromTheLight) {
    // SetPlane(0, 1, 0) with distance 0 stores the plane (0, -1, 0, 0).
    const Matrix4 m = PlanarShadowMatrix({0, 10, 0}, 0, -1, 0, 0);
    EXPECT_FLOAT_EQ(m[15], 10);  // d - dot, dot = -10
    const VECTOR3 p = TransformPoint(m.data(), {1, 5, 0});
    const float w = m[3] * 1 + m[7] * 5 + m[11] * 0 + m[15];
    EXPECT_FLOAT_EQ(p.x / w, 2);
    EXPECT_FLOAT_EQ(p.y / w, 0);
    EXPECT_FLOAT_EQ(p.z / w, 0);
}

}  // namespace
}  // namespace korvath::test
