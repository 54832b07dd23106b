#include <gtest/gtest.h>

#include "core/ExtTable.h"
#include "korvath/Programs.h"
#include "materials/MaterialTestSupport.h"

using namespace korvath;
using namespace korvath::test;

namespace {

const GLfloat kCorners[8] = {0, 0, 1, 0, 1, 1, 0, 1};

// Both texture units read the unit square's corners as coordinates.
void SetQuadArrays() {
    const GLExtFunctions& f = GLExt();
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
        f.glClientActiveTextureARB(unit);
        glTexCoordPointer(2, GL_FLOAT, 0, kCorners);
    }
    f.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glVertexPointer(2, GL_FLOAT, 0, kCorners);
    glEnableClientState(GL_VERTEX_ARRAY);
}

// A full-screen quad over black, with nothing but the material deciding the colour.
class ShaderDraw : public MaterialTest {
protected:
    void SetUp() override {
        MaterialTest::SetUp();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor4f(1, 1, 1, 1);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, 1, 0, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT);
        SetQuadArrays();
        WritePicture("first.bmp", 30, 60, 120);
        WritePicture("second.bmp", 20, 100, 50);
    }
    void TearDown() override {
        glDisableClientState(GL_VERTEX_ARRAY);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
        MaterialTest::TearDown();
    }
    static std::vector<uint8_t> CentreRgb() {
        const std::vector<uint8_t> pixel = ReadPixels(320, 240, 1, 1);
        return {pixel[0], pixel[1], pixel[2]};
    }
};

}  // namespace

// Stage 0 draws its picture, stage 1 adds its own on top.
TEST_F(ShaderDraw, TwoStagesBlendAsWritten) {
    SHADER material = Parse({"textures/m", "{", "\t{", "\t\tmap first.bmp", "\t}", "\t{", "\t\tmap second.jpg",
                             "\t\tblendFunc GL_ONE GL_ONE", "\t}", "}"});
    ASSERT_EQ(material.Stages.size(), 2u);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (SHADER_STAGE& stage : material.Stages) {
        ApplyStage(stage);
        glDrawArrays(GL_QUADS, 0, 4);
        ResetStage(stage);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    WriteScreenshot(ProcessDirectory() + "/two-stages.png", 640, 480);
    EXPECT_EQ(CentreRgb(), (std::vector<uint8_t>{120 + 50, 60 + 100, 30 + 20}));
    FreeMaterial(material);
}

// The program sums the two samplers; it sees stage i on unit i.
TEST_F(ShaderDraw, BindMaterialPutsStagesOnUnitsWithTheProgram) {
    const std::string vertex =
        "void main() {\n gl_TexCoord[0] = gl_MultiTexCoord0;\n gl_TexCoord[1] = gl_MultiTexCoord1;\n"
        " gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n}";
    const std::string fragment =
        "uniform sampler2D first;\nuniform sampler2D second;\nvoid main() {\n"
        " gl_FragColor = texture2D(first, gl_TexCoord[0].st) + texture2D(second, gl_TexCoord[1].st);\n}";
    Write("glsl/add.vert", std::vector<uint8_t>(vertex.begin(), vertex.end()));
    Write("glsl/add.frag", std::vector<uint8_t>(fragment.begin(), fragment.end()));
    SHADER material = Parse({"textures/m", "{", "\tprogram glsl/add.vert glsl/add.frag", "\t{", "\t\tmap first.bmp",
                             "\t}", "\t{", "\t\tmap second.bmp", "\t}", "}"});
    ASSERT_NE(material.Program, 0);
    Programs programs;
    programs.SetUniformTexture(material.Program, "first", 0);
    programs.SetUniformTexture(material.Program, "second", 1);

    const GLExtFunctions& f = GLExt();
    BindMaterial(material);
    EXPECT_EQ(GLIntegers({GL_CURRENT_PROGRAM})[0], material.Program);
    for (GLenum i = 0; i < 2; ++i) {
        f.glActiveTextureARB(GL_TEXTURE0_ARB + i);
        f.glClientActiveTextureARB(GL_TEXTURE0_ARB + i);
        EXPECT_EQ(GLIntegers({GL_TEXTURE_BINDING_2D})[0], material.Stages[i].Textures[0]) << i;
        EXPECT_EQ(GLEnabled({GL_TEXTURE_2D, GL_TEXTURE_COORD_ARRAY}), std::vector<bool>(2, true)) << i;
    }
    glDrawArrays(GL_QUADS, 0, 4);
    UnbindMaterial(material);
    WriteScreenshot(ProcessDirectory() + "/program.png", 640, 480);
    EXPECT_EQ(CentreRgb(), (std::vector<uint8_t>{120 + 50, 60 + 100, 30 + 20}));

    EXPECT_EQ(GLIntegers({GL_CURRENT_PROGRAM, GL_ACTIVE_TEXTURE}), (std::vector<int32_t>{0, GL_TEXTURE0}));
    for (GLenum i = 0; i < 2; ++i) {
        f.glActiveTextureARB(GL_TEXTURE0_ARB + i);
        f.glClientActiveTextureARB(GL_TEXTURE0_ARB + i);
        EXPECT_EQ(GLEnabled({GL_TEXTURE_2D, GL_TEXTURE_COORD_ARRAY}), std::vector<bool>(2, false)) << i;
    }
    f.glActiveTextureARB(GL_TEXTURE0_ARB);
    f.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    FreeMaterial(material);
}
