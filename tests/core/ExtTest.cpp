#include <gtest/gtest.h>

#include <memory>

#include "core/ExtTable.h"
#include "core/Services.h"
#include "korvath/Ext.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {
// One engine for the suite; each test makes its own query object.
class ExtQueries : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gl_ = std::make_unique<test::OffscreenEngine>(); }
    static void TearDownTestSuite() { gl_.reset(); }
    void SetUp() override { ASSERT_TRUE(gl_->initialized()); }
    static inline std::unique_ptr<test::OffscreenEngine> gl_;
    Ext ext;
};
}  // namespace

TEST_F(ExtQueries, ExtensionTestTrimsTheNameAndSearchesTheString) {
    std::string name = "  GL_ARB_multitexture  ";
    EXPECT_TRUE(ext.IsExtensionSupported(name));
    EXPECT_EQ(name, "GL_ARB_multitexture");
    std::string prefix = "GL_ARB_multi";  // a part of an advertised name counts
    EXPECT_TRUE(ext.IsExtensionSupported(prefix));
    std::string empty, missing = "GL_KORVATH_no_such_thing";
    EXPECT_TRUE(ext.IsExtensionSupported(empty));
    EXPECT_FALSE(ext.IsExtensionSupported(missing));
}

TEST_F(ExtQueries, WindowSystemExtensionsComeFromTheContextBinding) {
    std::string missing = " KORVATH_no_such_thing ";
    EXPECT_FALSE(ext.IsWiggleExtensionSupported(missing));
    EXPECT_EQ(missing, "KORVATH_no_such_thing");
    // The offscreen driver binds through EGL, which always lists its platform extensions.
    std::string egl = "EGL_";
    EXPECT_TRUE(ext.IsWiggleExtensionSupported(egl));
}

TEST_F(ExtQueries, PatchFillsTheTableAndUnpatchClearsIt) {
    ASSERT_TRUE(ext.PatchGLExt());
    EXPECT_TRUE(ext.Patched());
    const GLExtFunctions& f = GLExt();
    EXPECT_TRUE(f.glActiveTextureARB && f.glCreateProgramObjectARB && f.glUniform4fvARB);
    ext.UnPatchGLExt();
    EXPECT_FALSE(ext.Patched());
    EXPECT_EQ(f.glActiveTextureARB, nullptr);
    // The window system answers on a live context whether or not a table is bound.
    std::string name = "EGL_";
    EXPECT_TRUE(ext.IsWiggleExtensionSupported(name));
    EngineExt().PatchGLExt();  // give the engine its table back
}

TEST_F(ExtQueries, AnUnusedObjectLeavesTheEngineBindingAlone) {
    { Ext queries; }
    EXPECT_NE(GLExt().glActiveTextureARB, nullptr);
}
