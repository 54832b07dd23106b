#include <gtest/gtest.h>

#include "core/ExtTable.h"
#include "core/Log.h"
#include "korvath/Programs.h"
#include "materials/TextureTestSupport.h"
#include "platform/Video.h"

using namespace korvath;
using namespace korvath::test;

namespace {

const char* const kVertex =
    "void main() {\n"
    "    gl_Position = gl_Vertex;\n"
    "}";  // no line break at the end

const char* const kTint =
    "uniform vec4 tint;\r\n"
    "void main() { gl_FragColor = tint; }\r\n";

// Every setter reaches the picture: red from the float, green from the vector 2,
// blue from the vector 3 plus the texture on unit 1.
const char* const kMixed =
    "uniform float red;\n"
    "uniform vec2 green;\n"
    "uniform vec3 blue;\n"
    "uniform sampler2D picture;\n"
    "void main() {\n"
    "    gl_FragColor = vec4(red, green.y, blue.z + texture2D(picture, vec2(0.5)).g, 1.0);\n"
    "}\n";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

int32_t CurrentProgram() { return GLIntegers({GL_CURRENT_PROGRAM})[0]; }

class ProgramsTest : public GLTextureTest {
protected:
    int32_t Build(const char* fragment) {
        const int32_t vertex = programs.Load(WriteTestFile("quad.vert", Bytes(kVertex)), PROGRAM_VERTEX);
        const int32_t pixel = programs.Load(WriteTestFile("quad.frag", Bytes(fragment)), PROGRAM_FRAGMENT);
        EXPECT_TRUE(vertex && pixel);
        return programs.Link(vertex, pixel);
    }
    // A full-screen quad drawn with the program; the centre pixel comes back.
    std::vector<uint8_t> Draw(int32_t program) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_BLEND);
        GLExt().glUseProgramObjectARB(static_cast<GLhandleARB>(program));
        glBegin(GL_QUADS);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
        GLExt().glUseProgramObjectARB(0);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        return ReadPixels(320, 240, 1, 1);
    }
    Programs programs;
};

}  // namespace

TEST_F(ProgramsTest, UniformsChangeWhatTheProgramDraws) {
    const int32_t program = Build(kTint);
    ASSERT_NE(program, 0);
    programs.SetUniformVariable4(program, "tint", VECTOR4{1, 0, 0, 1});
    EXPECT_EQ(CurrentProgram(), 0);
    EXPECT_EQ(Draw(program), (std::vector<uint8_t>{255, 0, 0, 255}));
    programs.SetUniformVariable4(program, "tint", VECTOR4{0, 0.4f, 1, 1});
    EXPECT_EQ(Draw(program), (std::vector<uint8_t>{0, 102, 255, 255}));
    // A name the program does not have changes nothing.
    programs.SetUniformVariable4(program, "missing", VECTOR4{1, 1, 1, 1});
    EXPECT_EQ(Draw(program), (std::vector<uint8_t>{0, 102, 255, 255}));
}

TEST_F(ProgramsTest, EverySetterLeavesNoProgramCurrent) {
    const int32_t program = Build(kMixed);
    ASSERT_NE(program, 0);
    GLuint texture = 0;
    const uint8_t texel[4] = {0, 51, 0, 255};
    glGenTextures(1, &texture);
    GLExt().glActiveTextureARB(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    GLExt().glActiveTextureARB(GL_TEXTURE0);

    GLExt().glUseProgramObjectARB(static_cast<GLhandleARB>(program));
    programs.SetUniformVariable1(program, "red", 0.2f);
    EXPECT_EQ(CurrentProgram(), 0);
    programs.SetUniformVariable2(program, "green", VECTOR2{1, 0.6f});
    programs.SetUniformVariable3(program, "blue", VECTOR3{1, 1, 0.6f});
    programs.SetUniformTexture(program, "picture", 1);
    EXPECT_EQ(CurrentProgram(), 0);
    EXPECT_EQ(Draw(program), (std::vector<uint8_t>{51, 153, 204, 255}));
    glDeleteTextures(1, &texture);
}

TEST_F(ProgramsTest, SourcesEndEveryLineWithCrLf) {
    using GetSource = void (*)(GLuint, GLsizei, GLsizei*, GLchar*);
    auto getSource = reinterpret_cast<GetSource>(platform::GetProcAddress("glGetShaderSource"));
    ASSERT_NE(getSource, nullptr);
    const int32_t shader = programs.Load(WriteTestFile("lines.vert", Bytes("a\nb\r\nc")), PROGRAM_VERTEX);
    ASSERT_NE(shader, 0);
    char source[64] = {};
    getSource(static_cast<GLuint>(shader), sizeof source, nullptr, source);
    EXPECT_STREQ(source, "a\r\nb\r\nc\r\n");
}

TEST_F(ProgramsTest, MissingAndEmptyFilesGiveNoObject) {
    EXPECT_EQ(programs.Load(ProcessDirectory() + "/none.vert", PROGRAM_VERTEX), 0);
    EXPECT_EQ(programs.Load(WriteTestFile("empty.frag", {}), PROGRAM_FRAGMENT), 0);
}

// A source that does not compile still gives its object; the reason is logged.
TEST_F(ProgramsTest, FailedCompilesAreLoggedAndStillReturned) {
    Log().Enabled = true;
    const int32_t shader = programs.Load(WriteTestFile("broken.frag", Bytes("void main() { oops }")), PROGRAM_FRAGMENT);
    EXPECT_NE(shader, 0);
    const int32_t program = programs.Link(0, shader);
    EXPECT_NE(program, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Log().Enabled = false;
    std::fflush(Log().File);
    bool compile = false, link = false;
    for (const std::string& line : ReadLines(Log().Path)) {
        compile |= line.find("Programs: * Could not compile") != std::string::npos;
        link |= line.find("Programs: * Could not link") != std::string::npos;
    }
    EXPECT_TRUE(compile && link) << compile << link;
}
