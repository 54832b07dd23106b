#include <cmath>

#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Lighting.h"
#include "core/Math.h"
#include "core/Matrix.h"
#include "effects/ParticlePool.h"
#include "korvath/Frustum.h"
#include "korvath/Particles.h"
#include "materials/MaterialPasses.h"
#include "materials/Materials.h"
#include "platform/GL.h"
#include "world/EngineFrustum.h"

namespace korvath {

namespace {

// A run of particles sharing a material is drawn with one call per stage, which
// gives the same picture as one call per particle when the material has one
// stage (or is a program) and applying it steps no clock of its own.
bool DrawsInRuns(const SHADER& material) {
    for (const SHADER_STAGE& stage : material.Stages)
        if (StepsWhenApplied(stage)) return false;
    return material.Program != 0 || material.Stages.size() == 1;
}

// Program materials turn on the texture-coordinate array of every unit they use;
// each of those units reads the corner coordinates.
void PointUnitsAtCorners(const SHADER& material, const float* texCoords) {
    const GLExtFunctions& f = GLExt();
    if (!f.glClientActiveTextureARB) return;
    for (size_t i = 1; i < material.Stages.size(); ++i) {
        f.glClientActiveTextureARB(static_cast<GLenum>(GL_TEXTURE0_ARB + i));
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
    }
    f.glClientActiveTextureARB(GL_TEXTURE0_ARB);
}

void DrawQuads(SHADER& material, size_t first, size_t count, const float* texCoords) {
    DrawMaterialPasses(material, [&] {
        if (material.Program != 0) PointUnitsAtCorners(material, texCoords);
        glDrawArrays(GL_QUADS, static_cast<GLint>(first * 4), static_cast<GLsizei>(count * 4));
    });
}

}  // namespace

void Particles::Render() {
    if (!pool_) return;
    if (!Lighting().ShadowPass) {
        ApplyViewTransform(relative_);
        ApplyPlacement(position_, rotation_);
    }
    Frustum& frustum = EngineFrustum();
    frustum.Update();

    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    float view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_TEXTURE_2D);

    ParticlePool& pool = *pool_;
    float* corners = pool.corners.data();
    float* colours = pool.colours.data();
    const float* texCoords = pool.texCoords.data();
    glVertexPointer(3, GL_FLOAT, 0, corners);
    glColorPointer(4, GL_FLOAT, 0, colours);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords);

    const VECTOR3 cameraRight = {view[0], view[4], view[8]};
    const VECTOR3 cameraUp = {view[1], view[5], view[9]};
    size_t packed = 0, runStart = 0;
    size_t runMaterial = 0;
    bool runBatches = false;
    auto flush = [&] {
        if (packed > runStart) DrawQuads(pool.materials[runMaterial], runStart, packed - runStart, texCoords);
        runStart = packed;
    };

    for (size_t i = 0; i < pool.particles.size(); ++i) {
        const PARTICLE& p = pool.particles[i];
        // A dead particle waits for its respawn where it died; it is not drawn.
        if (!p.Visible || p.Life < kParticleDead) continue;
        const float radius = VectorDistance({p.Size, p.Size, p.Size}, scale_);
        if (!frustum.PointInFrustum(p.Location.x, p.Location.y, p.Location.z, radius)) continue;

        if (packed > runStart &&
            (!runBatches || pool.materialGroups[i] != pool.materialGroups[runMaterial]))
            flush();
        if (packed == runStart) {
            runMaterial = i;
            runBatches = DrawsInRuns(pool.materials[i]);
        }

        const VECTOR3& r = p.Decal ? p.Right : cameraRight;
        const VECTOR3& u = p.Decal ? p.Up : cameraUp;
        const float sx = scale_.x + p.Size, sy = scale_.y + p.Size, sz = scale_.z + p.Size;
        float* c = corners + packed * 12;
        const float signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int k = 0; k < 4; ++k) {
            const float a = signs[k][0], b = signs[k][1];
            c[3 * k + 0] = p.Location.x + sx * (a * r.x + b * u.x);
            c[3 * k + 1] = p.Location.y + sy * (a * r.y + b * u.y);
            c[3 * k + 2] = p.Location.z + sz * (a * r.z + b * u.z);
        }
        float* colour = colours + packed * 16;
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j) colour[4 * k + j] = p.Color[j];
        ++packed;
    }
    flush();

    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    Timing().FrameVertices += 3 * (static_cast<int32_t>(pool.particles.size()) - 1);
}

}  // namespace korvath
