#include <cmath>
#include <gtest/gtest.h>

#include "core/EngineState.h"
#include "core/FrameTiming.h"
#include "core/Math.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "korvath/Camera.h"
#include "support/RenderFixture.h"

using namespace korvath;

namespace {

void ExpectVector(const VECTOR3& v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_TRUE(test::NearXyz(v, {x, y, z}, tolerance));
}

Matrix4 ReadModelview() {
    Matrix4 m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

// A matrix with distinct entries so a transposed or swapped product shows.
Matrix4 Sample(float base) {
    Matrix4 m{};
    for (int i = 0; i < 16; ++i) m[i] = base + static_cast<float>(i) * 0.5f - static_cast<float>(i % 3);
    return m;
}

class MathGL : public test::RenderTest<64> {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        saved_ = State();
        glMatrixMode(GL_MODELVIEW);
    }
    void TearDown() override {
        View().CameraPosition = saved_.view.CameraPosition;
        View().CameraRotation = saved_.view.CameraRotation;
        Timing().FrameTime = saved_.timing.FrameTime;
    }
    EngineState saved_;
};

}  // namespace

TEST(Math, VectorUtilities) {
    ExpectVector(VectorNormalize({0, 0, 0}), 0, 0, 0);
    ExpectVector(VectorNormalize({3, 0, 4}), 0.6f, 0, 0.8f);
    ExpectVector(VectorDelta({1, 2, 3}, {4, 6, 8}), 3, 4, 5);
    EXPECT_FLOAT_EQ(VectorDistance({1, 2, 3}, {4, 6, 3}), 5);
    ExpectVector(VectorCross({1, 0, 0}, {0, 1, 0}), 0, 0, 1);
    ExpectVector(VectorCross({0, 1, 0}, {0, 0, 1}), 1, 0, 0);
    const VECTOR4 q = MakeQuaternion(1, 2, 3, 4);
    EXPECT_EQ(std::pair(q.w, q.x), std::pair(1.0f, 2.0f));
    // i * j = k in the Hamilton product.
    const VECTOR4 k = QuaternionMultiply(MakeQuaternion(0, 1, 0, 0), MakeQuaternion(0, 0, 1, 0));
    EXPECT_TRUE(test::FloatsEq({k.z, k.w}, {1, 0}));
}

TEST(Math, RandomRangeCoversMinToJustBelowMaxPlusOne) {
    float low = 10, high = -10;
    for (int i = 0; i < 20000; ++i) {
        const float r = RandomRange(0, 1);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 2);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    EXPECT_LT(low, 0.01f);
    EXPECT_GT(high, 1.99f);
}

TEST(Math, RotationsWrapOnceAndIndexesStayInsideTheTables) {
    ExpectVector(AddRotation({}, -90, 0, 400), 270, 0, 40);
    ExpectVector(AddRotation({0, 355, 0}, 0, 10, 0), 0, 5, 0);
    ExpectVector(AddRotation({0, 350, 0}, 0, 10, 0), 0, 360, 0);
    // 359.5 and 0.5 round half to even.
    for (const auto& [degrees, index] : {std::pair{360.0f, 360}, {359.5f, 360}, {0.5f, 0}, {-90.0f, 270}, {725.0f, 5}, {NAN, 0}})
        EXPECT_EQ(DegreeIndex(degrees), index) << degrees;
    EXPECT_GE(DegreeIndex(-3e9f), 0);
    EXPECT_LE(DegreeIndex(3e38f), 360);
}

TEST_F(MathGL, MatrixMultiplyMatchesGLMultMatrixOrder) {
    const Matrix4 a = Sample(1), b = Sample(-2);
    glLoadMatrixf(b.data());
    glMultMatrixf(a.data());  // GL computes b * a in column-major terms
    const Matrix4 gl = ReadModelview();
    const Matrix4 ours = MatrixMultiply(a, b);  // R[4i+j] = sum A[4i+k] B[4k+j]
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(ours[i], gl[i], 1e-3f) << i;
}

TEST_F(MathGL, TransformPointMatchesGLTransform) {
    glLoadIdentity();
    ApplyPlacement({5, -3, 2}, {30, 45, 60});
    ApplyScale({2, 3, 4});
    const Matrix4 m = ReadModelview();
    const VECTOR3 p{1, 2, 3};
    // GL applies the matrix to the column vector (x, y, z, 1).
    float expected[3];
    for (int r = 0; r < 3; ++r) expected[r] = m[r] * p.x + m[4 + r] * p.y + m[8 + r] * p.z + m[12 + r];
    ExpectVector(TransformPoint(m.data(), p), expected[0], expected[1], expected[2], 1e-4f);
}

TEST_F(MathGL, ViewTransformScalesRotatesThenTranslates) {
    View().CameraPosition = {10, 20, 30};
    View().CameraRotation = {0, 90, 0};
    ApplyViewTransform(false);
    const Matrix4 m = ReadModelview();
    // A point 100 units along +x from a camera turned 90 degrees lies straight ahead
    // (negative eye z), scaled by 0.1.
    ExpectVector(TransformPoint(m.data(), {110, 20, 30}), 0, 0, -10, 1e-3f);
    ApplyViewTransform(true);
    ExpectVector(TransformPoint(ReadModelview().data(), {110, 20, 30}), 11, 2, 3, 1e-4f);
}

TEST_F(MathGL, CameraMovesAlongItsYawAndReportsItsDirection) {
    Camera camera;
    camera.SetPosition(0, 0, 0);
    camera.SetRotation(0, 0, 0);
    ExpectVector(camera.Direction(), 0, 0, -1);
    Timing().FrameTime = 0.5f;
    camera.Move(0, 0, 10);
    ExpectVector(camera.Position(), 0, 0, -5);

    camera.SetPosition(0, 0, 0);
    camera.SetRotation(0, 90, 0);
    ExpectVector(camera.Direction(), 1, 0, 0, 1e-4f);
    camera.Move(0, 0, 10);  // forward is now +x
    ExpectVector(camera.Position(), 5, 0, 0, 1e-4f);

    camera.Rotation({0, 725, 0});  // stored unchecked, looked up wrapped
    EXPECT_EQ(camera.Rotation().y, 725);
    ExpectVector(camera.Direction(), TableSine(5), 0, -TableCosine(5));
    camera.Rotate(0, 10, 0);
    EXPECT_FLOAT_EQ(camera.Rotation().y, 375);  // one correction only
}

// The public vector and quaternion helpers, on cases whose answers are known.
TEST(VectorMath, VectorsAndQuaternionsAsHostsUseThem) {
    const VECTOR3 a{1, 2, 3}, b{4, 6, 3};
    const VECTOR3 sum = VectorAdd(a, b), difference = VectorSubtract(b, a), scaled = VectorScale(a, 2);
    EXPECT_EQ(sum.x + sum.y + sum.z, 19);
    EXPECT_EQ(difference.x * 100 + difference.y * 10 + difference.z, 340);
    EXPECT_EQ(scaled.z, 6);
    EXPECT_FLOAT_EQ(VectorDistance(a, b), 5);
    EXPECT_FLOAT_EQ(VectorLength(VectorNormalize(b)), 1);
    const VECTOR3 z = VectorCross({1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(z.z, 1);

    // A quarter turn about y, and the way half of it goes.
    const float h = std::sqrt(0.5f);
    const VECTOR4 identity{0, 0, 0, 1}, quarter{0, h, 0, h};
    const VECTOR4 twice = QuaternionMultiply(quarter, quarter);  // a half turn
    EXPECT_TRUE(std::abs(twice.y - 1) < 1e-6 && std::abs(twice.w) < 1e-6) << twice.y << " " << twice.w;
    const VECTOR4 eighth = QuaternionSlerp(identity, quarter, 0.5f);
    EXPECT_NEAR(eighth.y, std::sin(3.14159265f / 8), 1e-6);
    EXPECT_NEAR(eighth.w, std::cos(3.14159265f / 8), 1e-6);
    // The same rotation written negated is taken the short way, and nearly equal
    // rotations blend without dividing by a vanishing sine.
    const VECTOR4 viaNegated = QuaternionSlerp(identity, {0, -h, 0, -h}, 0.5f);
    EXPECT_NEAR(viaNegated.y, eighth.y, 1e-6);
    const VECTOR4 close = QuaternionSlerp(identity, QuaternionNormalize({0, 1e-5f, 0, 1}), 0.5f);
    EXPECT_FALSE(std::isnan(close.w));
    EXPECT_NEAR(close.w, 1, 1e-6);
}
