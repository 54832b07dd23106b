#include <cmath>
#include <gtest/gtest.h>

#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "korvath/Programs.h"
#include "materials/MaterialTestSupport.h"

using namespace korvath;
using namespace korvath::test;

namespace {

GLint Integer(GLenum name) { return GLIntegers({name})[0]; }

float Float(GLenum name) {
    GLfloat value = 0;
    glGetFloatv(name, &value);
    return value;
}

std::vector<float> TextureMatrix() {
    std::vector<float> matrix(16);
    glGetFloatv(GL_TEXTURE_MATRIX, matrix.data());
    return matrix;
}

// Entries of the texture matrix, by index, each to within 1e-5.
void ExpectTextureMatrix(std::initializer_list<std::pair<int, float>> entries) {
    const std::vector<float> m = TextureMatrix();
    for (const auto& entry : entries) EXPECT_NEAR(m[static_cast<size_t>(entry.first)], entry.second, 1e-5) << entry.first;
}

float CurrentRed() {
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return colour[0];
}

TCMOD Mod(int32_t kind) {
    TCMOD mod;
    mod.Kind = kind;
    return mod;
}

class ShaderStage : public MaterialTest {
protected:
    void SetUp() override {
        MaterialTest::SetUp();
        savedFrameTime_ = Timing().FrameTime;
        savedSceneTime_ = Timing().SceneTime;
        glGetIntegerv(GL_DEPTH_FUNC, &savedDepthFunc_);
    }
    void TearDown() override {
        Timing().FrameTime = savedFrameTime_;
        Timing().SceneTime = savedSceneTime_;
        glDepthFunc(static_cast<GLenum>(savedDepthFunc_));
        glColor4f(1, 1, 1, 1);
        MaterialTest::TearDown();
    }
    // Applies and resets the stage `times` times, as that many faces sharing it would.
    static void Draw(SHADER_STAGE& stage, int times = 1) {
        for (int i = 0; i < times; ++i) {
            ApplyStage(stage);
            ResetStage(stage);
        }
    }

private:
    float savedFrameTime_ = 0, savedSceneTime_ = 0;
    GLint savedDepthFunc_ = GL_LESS;
};

}  // namespace

TEST_F(ShaderStage, ApplySetsTheStageAndResetUndoesIt) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    SHADER_STAGE stage;
    stage.Textures[0] = static_cast<int32_t>(texture);
    stage.Flags = kStageAlphaTest | kStageBlend | kStageDepthFunc | kStageTcGen | kStageTcMods | kStageRgbGen;
    stage.AlphaFunc = GL_GEQUAL;
    stage.AlphaRef = 0.5f;
    stage.Blend[0] = GL_DST_COLOR;
    stage.Blend[1] = GL_ZERO;
    stage.DepthFunc = GL_EQUAL;
    TCMOD scroll = Mod(4);
    scroll.ScrollS = 0.5f;
    scroll.ScrollT = -1;
    stage.TcMods = {scroll};
    Timing().SceneTime = 2;
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);

    const auto enabled = [] {
        return GLEnabled({GL_ALPHA_TEST, GL_BLEND, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R});
    };
    ApplyStage(stage);
    EXPECT_EQ(enabled(), std::vector<bool>(5, true));
    EXPECT_EQ(GLIntegers({GL_TEXTURE_BINDING_2D, GL_ALPHA_TEST_FUNC, GL_BLEND_SRC, GL_BLEND_DST, GL_DEPTH_WRITEMASK,
                          GL_DEPTH_FUNC, GL_MATRIX_MODE, GL_TEXTURE_STACK_DEPTH}),
              (std::vector<int32_t>{static_cast<int32_t>(texture), GL_GEQUAL, GL_DST_COLOR, GL_ZERO, GL_FALSE, GL_EQUAL,
                                    GL_TEXTURE, 2}));
    EXPECT_FLOAT_EQ(Float(GL_ALPHA_TEST_REF), 0.5f);
    for (GLenum coordinate : {GL_S, GL_T, GL_R}) {
        GLint mode = 0;
        glGetTexGeniv(coordinate, GL_TEXTURE_GEN_MODE, &mode);
        EXPECT_EQ(mode, GL_REFLECTION_MAP);
    }
    // The first scroll number moves along T, the second along S: (-0.5 - 1 * 2, 0.5 + 0.5 * 2),
    // after the environment mapping's centring of the reflection (0.5, -0.5);
    // an rgbgen without a wave draws with the current colour.
    EXPECT_TRUE(FloatsEq({TextureMatrix()[12], TextureMatrix()[13], CurrentRed()}, {-2.0f, 1.0f, 0.5f}));

    ResetStage(stage);
    EXPECT_EQ(enabled(), std::vector<bool>(5, false));
    // The depth function stays.
    EXPECT_EQ(GLIntegers({GL_DEPTH_WRITEMASK, GL_MATRIX_MODE, GL_TEXTURE_STACK_DEPTH, GL_DEPTH_FUNC}),
              (std::vector<int32_t>{GL_TRUE, GL_MODELVIEW, 1, GL_EQUAL}));
    EXPECT_EQ(TextureMatrix(), (std::vector<float>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_FLOAT_EQ(CurrentRed(), 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &texture);
}

TEST_F(ShaderStage, DepthFunctionNeedsDepthWrite) {
    glDepthFunc(GL_LESS);
    SHADER_STAGE stage;
    stage.DepthFunc = GL_EQUAL;
    ApplyStage(stage);
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
    ResetStage(stage);
}

// Pairs that OpenGL 1.1 refused ("filter" is one) draw opaque, as they did
// there; the pairs it took pass through unchanged.
TEST_F(ShaderStage, BlendPairsOutsideGL11DrawOpaque) {
    SHADER_STAGE stage;
    stage.Flags = 0x02;
    const int32_t pairs[4][4] = {{GL_SRC_COLOR, GL_ZERO, GL_ONE, GL_ZERO},
                                 {GL_ONE, GL_DST_COLOR, GL_ONE, GL_ZERO},
                                 {GL_DST_COLOR, GL_ZERO, GL_DST_COLOR, GL_ZERO},
                                 {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}};
    for (const auto& pair : pairs) {
        stage.Blend[0] = pair[0];
        stage.Blend[1] = pair[1];
        ApplyStage(stage);
        EXPECT_EQ(GLIntegers({GL_BLEND_SRC, GL_BLEND_DST}), (std::vector<int32_t>{pair[2], pair[3]}));
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        ResetStage(stage);
    }
}

// A stage without an image (a lightmap stage, a missing file) draws untextured,
// which current drivers would otherwise sample as black.
TEST_F(ShaderStage, StagesWithoutAnImageBindWhite) {
    SHADER_STAGE stage;
    for (int i = 0; i < 2; ++i) {
        if (i == 1) stage.Textures[0] = CreateTexture(GL_RGB, IMAGE{});
        ApplyStage(stage);
        EXPECT_EQ(static_cast<uint32_t>(Integer(GL_TEXTURE_BINDING_2D)), WhiteTexture()) << i;
        ResetStage(stage);
    }
    GLuint name = static_cast<GLuint>(stage.Textures[0]);
    glDeleteTextures(1, &name);
}

TEST_F(ShaderStage, CubeMapStageSwitchesTargets) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    SHADER_STAGE stage;
    stage.Flags = kStageCubeMap;
    stage.Textures[0] = static_cast<int32_t>(texture);
    glEnable(GL_TEXTURE_2D);
    ApplyStage(stage);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(texture));
    EXPECT_EQ(GLEnabled({GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP}), (std::vector<bool>{false, true}));
    ResetStage(stage);
    EXPECT_EQ(GLEnabled({GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP}), (std::vector<bool>{true, false}));
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glDeleteTextures(1, &texture);
}

// Every modifier starts with the translation (-0.5, 0.5); they apply in list order.
TEST_F(ShaderStage, TextureModifiersComposeInScriptOrder) {
    SHADER_STAGE stage;
    stage.Flags = kStageTcMods;
    TCMOD scale = Mod(2);
    scale.ScaleS = 2;
    scale.ScaleT = 3;
    TCMOD rotate = Mod(3);
    rotate.Rotation = 90;
    stage.TcMods = {scale, rotate};
    Timing().SceneTime = 1;
    ApplyStage(stage);
    // T S T R: the origin goes to (-1.5, 2) and the S axis to (0, 3).
    ExpectTextureMatrix({{0, 0}, {1, 3}, {12, -1.5f}, {13, 2}});
    ResetStage(stage);

    TCMOD turb = Mod(7);
    turb.Base = 0.25f;
    turb.Amplitude = 2;
    turb.Frequency = 0.5f;
    TCMOD stretch = Mod(5);
    TCMOD transform = Mod(6);
    const float matrix[16] = {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 5, 6, 0, 1};
    std::copy(std::begin(matrix), std::end(matrix), transform.Matrix);
    stage.TcMods = {turb};
    ApplyStage(stage);
    const float s = static_cast<float>(std::sin(0.5) * 2 + 0.25 + 1.0);
    ExpectTextureMatrix({{0, s}, {5, s}, {12, -0.5f}});
    ResetStage(stage);

    stage.TcMods = {stretch, transform};
    ApplyStage(stage);
    // Two translations, then the matrix: its translation lands at (-1 + 5, 1 + 6).
    ExpectTextureMatrix({{0, 1}, {4, 3}, {12, 4}, {13, 7}});
    ResetStage(stage);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Frequency 2 over three frames: FrameTime / 2 per application against 0.25.
TEST_F(ShaderStage, AnimationAdvancesPerApplication) {
    GLuint names[3] = {};
    glGenTextures(3, names);
    SHADER_STAGE stage;
    stage.AnimFrequency = 2;
    stage.Textures = {static_cast<int32_t>(names[0]), static_cast<int32_t>(names[1]), static_cast<int32_t>(names[2])};
    Timing().FrameTime = 1.0f / 64;  // exact in binary, so the threshold is met without rounding

    int applications = 0;
    while (stage.AnimFrame == 0 && applications < 1000) {
        Draw(stage);
        ++applications;
    }
    EXPECT_EQ(applications, 33);  // a little over half a second at 64 frames per second
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(names[1]));
    EXPECT_EQ(stage.AnimTimer, 0);
    Draw(stage, 33);
    EXPECT_EQ(stage.AnimFrame, 2);
    Draw(stage, 33);
    EXPECT_EQ(stage.AnimFrame, 0);  // wraps after the last frame
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(names[0]));

    // Ten faces sharing the record in one frame animate ten times as fast.
    SHADER_STAGE shared = stage;
    shared.AnimTimer = 0;
    Draw(shared, 10 * 3 + 2);
    EXPECT_EQ(shared.AnimFrame, 0);
    Draw(shared, 1);
    EXPECT_EQ(shared.AnimFrame, 1);

    SHADER_STAGE single;
    single.AnimFrequency = 2;
    single.Textures = {static_cast<int32_t>(names[2])};
    Draw(single, 100);
    EXPECT_EQ(single.AnimFrame, 0);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(names[2]));
    glDeleteTextures(3, names);
}

TEST_F(ShaderStage, ColourWavesAdvanceWithFrameTime) {
    auto waveStage = [](int32_t func) {
        SHADER_STAGE stage;
        stage.Flags = kStageRgbGen;
        stage.RgbWave.Kind = 3;
        stage.RgbWave.Func = func;
        stage.RgbWave.Amplitude = 1;
        stage.RgbWave.Frequency = 1;
        return stage;
    };
    // Sine: the colour is read at the position before the step; above 1 wraps to 0.
    SHADER_STAGE sine = waveStage(1);
    Timing().FrameTime = 0.25f;
    const float colours[] = {0, 1, 0, -1, 0};
    const float positions[] = {0.25f, 0.5f, 0.75f, 1.0f, 0};
    for (int i = 0; i < 5; ++i) {
        ApplyStage(sine);
        EXPECT_NEAR(CurrentRed(), colours[i], 1e-4) << i;  // the table's degree factor is not exact
        ResetStage(sine);
        EXPECT_FLOAT_EQ(sine.RgbWave.Position, positions[i]) << i;
    }
    EXPECT_FLOAT_EQ(CurrentRed(), 1.0f);

    // Triangle: the position turns back when it leaves 0..1 and is never wrapped.
    SHADER_STAGE triangle = waveStage(2);
    Timing().FrameTime = 0.4f;
    const float path[] = {0.4f, 0.8f, 1.2f, 0.8f, 0.4f, 0.0f, -0.4f, 0.0f};
    for (float expected : path) {
        const float before = triangle.RgbWave.Position;
        ApplyStage(triangle);
        EXPECT_NEAR(CurrentRed(), before, 1e-5);
        ResetStage(triangle);
        EXPECT_NEAR(triangle.RgbWave.Position, expected, 1e-5);
    }

    // A stall of a second or more holds the wave.
    Timing().FrameTime = 1.5f;
    const float held = triangle.RgbWave.Position;
    Draw(triangle);
    EXPECT_FLOAT_EQ(triangle.RgbWave.Position, held);

    // Square and inverse sawtooth at position 0.75.
    Timing().FrameTime = 0;
    for (const auto& [func, red] : {std::pair{3, 1.0f}, {5, 0.25f}}) {
        SHADER_STAGE stage = waveStage(func);
        stage.RgbWave.Position = 0.75f;
        ApplyStage(stage);
        EXPECT_FLOAT_EQ(CurrentRed(), red) << func;
    }
    // Values far outside one turn wrap around the sine table.
    SHADER_STAGE far = waveStage(1);
    far.RgbWave.Position = -1e9f;
    ApplyStage(far);
    EXPECT_TRUE(std::isfinite(CurrentRed()));
}
