#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <vector>

#include "core/EngineState.h"
#include "core/Lighting.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "korvath/Camera.h"
#include "korvath/Volume.h"
#include "support/RenderFixture.h"
#include "world/VolumeRecords.h"

using namespace korvath;
using test::ProjectToWindow;

namespace {

constexpr int kSize = 128;

class VolumeRender : public test::RenderTest<kSize> {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        saved_ = State();
        Camera camera;
        camera.Set3DFieldOfView(70);
        camera.SetPosition(0, 0, 0);
        camera.SetRotation(0, 0, 0);
        glDisable(GL_TEXTURE_2D);
    }
    void TearDown() override {
        View().CameraPosition = saved_.view.CameraPosition;
        View().CameraRotation = saved_.view.CameraRotation;
        Lighting().Enabled = saved_.lighting.Enabled;
    }
    EngineState saved_;
};

// A box in front of the camera, wider than high and shallower than it is far.
VOLUME FrontBox(bool relative = false) { return test::ComputedVolume({-20, -15, -120}, {25, 15, -80}, relative); }

struct Screen : test::Picture {
    Screen() : Picture(kSize) {}
    bool Red(int x, int y) const {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) return false;
        const uint8_t* p = At(x, y);
        return p[0] > 200 && p[1] < 50 && p[2] < 50;
    }
    bool RedNear(double x, double y) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (Red(static_cast<int>(x) + dx, static_cast<int>(y) + dy)) return true;
        return false;
    }
};

// Samples along each of the twelve edges must be red.
void ExpectTwelveEdges(const Screen& screen, const VOLUME& box) {
    const VECTOR3 &a = box.Min, &b = box.Max;
    auto corner = [&](int k) { return VECTOR3{(k & 1) ? b.x : a.x, (k & 2) ? b.y : a.y, (k & 4) ? b.z : a.z}; };
    int edges = 0;
    for (int i = 0; i < 8; ++i)
        for (int bit : {1, 2, 4}) {
            if (i & bit) continue;
            double x0, y0, x1, y1;
            ProjectToWindow(corner(i), x0, y0);
            ProjectToWindow(corner(i | bit), x1, y1);
            for (double t : {0.25, 0.5, 0.75})
                EXPECT_TRUE(screen.RedNear(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t))
                    << "edge " << i << "-" << (i | bit) << " at " << t;
            ++edges;
        }
    EXPECT_EQ(edges, 12);
}

}  // namespace

TEST_F(VolumeRender, DrawsTheTwelveEdgesAndEmptiesTheArray) {
    std::vector<VOLUME> volumes{FrontBox()};
    Volume().Render(volumes, 1, 0, 0);
    const Screen screen;
    Save("volume_render.png");
    ExpectTwelveEdges(screen, FrontBox());

    // Only edges: the middle of the near face and the corners of the window stay dark.
    double cx, cy;
    ProjectToWindow({2.5f, 0, -80}, cx, cy);
    EXPECT_FALSE(screen.RedNear(cx, cy));
    EXPECT_FALSE(screen.RedNear(1, 1));
    EXPECT_FALSE(screen.RedNear(kSize - 2, kSize - 2));

    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4);
    EXPECT_TRUE(volumes.empty());

    // The same variable a second time draws nothing.
    Clear();
    Volume().Render(volumes, 1, 0, 0);
    EXPECT_EQ(Screen().Lit(), 0);
}

TEST_F(VolumeRender, RelativeBoxesIgnoreTheCamera) {
    Camera camera;
    camera.SetPosition(500, 300, -40);
    camera.SetRotation(0, 90, 0);
    std::vector<VOLUME> volumes{FrontBox(true)};
    Volume().Render(volumes, 1, 0, 0);
    const Screen screen;
    camera.SetPosition(0, 0, 0);  // where the box lands with no camera transform
    camera.SetRotation(0, 0, 0);
    ExpectTwelveEdges(screen, FrontBox());
}

TEST_F(VolumeRender, LightingComesBackOnlyForALitScene) {
    std::vector<VOLUME> volumes{FrontBox()};
    Lighting().Enabled = false;
    Volume().Render(volumes);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    volumes = {FrontBox()};
    Lighting().Enabled = true;
    glEnable(GL_LIGHTING);
    Volume().Render(volumes);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glDisable(GL_LIGHTING);
}
