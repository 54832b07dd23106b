#include <gtest/gtest.h>

#include "core/ExtTable.h"
#include "core/Services.h"
#include "korvath/Ext.h"
#include "support/TestSupport.h"

using namespace korvath;

TEST(Ext, ExtensionTestTrimsTheNameAndSearchesTheString) {
    test::OffscreenEngine gl;
    ASSERT_TRUE(gl.initialized());
    Ext ext;
    std::string name = "  GL_ARB_multitexture  ";
    EXPECT_TRUE(ext.IsExtensionSupported(name));
    EXPECT_EQ(name, "GL_ARB_multitexture");
    std::string prefix = "GL_ARB_multi";  // a part of an advertised name counts
    EXPECT_TRUE(ext.IsExtensionSupported(prefix));
    std::string empty;
    EXPECT_TRUE(ext.IsExtensionSupported(empty));
    std::string missing = "GL_KORVATH_no_such_thing";
    EXPECT_FALSE(ext.IsExtensionSupported(missing));
}

TEST(Ext, WindowSystemExtensionsComeFromTheContextBinding) {
    test::OffscreenEngine gl;
    ASSERT_TRUE(gl.initialized());
    Ext ext;
    std::string missing = " KORVATH_no_such_thing ";
    EXPECT_FALSE(ext.IsWiggleExtensionSupported(missing));
    EXPECT_EQ(missing, "KORVATH_no_such_thing");
    // The offscreen driver binds through EGL, which always lists its platform extensions.
    std::string egl = "EGL_";
    EXPECT_TRUE(ext.IsWiggleExtensionSupported(egl));
}

TEST(Ext, PatchFillsTheTableAndUnpatchClearsIt) {
    test::OffscreenEngine gl;
    ASSERT_TRUE(gl.initialized());
    Ext ext;
    ASSERT_TRUE(ext.PatchGLExt());
    EXPECT_TRUE(ext.Patched());
    const GLExtFunctions& f = GLExt();
    EXPECT_NE(f.glActiveTextureARB, nullptr);
    EXPECT_NE(f.glCreateProgramObjectARB, nullptr);
    EXPECT_NE(f.glUniform4fvARB, nullptr);
    ext.UnPatchGLExt();
    EXPECT_FALSE(ext.Patched());
    EXPECT_EQ(f.glActiveTextureARB, nullptr);
    // The window system answers on a live context whether or not a table is bound.
    std::string name = "EGL_";
    EXPECT_TRUE(ext.IsWiggleExtensionSupported(name));
    EngineExt().PatchGLExt();  // give the engine its table back
}

TEST(Ext, AnUnusedObjectLeavesTheEngineBindingAlone) {
    test::OffscreenEngine gl;
    ASSERT_TRUE(gl.initialized());
    { Ext queries; }
    EXPECT_NE(GLExt().glActiveTextureARB, nullptr);
}
