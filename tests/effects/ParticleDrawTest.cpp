// Particles drawn on the offscreen context and read back: billboards face the
// camera, decals lie in their plane, blending and life show in the pixels.
#include <algorithm>

#include "core/EngineState.h"
#include "core/Math.h"
#include "core/Matrix.h"
#include "korvath/Particles.h"
#include "materials/MaterialCodes.h"
#include "support/RenderFixture.h"

using namespace korvath;

namespace {

constexpr int kSize = 128;

struct LitBox {
    int left = kSize, right = -1, bottom = kSize, top = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return top - bottom + 1; }
};

class ParticleDraw : public test::RenderTest<kSize> {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        saved_ = State();
        camera_.Set3DFieldOfView(70);
        camera_.SetPosition(0, 0, 0);
        camera_.SetRotation(0, 0, 0);
    }
    void TearDown() override {
        View().CameraPosition = saved_.view.CameraPosition;
        View().CameraRotation = saved_.view.CameraRotation;
        Timing() = saved_.timing;
        glDeleteTextures(static_cast<GLsizei>(textures_.size()), textures_.data());
    }
    // One stage over a 1 x 1 texture of the colour, blended with the pair.
    SHADER Material(GLenum source, GLenum destination, uint8_t r = 255, uint8_t g = 255, uint8_t b = 255) {
        GLuint name = 0;
        glGenTextures(1, &name);
        textures_.push_back(name);
        const uint8_t pixel[4] = {r, g, b, 255};
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        SHADER material;
        material.Stages.resize(1);
        material.Stages[0].Textures[0] = static_cast<int32_t>(name);
        material.Stages[0].Flags = kStageBlend;
        material.Stages[0].Blend[0] = static_cast<int32_t>(source);
        material.Stages[0].Blend[1] = static_cast<int32_t>(destination);
        return material;
    }
    // A pool of one living particle at a world point, held still.
    static void PlaceOne(Particles& p, const VECTOR3& at, float size, float life = 1) {
        p.Load(1);
        p.Emission(false);
        p.Life(0, life);
        p.Size(0, size);
        p.Destination(0, at);
    }
    static LitBox Lit(const test::Picture& picture) {
        LitBox box;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const uint8_t* p = picture.At(x, y);
                if (p[0] + p[1] + p[2] == 0) continue;
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.bottom = std::min(box.bottom, y);
                box.top = std::max(box.top, y);
            }
        return box;
    }
    // The unit world direction the camera looks along, from its view transform.
    static VECTOR3 Forward() {
        ApplyViewTransform(false);
        float m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        return VectorNormalize({-m[2], -m[6], -m[10]});
    }
    // The pixel on the centre row where a point 100 units ahead at world x lands.
    static std::vector<uint8_t> At(float worldX) {
        const int x = kSize / 2 + static_cast<int>(worldX * 0.914f);  // 64 / tan 35 deg / 100 * 1.4
        return test::ReadPixels(x, kSize / 2, 1, 1);
    }
    static std::vector<uint8_t> Centre() { return test::ReadPixels(kSize / 2, kSize / 2, 1, 1); }

    EngineState saved_;
    Camera camera_;
    std::vector<GLuint> textures_;
};

}  // namespace

TEST_F(ParticleDraw, BillboardsFaceTheCameraFromAnyAngle) {
    Particles p;
    PlaceOne(p, {0, 0, -100}, 99);
    p.SetShader(Material(GL_ONE, GL_ONE));
    p.Render();
    const LitBox ahead = Lit(Take());
    Save("particle-billboard-ahead.png");
    ASSERT_GT(ahead.Width(), 10);
    EXPECT_NEAR(ahead.Width(), ahead.Height(), 1);
    EXPECT_NEAR((ahead.left + ahead.right) / 2.0, kSize / 2.0, 1);

    // Turned and pitched, with the particle straight ahead again: the same square.
    camera_.SetRotation(30, 45, 0);
    const VECTOR3 d = Forward();
    p.Destination(0, {d.x * 100, d.y * 100, d.z * 100});
    Clear(0, 0, 0);
    p.Render();
    const LitBox turned = Lit(Take());
    Save("particle-billboard-turned.png");
    EXPECT_NEAR(turned.Width(), ahead.Width(), 1);
    EXPECT_NEAR(turned.Height(), ahead.Height(), 1);
    EXPECT_NEAR((turned.bottom + turned.top) / 2.0, kSize / 2.0, 1);
}

TEST_F(ParticleDraw, DecalsLieInThePlaneOfTheirNormal) {
    Particles wall;
    PlaceOne(wall, {0, 0, -100}, 9);
    wall.SetShader(Material(GL_ONE, GL_ONE));
    wall.Decal(0, true);
    wall.Normal(0, {0, 0, 1});
    wall.Render();
    const LitBox facing = Lit(Take());
    EXPECT_NEAR(facing.Width(), facing.Height(), 1);
    ASSERT_GT(facing.Width(), 10);

    // The same decal on a floor below the eye is seen edge-on: wide and flat.
    Clear(0, 0, 0);
    wall.Destination(0, {0, -20, -100});
    wall.Normal(0, {0, 1, 0});
    wall.Render();
    const LitBox floor = Lit(Take());
    Save("particle-decal-floor.png");
    EXPECT_GT(floor.Width(), 3 * floor.Height());
    EXPECT_LT(floor.top, kSize / 2);
}

TEST_F(ParticleDraw, AdditiveBlendingBrightensWhatIsBehind) {
    Particles p;
    PlaceOne(p, {0, 0, -100}, 99);
    p.SetShader(Material(GL_ONE, GL_ONE));
    p.SetColor(0, 0.5f, 0, 0);
    Clear(0.25f, 0.25f, 0.25f);
    p.Render();
    EXPECT_NEAR(Centre()[0], 64 + 128, 2);
    EXPECT_NEAR(Centre()[1], 64, 2);
    EXPECT_NEAR(test::ReadPixels(2, 2, 1, 1)[0], 64, 2);
}

TEST_F(ParticleDraw, OpacityFollowsLifeAndTheDeadAreNotDrawn) {
    Particles p;
    PlaceOne(p, {0, 0, -100}, 99, 0.5f);
    p.SetShader(Material(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
    p.Death(0, 1);
    Timing().FrameTime = 0.25f;
    p.Update();  // life 0.25, and with it the alpha
    p.Render();
    EXPECT_NEAR(Centre()[0], 64, 2);

    // Dead, waiting for a respawn that the rate holds back: not drawn.
    Clear(0, 0, 0);
    p.Emission(true);
    p.SetRate(1e6f);
    p.Life(0, 0.05f);
    Timing().CurrentTick = -1;
    p.Update();
    p.Render();
    EXPECT_EQ(Centre()[0], 0);
}

TEST_F(ParticleDraw, EveryParticleKeepsItsOwnMaterialAndInvisibleOnesAreSkipped) {
    Particles p;
    p.Load(4);
    p.Emission(false);
    p.SetShader(Material(GL_ONE, GL_ONE, 255, 0, 0));
    p.Shader(1, Material(GL_ONE, GL_ONE, 0, 0, 255));
    const float xs[4] = {-30, -10, 10, 30};
    for (int32_t i = 0; i < 4; ++i) {
        p.Life(i, 1);
        p.Size(i, 20);
        p.Destination(i, {xs[i], 0, -100});
    }
    p.Visible(3, false);
    Timing().FrameVertices = 0;
    p.Render();
    Save("particle-materials.png");
    EXPECT_TRUE(At(-30)[0] > 200 && At(-10)[2] > 200 && At(10)[0] > 200);
    EXPECT_EQ(At(-10)[0] + At(30)[0], 0);
    EXPECT_EQ(Timing().FrameVertices, 9);
}

TEST_F(ParticleDraw, PoolsLargerThanOneDrawAreDrawnWhole) {
    // More quads than one draw's 16-bit indices reach: the last particle lands
    // in the second draw, the one before it at the end of the first.
    Particles p;
    constexpr int32_t kCount = 65536 / 4 + 2;
    p.Load(kCount);
    p.Emission(false);
    p.SetShader(Material(GL_ONE, GL_ONE));
    for (int32_t i = 0; i < kCount; ++i) {
        p.Life(i, 1);
        p.Size(i, 20);
        p.Destination(i, {-30, 0, -100});
    }
    p.Destination(kCount - 2, {0, 0, -100});
    p.Destination(kCount - 1, {30, 0, -100});
    p.Render();
    for (const float x : {-30.0f, 0.0f, 30.0f}) EXPECT_GT(At(x)[0], 200) << x;
    EXPECT_EQ(At(15)[0], 0);
}
