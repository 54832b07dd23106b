#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

#include "core/EngineState.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "korvath/Camera.h"
#include "korvath/Frustum.h"
#include "platform/GL.h"
#include "support/TestSupport.h"
#include "world/EngineFrustum.h"
#include "world/FrustumPlanes.h"
#include "world/VolumeRecords.h"

using namespace korvath;

namespace {

using Corner = std::array<float, 3>;

// One engine for the whole suite: every test sets the matrices it needs.
class FrustumGL : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gl_ = new test::OffscreenEngine(64, 64); }
    static void TearDownTestSuite() {
        delete gl_;
        gl_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(gl_->initialized());
        saved_ = State();
    }
    void TearDown() override {
        View().CameraPosition = saved_.view.CameraPosition;
        View().CameraRotation = saved_.view.CameraRotation;
    }
    // Both matrices identity: the view volume is the cube -1..1 and every plane
    // is an axis plane at distance exactly 1.
    static void UnitCubeView() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        EngineFrustum().Update();
    }
    static test::OffscreenEngine* gl_;
    EngineState saved_;
};
test::OffscreenEngine* FrustumGL::gl_ = nullptr;

// Clip coordinates of p under projection x modelview, in double precision.
std::array<double, 4> Clip(const float* proj, const float* model, const Corner& p) {
    double eye[4], clip[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = model[r] * double{p[0]} + model[4 + r] * double{p[1]} + model[8 + r] * double{p[2]} + model[12 + r];
    for (int r = 0; r < 4; ++r)
        clip[r] = proj[r] * eye[0] + proj[4 + r] * eye[1] + proj[8 + r] * eye[2] + proj[12 + r] * eye[3];
    return {clip[0], clip[1], clip[2], clip[3]};
}

// Signed margins of a clip point against the six clip planes, in the frustum's
// plane order (right, left, bottom, top, near, far); positive is inside.
std::array<double, 6> Margins(const std::array<double, 4>& c) {
    return {c[3] - c[0], c[3] + c[0], c[3] + c[1], c[3] - c[1], c[3] + c[2], c[3] - c[2]};
}

struct HandClipper {
    float proj[16], model[16];
    HandClipper() {
        glGetFloatv(GL_PROJECTION_MATRIX, proj);
        glGetFloatv(GL_MODELVIEW_MATRIX, model);
    }
    // A point, or a box whose corners are all outside one and the same plane, is
    // culled; ambiguous when a corner is within rounding distance of a plane.
    bool Kept(const std::vector<Corner>& corners, bool& ambiguous) const {
        std::array<bool, 6> passed{};
        for (const Corner& p : corners) {
            const auto c = Clip(proj, model, p);
            const auto m = Margins(c);
            for (int i = 0; i < 6; ++i) {
                if (std::fabs(m[i]) < 1e-4 * (std::fabs(c[3]) + 1)) ambiguous = true;
                passed[i] = passed[i] || m[i] > 0;
            }
        }
        return std::all_of(passed.begin(), passed.end(), [](bool p) { return p; });
    }
};

std::vector<Corner> BoxCorners(const Corner& lo, const Corner& hi) {
    std::vector<Corner> corners;
    for (int k = 0; k < 8; ++k)
        corners.push_back({(k & 1) ? hi[0] : lo[0], (k & 2) ? hi[1] : lo[1], (k & 4) ? hi[2] : lo[2]});
    return corners;
}

// The test as written: corners in their order, strict comparison, plane by plane.
bool WrittenBoxTest(const std::array<FrustumPlane, 6>& planes, const VECTOR3& v1, const VECTOR3& v2) {
    const float corners[8][3] = {{v2.x, v2.y, v2.z}, {v1.x, v2.y, v2.z}, {v2.x, v1.y, v2.z}, {v1.x, v1.y, v2.z},
                                 {v2.x, v2.y, v1.z}, {v1.x, v2.y, v1.z}, {v2.x, v1.y, v1.z}, {v1.x, v1.y, v1.z}};
    for (const FrustumPlane& p : planes) {
        bool passed = false;
        for (const float* c : corners)
            if (p[0] * c[0] + p[1] * c[1] + p[2] * c[2] + p[3] > 0) {
                passed = true;
                break;
            }
        if (!passed) return false;
    }
    return true;
}

bool WrittenPointTest(const std::array<FrustumPlane, 6>& planes, float x, float y, float z, float r) {
    for (const FrustumPlane& p : planes)
        if (p[0] * x + p[1] * y + p[2] * z + p[3] <= -r) return false;
    return true;
}

}  // namespace

TEST_F(FrustumGL, PlanesClassifyLikeClippingWithTheGLMatrices) {
    Camera camera;
    camera.Set3DFieldOfView(70);
    const VECTOR3 views[][2] = {
        {{0, 0, 0}, {0, 0, 0}}, {{120, 64, -300}, {15, 40, 0}}, {{-50, 10, 80}, {330, 200, 20}}};
    int points = 0, pointsIn = 0, boxes = 0, boxesIn = 0;
    for (const auto& view : views) {
        camera.SetPosition(view[0].x, view[0].y, view[0].z);
        camera.SetRotation(view[1].x, view[1].y, view[1].z);
        ApplyViewTransform(false);
        EngineFrustum().Update();
        for (const FrustumPlane& p : FrustumPlanes()) EXPECT_NEAR(std::hypot(p[0], p[1], p[2]), 1, 1e-5);

        const HandClipper hand;
        const Frustum& frustum = EngineFrustum();
        for (float x = -600; x <= 600; x += 37)
            for (float y = -600; y <= 600; y += 41)
                for (float z = -600; z <= 600; z += 43) {
                    const Corner p{view[0].x + x, view[0].y + y, view[0].z + z};
                    bool ambiguous = false;
                    const bool inside = hand.Kept({p}, ambiguous);
                    if (!ambiguous) {
                        ++points;
                        pointsIn += inside;
                        EXPECT_EQ(frustum.PointInFrustum(p[0], p[1], p[2], 0), inside)
                            << p[0] << " " << p[1] << " " << p[2];
                    }
                    const Corner hi{p[0] + 30, p[1] + 50, p[2] + 20};
                    ambiguous = false;
                    const bool kept = hand.Kept(BoxCorners(p, hi), ambiguous);
                    if (!ambiguous) {
                        ++boxes;
                        boxesIn += kept;
                        EXPECT_EQ(frustum.BoxInFrustum({p[0], p[1], p[2]}, {hi[0], hi[1], hi[2]}), kept)
                            << p[0] << " " << p[1] << " " << p[2];
                    }
                }
    }
    // The grid must exercise both answers, not just one.
    EXPECT_TRUE(pointsIn > 1000 && points - pointsIn > 10000) << pointsIn << " of " << points;
    EXPECT_TRUE(boxesIn > 1000 && boxes - boxesIn > 10000) << boxesIn << " of " << boxes;
}

TEST_F(FrustumGL, PlanesComeInTheirOrder) {
    Camera camera;
    camera.Set3DFieldOfView(70);  // camera at the origin looking down -z, modelview identity
    EngineFrustum().Update();
    // One point beyond each plane in turn: right, left, bottom, top, near, far.
    const Corner beyond[6] = {{100, 0, -10}, {-100, 0, -10}, {0, -100, -10},
                              {0, 100, -10}, {0, 0, -0.01f}, {0, 0, -20000}};
    const auto planes = FrustumPlanes();
    for (int k = 0; k < 6; ++k)
        for (int i = 0; i < 6; ++i) {
            const float d =
                planes[i][0] * beyond[k][0] + planes[i][1] * beyond[k][1] + planes[i][2] * beyond[k][2] + planes[i][3];
            EXPECT_EQ(d < 0, i == k) << "point " << k << " plane " << i;
        }
}

TEST_F(FrustumGL, BoundaryCasesComeOutAsWritten) {
    UnitCubeView();
    const auto planes = FrustumPlanes();
    EXPECT_EQ(planes[0], (FrustumPlane{-1, 0, 0, 1}));
    EXPECT_EQ(planes[5], (FrustumPlane{0, 0, -1, 1}));
    const Frustum& f = EngineFrustum();

    // A sphere outside a plane by exactly its radius is out; a hair closer is in.
    EXPECT_TRUE(f.PointInFrustum(1.25f, 0, 0, 0.5f));
    EXPECT_FALSE(f.PointInFrustum(1.5f, 0, 0, 0.5f) || f.PointInFrustum(0, 0, -1, 0));  // the last on the plane with no radius

    // Straddling a plane is in; resting on it from outside is out (a corner on a
    // plane does not pass it); surrounding the whole view volume is in.
    EXPECT_TRUE(f.BoxInFrustum({0.5f, -0.5f, -0.5f}, {1.5f, 0.5f, 0.5f}));
    EXPECT_FALSE(f.BoxInFrustum({1, 0, 0}, {2, 0.5f, 0.5f}));
    EXPECT_TRUE(f.BoxInFrustum({-5, -5, -5}, {5, 5, 5}));
    EXPECT_TRUE(f.BoxInFrustum({5, 5, 5}, {-5, -5, -5}));  // corners in either order
    EXPECT_TRUE(!f.CubeInFrustum(1.5f, 0, 0, 0.5f) && f.CubeInFrustum(1.4f, 0, 0, 0.5f));

    // The same holds in a perspective view around the camera.
    Camera camera;
    camera.Set3DFieldOfView(70);
    camera.SetPosition(10, 20, 30);
    camera.SetRotation(20, 300, 0);
    ApplyViewTransform(false);
    EngineFrustum().Update();
    EXPECT_TRUE(f.BoxInFrustum({-1e6f, -1e6f, -1e6f}, {1e6f, 1e6f, 1e6f}));
}

TEST_F(FrustumGL, VolumeInFrustumCodes) {
    UnitCubeView();
    const Frustum& f = EngineFrustum();
    const VOLUME seen = test::ComputedVolume({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    const VOLUME hidden = test::ComputedVolume({3, 3, 3}, {4, 4, 4});
    VOLUME pending = seen;
    pending.Enabled = false;

    // The last case is a model never rendered.
    const std::pair<std::vector<VOLUME>, int32_t> cases[] = {{{seen, hidden}, 1}, {{hidden, hidden, seen}, 3}, {{hidden}, 0},
                                                             {{}, 0}, {{pending, seen}, -1}, {{hidden, pending, seen}, -1},
                                                             {{VOLUME{}}, -1}};
    for (const auto& [volumes, code] : cases) EXPECT_EQ(f.VolumeInFrustum(volumes), code) << volumes.size();
}

TEST_F(FrustumGL, EveryFrustumSharesOnePlaneTable) {
    Frustum first, second;
    UnitCubeView();
    EXPECT_FALSE(second.PointInFrustum(2, 0, 0, 0));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -4, 4, -4, 4);
    glMatrixMode(GL_MODELVIEW);
    second.Update();
    EXPECT_TRUE(first.PointInFrustum(2, 0, 0, 0));
}

// The box test runs on all planes at once; it must answer exactly as trying the
// corners one by one, also for corners on a plane, signed zeros, infinities and NaN.
TEST_F(FrustumGL, FastBoxTestAnswersExactlyAsWritten) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> matrixEntry(-2, 2), coordinate(-3, 3);
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const float specials[] = {0.0f, -0.0f, 1, -1, 0.5f, inf, -inf, nan, 1e30f, -1e30f};
    auto pick = [&] {
        const unsigned kind = random() % 4;
        return kind == 0 ? specials[random() % std::size(specials)] : coordinate(random);
    };
    int mismatches = 0, kept = 0, tested = 0;
    for (int view = 0; view < 40; ++view) {
        if (view == 0) {
            UnitCubeView();  // exact planes, so corners land exactly on them
        } else {
            float proj[16], model[16];
            for (int i = 0; i < 16; ++i) proj[i] = matrixEntry(random), model[i] = matrixEntry(random);
            glMatrixMode(GL_PROJECTION);
            glLoadMatrixf(proj);
            glMatrixMode(GL_MODELVIEW);
            glLoadMatrixf(model);
            EngineFrustum().Update();
        }
        const auto planes = FrustumPlanes();
        const Frustum& f = EngineFrustum();
        for (int n = 0; n < 5000; ++n) {
            const VECTOR3 v1{pick(), pick(), pick()}, v2{pick(), pick(), pick()};
            const bool written = WrittenBoxTest(planes, v1, v2);
            mismatches += f.BoxInFrustum(v1, v2) != written;
            kept += written;
            ++tested;
            const float s = pick();
            mismatches += f.CubeInFrustum(v1.x, v1.y, v1.z, s) !=
                          WrittenBoxTest(planes, {v1.x - s, v1.y - s, v1.z - s}, {v1.x + s, v1.y + s, v1.z + s});
            mismatches += f.PointInFrustum(v1.x, v1.y, v1.z, s) != WrittenPointTest(planes, v1.x, v1.y, v1.z, s);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(kept, tested / 10);
    EXPECT_LT(kept, tested * 9 / 10);
}
