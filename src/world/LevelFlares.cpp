#include "world/LevelFlares.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Display.h"
#include "core/FrameTiming.h"
#include "core/ViewState.h"
#include "korvath/MaterialPasses.h"
#include "korvath/VectorMath.h"
#include "materials/Materials.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "world/Trace.h"

namespace korvath {

namespace {

// A flare's size on screen is this share of the screen's width plus a part
// that grows as the eye comes near; its intensity follows the coefficient, so
// that small distant flares glow faintly and near ones fully.
constexpr float kSizeShare = 40.0f / 640;
constexpr float kNearSize = 8;
constexpr float kCoefficient = 150;
// A flare coming into sight brightens over this many milliseconds, and one
// leaving it (behind a wall or turned away) dims over as many.
constexpr int32_t kFadeMilliseconds = 150;

// Flares keep their origin, colour and normal in the face's lightmap fields.
struct Flare {
    VECTOR3 origin, colour, normal;
};

Flare FlareOf(const BspFace& face) {
    float f[16];
    std::memcpy(f, face.Unused, sizeof f);
    return {ToYUp({f[4], f[5], f[6]}), {f[7], f[8], f[9]}, ToYUp({f[13], f[14], f[15]})};
}

// Whether the level's brushes leave the line from the eye to p open.
bool InSight(const Level& level, const VECTOR3& eye, const VECTOR3& p) {
    TraceState state;
    Trace(level, state, eye, p, 0);
    return !state.Collided;
}

// The tick that many milliseconds before now, across the tick's wrap.
int32_t TickBefore(int32_t now, int32_t milliseconds) {
    return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(milliseconds));
}

// How much of the flare shows now (0 to 1), after noting whether it is seen.
// A flare first met is taken as settled, so a level shows its flares at once;
// a fade that turns half way goes back from where it was.
float Shown(Level::FlareFade& fade, bool seen, int32_t now) {
    const auto progress = [&] {
        return std::clamp(static_cast<float>(platform::TickDifference(now, fade.Since)) / kFadeMilliseconds, 0.0f, 1.0f);
    };
    if (!fade.Known) {
        fade = {true, seen, TickBefore(now, kFadeMilliseconds)};
    } else if (seen != fade.Seen) {
        const float shown = fade.Seen ? progress() : 1 - progress();
        fade.Seen = seen;
        fade.Since = TickBefore(now, static_cast<int32_t>(std::lround((seen ? shown : 1 - shown) * kFadeMilliseconds)));
    }
    return fade.Seen ? progress() : 1 - progress();
}

void DrawFlare(Level& level, int32_t index, const VECTOR3& right, const VECTOR3& up) {
    const BspFace& face = level.Faces[static_cast<size_t>(index)];
    SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
    if (!material.Found || material.Stages.empty()) return;
    const Flare flare = FlareOf(face);
    const VECTOR3& eye = View().CameraPosition;
    const VECTOR3 toEye = VectorSubtract(eye, flare.origin);
    const float distance = VectorLength(toEye);
    if (distance < 1) return;
    float facing = 1;
    if (VectorLength(flare.normal) > 0.5f) facing = VectorDot(flare.normal, toEye) / distance;
    const bool seen = facing > 0 && InSight(level, eye, flare.origin);
    const float shown = Shown(level.FlareFades[static_cast<size_t>(index)], seen, Timing().CurrentTick);
    // Turned away, the angle has already dimmed it to nothing; behind a wall
    // it fades out.
    if (shown <= 0 || facing <= 0) return;
    // Screen pixels, then world units at the flare's distance.
    const float width = static_cast<float>(Display().ScreenWidth);
    const float pixels = width * (kSizeShare + kNearSize / distance);
    const float perPixel = 2 * std::tan(View().FieldOfView * 3.14159265f / 360) * distance /
                           static_cast<float>(std::max(1, Display().ScreenHeight));
    // The glow pictures fade to nothing well inside their square: drawing the
    // size across rather than each way keeps the glow and a quarter of the fill.
    const float half = pixels * perPixel / 2;
    const float spread = distance + pixels * std::sqrt(kCoefficient);
    const float intensity = shown * facing * kCoefficient * pixels * pixels / (spread * spread);
    static constexpr float kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (SHADER_STAGE& stage : material.Stages) {
        ApplyStage(stage);
        // The flare's colour is the vertex colour its stages ask for.
        glColor4f(flare.colour.x * intensity, flare.colour.y * intensity, flare.colour.z * intensity, 1);
        glBegin(GL_QUADS);
        for (const auto& c : kCorners) {
            glTexCoord2f((c[0] + 1) / 2, (c[1] + 1) / 2);
            const VECTOR3 p = VectorAdd(flare.origin, VectorAdd(VectorScale(right, c[0] * half), VectorScale(up, c[1] * half)));
            glVertex3f(p.x, p.y, p.z);
        }
        glEnd();
        ResetStage(stage);
    }
}

}  // namespace

void DrawFlares(Level& level) {
    // The view's right and up axes are the first two rows of its rotation.
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    const VECTOR3 right = VectorNormalize(VECTOR3{view[0], view[4], view[8]});
    const VECTOR3 up = VectorNormalize(VECTOR3{view[1], view[5], view[9]});
    bool begun = false;
    for (int32_t i = 0; i < level.FirstCount; ++i) {
        const int32_t index = level.FirstList[static_cast<size_t>(i)];
        if (level.Faces[static_cast<size_t>(index)].Type != kFaceBillboard) continue;
        if (!begun) {
            begun = true;
            glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT);
            // Seen or not is the trace's answer, not the depth buffer's: a glow
            // spreads over the wall its light hangs on.
            glDisable(GL_DEPTH_TEST);
            glDisable(GL_CULL_FACE);
            glDisable(GL_LIGHTING);
            glEnable(GL_TEXTURE_2D);
        }
        DrawFlare(level, index, right, up);
    }
    if (begun) glPopAttrib();
}

}  // namespace korvath
