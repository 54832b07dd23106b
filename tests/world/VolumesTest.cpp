#include <gtest/gtest.h>

#include <cmath>

#include "core/Math.h"
#include "platform/GL.h"
#include "support/TestSupport.h"
#include "world/Volumes.h"

using namespace korvath;

TEST(Volumes, EmptyBoxGrowsIntoTheBoundsOfItsPoints) {
    Box box = EmptyBox();
    EXPECT_EQ(std::pair(box.Min.x, box.Max.z), std::pair(65536.0f, -65536.0f));
    box = GrowBox(box, {1, -2, 3});
    EXPECT_EQ(test::Xyz(box.Min), test::Xyz(box.Max));
    EXPECT_EQ(test::Xyz(box.Min), test::Xyz({1, -2, 3}));
    box = GrowBox(box, {-4, 5, 0});
    box = GrowBox(box, {2, 0, 7});
    EXPECT_EQ(test::Xyz(box.Min), test::Xyz({-4, -2, 0}));
    EXPECT_EQ(test::Xyz(box.Max), test::Xyz({2, 5, 7}));
}

TEST(Volumes, ModelMatrixEqualsTheMatrixGLBuilds) {
    test::OffscreenEngine gl(64, 64);
    ASSERT_TRUE(gl.initialized());
    glMatrixMode(GL_MODELVIEW);
    const float angles[] = {0, 1, 30, 45, 89, 90, 135, 180, 225, 270, 315, 359, 360};
    const VECTOR3 position{12.5f, -40, 300}, scale{2, 0.5f, 3};
    int compared = 0;
    for (float ax : angles)
        for (float ay : {0.0f, 45.0f, 90.0f, 200.0f, 359.0f})
            for (float az : {0.0f, 60.0f, 180.0f, 290.0f}) {
                glLoadIdentity();
                glTranslatef(position.x, position.y, position.z);
                glRotatef(ax, 1, 0, 0);
                glRotatef(ay, 0, 1, 0);
                glRotatef(az, 0, 0, 1);
                glScalef(scale.x, scale.y, scale.z);
                float expected[16];
                glGetFloatv(GL_MODELVIEW_MATRIX, expected);
                const Matrix4 m = ModelMatrix(position, {ax, ay, az}, scale);
                for (int i = 0; i < 16; ++i)
                    EXPECT_NEAR(m[i], expected[i], 3e-4f) << "element " << i << " at " << ax << " " << ay << " " << az;
                ++compared;
            }
    EXPECT_EQ(compared, 13 * 5 * 4);

    // Angles are whole degrees, rounded half to even, and wrap outside 0..360.
    auto same = [](const Matrix4& a, const Matrix4& b) { return a == b; };
    const VECTOR3 one{1, 1, 1};
    EXPECT_TRUE(same(ModelMatrix({}, {12.5f, 0, 0}, one), ModelMatrix({}, {12, 0, 0}, one)));
    EXPECT_TRUE(same(ModelMatrix({}, {0, 13.5f, 0}, one), ModelMatrix({}, {0, 14, 0}, one)));
    EXPECT_TRUE(same(ModelMatrix({}, {-90, 400, 0}, one), ModelMatrix({}, {270, 40, 0}, one)));
}
