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

void ApplyColourWave(WAVE& w) {
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
    glColor4f(value, value, value, value);
}

void ApplyReflectionMap() {
    for (const GLenum coordinate : {GL_S, GL_T, GL_R})
        glTexGenf(coordinate, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
}

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
    if (flags & kStageCubeMap) {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_TEXTURE_CUBE_MAP);
    }
    if (flags & kStageTcGen) ApplyReflectionMap();
    if (flags & kStageTcMods) ApplyTextureModifiers(stage);
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
    if (WavesColour(stage)) ApplyColourWave(stage.RgbWave);
}

void ResetStageUnit(const SHADER_STAGE& stage) {
    const int32_t flags = stage.Flags;
    if (flags & kStageTcMods) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
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
    if (flags & kStageRgbGen) glColor4f(1, 1, 1, 1);
    if (flags & kStageBlend) {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    if (flags & kStageAlphaTest) glDisable(GL_ALPHA_TEST);
}

bool WavesColour(const SHADER_STAGE& stage) { return (stage.Flags & kStageRgbGen) && stage.RgbWave.Kind == kColourWave; }

bool StepsWhenApplied(const SHADER_STAGE& stage) {
    return (stage.AnimFrequency != 0 && stage.Textures.size() > 1) || WavesColour(stage);
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
