#include <algorithm>
#include <cmath>

#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Lighting.h"
#include "core/Math.h"
#include "core/Matrix.h"
#include "effects/ParticlePool.h"
#include "korvath/Frustum.h"
#include "korvath/Particles.h"
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

constexpr GLsizei kStride = sizeof(ParticleVertex);

// Points the client arrays at the corners from the given one on. Program
// materials turn on the texture-coordinate array of every unit they use; each of
// those units reads the corner coordinates too.
void PointArraysAt(const ParticleVertex* from, const SHADER& material) {
    glVertexPointer(3, GL_FLOAT, kStride, from->Position);
    glColorPointer(4, GL_UNSIGNED_BYTE, kStride, from->Color);
    glTexCoordPointer(2, GL_FLOAT, kStride, from->TexCoord);
    const GLExtFunctions& f = GLExt();
    if (material.Program == 0 || !f.glClientActiveTextureARB) return;
    for (size_t i = 1; i < material.Stages.size(); ++i) {
        f.glClientActiveTextureARB(static_cast<GLenum>(GL_TEXTURE0_ARB + i));
        glTexCoordPointer(2, GL_FLOAT, kStride, from->TexCoord);
    }
    f.glClientActiveTextureARB(GL_TEXTURE0_ARB);
}

// Two indexed triangles per quad: the drivers take these faster than GL_QUADS
// and the picture is the same.
void DrawQuads(const ParticlePool& pool, SHADER& material, size_t first, size_t count) {
    DrawWithMaterial(material, [&] {
        for (size_t done = 0; done < count; done += kQuadsPerDraw) {
            const size_t quads = std::min(count - done, kQuadsPerDraw);
            PointArraysAt(&pool.vertices[(first + done) * 4], material);
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(quads * 6), GL_UNSIGNED_SHORT, pool.quadIndices.data());
        }
    });
}

// The colour with every channel clamped to 0..1, as GL would, in bytes; a
// channel that is not a number counts as 0.
void PackColour(const float (&colour)[4], uint8_t (&packed)[4]) {
    for (int j = 0; j < 4; ++j) {
        const float c = colour[j] > 0 ? std::min(colour[j], 1.0f) : 0.0f;
        packed[j] = static_cast<uint8_t>(c * 255.0f + 0.5f);
    }
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
    const VECTOR3 cameraRight = {view[0], view[4], view[8]};
    const VECTOR3 cameraUp = {view[1], view[5], view[9]};
    size_t packed = 0, runStart = 0;
    size_t runMaterial = 0;
    bool runBatches = false;
    auto flush = [&] {
        if (packed > runStart) DrawQuads(pool, pool.materials[runMaterial], runStart, packed - runStart);
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
        uint8_t colour[4];
        PackColour(p.Color, colour);
        ParticleVertex* corner = &pool.vertices[packed * 4];
        static constexpr float kSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int k = 0; k < 4; ++k) {
            const float a = kSigns[k][0], b = kSigns[k][1];
            corner[k].Position[0] = p.Location.x + sx * (a * r.x + b * u.x);
            corner[k].Position[1] = p.Location.y + sy * (a * r.y + b * u.y);
            corner[k].Position[2] = p.Location.z + sz * (a * r.z + b * u.z);
            std::copy(std::begin(colour), std::end(colour), corner[k].Color);
        }
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
