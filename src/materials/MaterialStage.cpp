#include <algorithm>
#include <cmath>
#include <random>

#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Math.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/GL.h"

// Runs for every drawn face or mesh part and every stage, every frame: nothing
// here allocates or touches a file.
namespace korvath {

namespace {

// The frame advances at most once per application, after 1 / AnimFrequency
// seconds of frame time; time beyond that is dropped. A stage sharing one record
// among many faces therefore animates once per face drawn.
int32_t AnimationTexture(SHADER_STAGE& stage) {
    if (stage.Textures.empty()) return 0;
    const size_t last = stage.Textures.size() - 1;
    // A single frame has nothing to advance to.
    if (stage.AnimFrequency == 0 || last == 0) return stage.Textures[0];
    stage.AnimTimer += Timing().FrameTime / static_cast<double>(last);
    if ((1.0 / stage.AnimFrequency) / static_cast<double>(last) < stage.AnimTimer) {
        stage.AnimFrame += 1;
        stage.AnimTimer = 0;
        if (stage.AnimFrame > static_cast<float>(last)) stage.AnimFrame = 0;
    }
    const double frame = std::nearbyint(stage.AnimFrame);
    // A frame set from outside the valid range shows the first texture.
    if (!(frame >= 0 && frame <= static_cast<double>(last))) return stage.Textures[0];
    return stage.Textures[static_cast<size_t>(frame)];
}

// The sine of a fraction of a turn through the whole-degree table; values outside
// one turn wrap around instead of reading past the table.
float SineOfTurn(float turns) {
    const double degrees = std::nearbyint(static_cast<double>(turns) * 360.0);
    double wrapped = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
    if (wrapped < 0) wrapped += 360.0;
    return TableSine(static_cast<float>(wrapped));
}

float RandomFraction() {
    static std::minstd_rand generator;
    static std::uniform_real_distribution<float> fraction(0.0f, 1.0f);
    return fraction(generator);
}

// The wave's value now; the wave then moves on by the frame's time.
float StepWave(WAVE& w) {
    const float frameTime = Timing().FrameTime;
    float value = (w.Position + w.Phase) * w.Amplitude + w.Base;
    // A stall of a second or more does not move the wave.
    const float step = frameTime < 1.0f ? w.Frequency * frameTime : 0.0f;
    w.Position = w.Descending ? w.Position - step : w.Position + step;
    switch (w.Func) {
    case kFuncSin: value = SineOfTurn(value); break;
    case kFuncTriangle:  // the position runs up and down between 0 and 1
        if (w.Position < 0) w.Descending = 0;
        if (w.Position > 1.0f) w.Descending = 1;
        break;
    case kFuncSquare: value = (value - w.Base) < w.Amplitude / 2 ? 0.0f : 1.0f; break;
    case kFuncInverseSawtooth: value = 1 - value; break;
    case kFuncNoise: value = w.Position + RandomFraction() * (w.Phase - w.Position + 1); break;
    default: break;
    }
    if (w.Func != kFuncTriangle && w.Position > 1.0f) w.Position = 0;
    return value;
}

// The current colour of a stage that sets one. Vertex colours come from the
// drawer's colour array, which replaces this colour while it is enabled.
void ApplyStageColour(SHADER_STAGE& stage) {
    float colour[4] = {1, 1, 1, 1};
    if (WavesColour(stage)) {
        const float value = StepWave(stage.RgbWave);
        std::fill(colour, colour + 4, value);
    } else if (stage.RgbSource == kColourFromConstant) {
        std::copy(stage.Colour, stage.Colour + 3, colour);
    }
    if (stage.AlphaSource == kColourFromConstant) colour[3] = stage.Colour[3];
    else if (stage.AlphaSource == kColourFromWave) colour[3] = StepWave(stage.AlphaWave);
    if (!MixesVertexColour(stage)) {
        glColor4fv(colour);
        return;
    }
    // One channel from the vertices (the primary colour), the other from this
    // colour: the unit's combiner takes each from its own source.
    const GLint rgb = RgbFromVertices(stage) ? GL_PRIMARY_COLOR_ARB : GL_CONSTANT_ARB;
    const GLint alpha = RgbFromVertices(stage) ? GL_CONSTANT_ARB : GL_PRIMARY_COLOR_ARB;
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colour);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, rgb);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_ARB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA_ARB, alpha);
}

void SetTextureWrap(GLint wrap) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void ApplyReflectionMap() {
    for (const GLenum coordinate : {GL_S, GL_T, GL_R})
        glTexGenf(coordinate, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
}

// "tcgen environment" on a picture: the eye's reflection about each vertex
// normal, in the axes of what is drawn, read as a coordinate pair the way the
// content was made for (its s across the level file's y axis, its t down its
// z axis). GL makes the reflection per vertex in eye space; the texture matrix
// takes it back through the view's rotation and picks the two axes. A cube map
// takes the eye-space reflection as it is.
void ApplyEnvironmentMatrix() {
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    // Column j of the view's rotation is row j of its inverse; the engine's
    // uniform scale is divided out.
    float axes[3][3] = {};
    for (int j = 0; j < 3; ++j) {
        const float* column = &view[4 * j];
        const float length = std::sqrt(column[0] * column[0] + column[1] * column[1] + column[2] * column[2]);
        if (length > 0)
            for (int i = 0; i < 3; ++i) axes[j][i] = column[i] / length;
    }
    // Engine axes are the file's (x, z, -y): s = 0.5 - z / 2, and t = y / 2 - 0.5
    // with pictures stored bottom row first.
    GLfloat m[16] = {};
    for (int i = 0; i < 3; ++i) {
        m[4 * i + 0] = -0.5f * axes[2][i];
        m[4 * i + 1] = 0.5f * axes[1][i];
    }
    m[12] = 0.5f, m[13] = -0.5f, m[15] = 1;
    glMultMatrixf(m);
}

// The reflection needs unit normals, and the engine's view scales them. Stages
// on several units may be applied at once; the outermost decides.
int g_environmentStages = 0;
bool g_normalizeWasOn = false;

void BeginEnvironmentNormals() {
    if (g_environmentStages++ > 0) return;
    g_normalizeWasOn = glIsEnabled(GL_NORMALIZE);
    glEnable(GL_NORMALIZE);
}

void EndEnvironmentNormals() {
    if (--g_environmentStages == 0 && !g_normalizeWasOn) glDisable(GL_NORMALIZE);
}

bool MapsEnvironment(int32_t flags) { return (flags & kStageTcGen) && !(flags & kStageCubeMap); }

// Scroll, rotate and turb follow the absolute scene time, so every face drawn in
// one frame gets the same matrix. The matrix mode stays GL_TEXTURE until the reset.
void ApplyTextureModifiers(const SHADER_STAGE& stage) {
    const float time = Timing().SceneTime;
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glPushMatrix();
    for (const TCMOD& mod : stage.TcMods) {
        glTranslatef(-0.5f, 0.5f, 0);
        switch (mod.Kind) {
        case kTcModScale: glScalef(mod.ScaleS, mod.ScaleT, 1); break;
        case kTcModRotate: glRotatef(time * mod.Rotation, 0, 0, 1); break;
        // The script's first number moves along the second texture axis.
        case kTcModScroll: glTranslatef(mod.ScrollT * time, mod.ScrollS * time, 0); break;
        case kTcModTransform: glMultMatrixf(mod.Matrix); break;
        case kTcModTurb: {
            const float scale = static_cast<float>(std::sin(time * mod.Frequency) * mod.Amplitude + mod.Base + 1.0);
            glScalef(scale, scale, 1);
            break;
        }
        default: break;  // stretch has no matrix of its own
        }
    }
}

// "blendfunc filter" is written (GL_SRC_COLOR, GL_ZERO): OpenGL 1.1 drew the
// stage over the one below. A current driver accepts the pair and squares the
// colour, turning lightmapped floors black.
void BlendFunction(int32_t source, int32_t destination) {
    if (BlendPairTaken(source, destination))
        glBlendFunc(static_cast<GLenum>(source), static_cast<GLenum>(destination));
    else
        glBlendFunc(GL_ONE, GL_ZERO);
}

}  // namespace

void ApplyStageUnit(SHADER_STAGE& stage) {
    const int32_t flags = stage.Flags;
    BindTexture((flags & kStageCubeMap) ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D, AnimationTexture(stage));
    // Set on every use: other stages may show the same texture wrapped.
    if (flags & kStageClamp) SetTextureWrap(GL_CLAMP_TO_EDGE);
    if (flags & kStageCubeMap) {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_TEXTURE_CUBE_MAP);
    }
    if (flags & kStageTcGen) ApplyReflectionMap();
    // The stage's own modifiers move the reflected coordinates, as on any stage.
    if (flags & kStageTcMods || MapsEnvironment(flags)) ApplyTextureModifiers(stage);
    if (MapsEnvironment(flags)) {
        ApplyEnvironmentMatrix();
        BeginEnvironmentNormals();
    }
}

void ApplyStage(SHADER_STAGE& stage) {
    const int32_t flags = stage.Flags;
    ApplyStageUnit(stage);
    if (flags & kStageAlphaTest) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(static_cast<GLenum>(stage.AlphaFunc), stage.AlphaRef);
    }
    if (flags & kStageBlend) {
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        BlendFunction(stage.Blend[0], stage.Blend[1]);
    }
    if (flags & kStageDepthFunc) glDepthFunc(static_cast<GLenum>(stage.DepthFunc));
    if (ChangesColour(stage)) ApplyStageColour(stage);
}

void ResetStageUnit(const SHADER_STAGE& stage) {
    const int32_t flags = stage.Flags;
    if (flags & kStageClamp) SetTextureWrap(GL_REPEAT);
    if (flags & kStageTcMods || MapsEnvironment(flags)) {
        // Stages folded onto several units are reset one after another: the
        // unit reset before this one has put the matrix mode back already.
        glMatrixMode(GL_TEXTURE);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    if (MapsEnvironment(flags)) EndEnvironmentNormals();
    if (flags & kStageTcGen) {
        glDisable(GL_TEXTURE_GEN_R);
        glDisable(GL_TEXTURE_GEN_T);
        glDisable(GL_TEXTURE_GEN_S);
    }
    if (flags & kStageCubeMap) {
        glDisable(GL_TEXTURE_CUBE_MAP);
        glEnable(GL_TEXTURE_2D);
    }
}

// The depth function a stage set stays in effect.
void ResetStage(SHADER_STAGE& stage) {
    const int32_t flags = stage.Flags;
    ResetStageUnit(stage);
    if (SetsColour(stage)) glColor4f(1, 1, 1, 1);
    if (MixesVertexColour(stage)) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (flags & kStageBlend) {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    if (flags & kStageAlphaTest) glDisable(GL_ALPHA_TEST);
}

bool WavesColour(const SHADER_STAGE& stage) { return (stage.Flags & kStageRgbGen) && stage.RgbWave.Kind == kColourWave; }

bool SetsColour(const SHADER_STAGE& stage) { return stage.Flags & (kStageRgbGen | kStageAlphaGen); }

bool ChangesColour(const SHADER_STAGE& stage) {
    return WavesColour(stage) || ((stage.Flags & kStageRgbGen) && stage.RgbSource != kColourFromDefault) ||
           ((stage.Flags & kStageAlphaGen) && stage.AlphaSource != kColourFromDefault);
}

bool RgbFromVertices(const SHADER_STAGE& stage) {
    return (stage.Flags & kStageRgbGen) && stage.RgbSource == kColourFromVertices;
}

// Vertex colours bring their alpha along unless the stage says otherwise.
bool AlphaFromVertices(const SHADER_STAGE& stage) {
    if (stage.Flags & kStageAlphaGen) return stage.AlphaSource == kColourFromVertices;
    return RgbFromVertices(stage);
}

bool TakesVertexColour(const SHADER_STAGE& stage) { return RgbFromVertices(stage) || AlphaFromVertices(stage); }

bool MixesVertexColour(const SHADER_STAGE& stage) { return RgbFromVertices(stage) != AlphaFromVertices(stage); }

bool StepsWhenApplied(const SHADER_STAGE& stage) {
    return (stage.AnimFrequency != 0 && stage.Textures.size() > 1) || WavesColour(stage) ||
           ((stage.Flags & kStageAlphaGen) && stage.AlphaSource == kColourFromWave);
}

bool BlendPairTaken(int32_t source, int32_t destination) {
    const bool sourceTakes = source != GL_SRC_COLOR && source != GL_ONE_MINUS_SRC_COLOR;
    const bool destinationTakes = destination != GL_DST_COLOR && destination != GL_ONE_MINUS_DST_COLOR;
    return sourceTakes && destinationTakes;
}

void BindMaterial(SHADER& material) {
    const GLExtFunctions& f = GLExt();
    if (!f.glUseProgramObjectARB || !f.glActiveTextureARB || !f.glClientActiveTextureARB) return;
    f.glUseProgramObjectARB(static_cast<GLhandleARB>(material.Program));
    for (size_t i = 0; i < material.Stages.size(); ++i) {
        const GLenum unit = static_cast<GLenum>(GL_TEXTURE0_ARB + i);
        f.glActiveTextureARB(unit);
        f.glClientActiveTextureARB(unit);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnable(GL_TEXTURE_2D);
        ApplyStage(material.Stages[i]);
    }
}

// Unit 0 is made active again at the end, so fixed-function drawing after the
// material does not land on the material's last unit.
void UnbindMaterial(SHADER& material) {
    const GLExtFunctions& f = GLExt();
    if (!f.glUseProgramObjectARB || !f.glActiveTextureARB || !f.glClientActiveTextureARB) return;
    for (size_t i = 0; i < material.Stages.size(); ++i) {
        const GLenum unit = static_cast<GLenum>(GL_TEXTURE0_ARB + i);
        f.glActiveTextureARB(unit);
        ResetStage(material.Stages[i]);
        f.glClientActiveTextureARB(unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisable(GL_TEXTURE_2D);
    }
    f.glActiveTextureARB(GL_TEXTURE0_ARB);
    f.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    f.glUseProgramObjectARB(0);
}

}  // namespace korvath
