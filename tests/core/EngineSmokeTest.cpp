#include <gtest/gtest.h>

#include "core/Globals.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

using namespace korvath;

TEST(EngineSmoke, InitializesOnOffscreenContext) {
    test::OffscreenEngine gl;
    ASSERT_TRUE(gl.initialized());
    GLint stencil = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    EXPECT_EQ(stencil, 8);
}
