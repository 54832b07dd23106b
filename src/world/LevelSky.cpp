#include "world/LevelSky.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/Capabilities.h"
#include "core/ExtTable.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "materials/Materials.h"
#include "platform/GL.h"
#include "world/LevelFold.h"
#include "world/SkyBounds.h"

namespace korvath {

namespace {

// Grid lines per side of the cloud dome: the layers' coordinates bend, the
// box's pictures do not, so only the dome needs them.
constexpr int kDomeSteps = 8;
// Where the box is drawn, in world units from the eye. Any distance between the
// near and far planes would do, as the depth is forced to the far plane.
constexpr float kBoxDistance = 100;

struct ZUp {
    double x, y, z;
};

ZUp SidePoint(int side, double s, double t) {
    const double b[3] = {s, t, 1};
    double q[3];
    for (int j = 0; j < 3; ++j) {
        const int k = kSkySideAxes[side][j];
        q[j] = k < 0 ? -b[-k - 1] : b[k - 1];
    }
    return {q[0], q[1], q[2]};
}

// The side point's place on the box, in the engine axes levels are drawn in.
VECTOR3 BoxPoint(const ZUp& q) {
    return ToYUp({static_cast<float>(q.x * kBoxDistance), static_cast<float>(q.y * kBoxDistance),
                  static_cast<float>(q.z * kBoxDistance)});
}

// Where the ray from the eye along q meets the cloud sphere (radius
// kSkyRadius + height, its centre kSkyRadius below the eye), turned into
// texture coordinates by the angles of that point seen from the centre: the
// layers stretch towards the horizon as a real cloud ceiling does. t is
// negated, as for the level's own coordinates: pictures are stored bottom row first.
void CloudCoordinates(const ZUp& q, double height, float* st) {
    const double r = kSkyRadius;
    const double length2 = q.x * q.x + q.y * q.y + q.z * q.z;
    const double p = (-q.z * r + std::sqrt(q.z * q.z * r * r + length2 * (2 * r * height + height * height))) / length2;
    double v[3] = {q.x * p, q.y * p, q.z * p + r};
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    st[0] = static_cast<float>(std::acos(v[0] / length));
    st[1] = static_cast<float>(-std::acos(v[1] / length));
}

// The dome's grid: positions (engine axes) and cloud coordinates per vertex,
// kDomeSteps x kDomeSteps cells per side. Over a box the layers cover the
// upper half only, as the box's lower half is the ground far away; without one
// they are the whole sky. Kept from frame to frame while the height stays;
// the cells drawn are picked each frame.
struct Dome {
    double height = -1;
    bool overBox = false;
    std::vector<float> positions, coordinates;
    int32_t base[6] = {-1, -1, -1, -1, -1, -1};  // each side's first vertex; -1 without one
    int firstRow[6] = {};
};

const Dome& DomeFor(double height, bool overBox) {
    static Dome dome;
    if (dome.height == height && dome.overBox == overBox) return dome;
    dome = Dome{height, overBox, {}, {}, {-1, -1, -1, -1, -1, -1}, {}};
    for (int side = 0; side < 6; ++side) {
        if (overBox && side == 5) continue;
        dome.firstRow[side] = overBox && side < 4 ? kDomeSteps / 2 : 0;
        dome.base[side] = static_cast<int32_t>(dome.positions.size() / 3);
        for (int row = dome.firstRow[side]; row <= kDomeSteps; ++row)
            for (int column = 0; column <= kDomeSteps; ++column) {
                const ZUp q = SidePoint(side, 2.0 * column / kDomeSteps - 1, 2.0 * row / kDomeSteps - 1);
                float st[2];
                CloudCoordinates(q, height, st);
                dome.coordinates.insert(dome.coordinates.end(), st, st + 2);
                const VECTOR3 p = BoxPoint(q);
                dome.positions.insert(dome.positions.end(), {p.x, p.y, p.z});
            }
    }
    return dome;
}

// The grid lines around a range of side coordinates.
int CellBelow(float v) { return std::clamp(static_cast<int>(std::floor((v + 1) / 2 * kDomeSteps)), 0, kDomeSteps); }
int CellAbove(float v) { return std::clamp(static_cast<int>(std::ceil((v + 1) / 2 * kDomeSteps)), 0, kDomeSteps); }

// The dome's cells that the sky faces show, as triangles.
const std::vector<uint32_t>& DomeTriangles(const Dome& dome, const SkyRanges& ranges) {
    static std::vector<uint32_t> triangles;
    triangles.clear();
    const uint32_t columns = kDomeSteps + 1;
    for (int side = 0; side < 6; ++side) {
        const SkySideRange& range = ranges[static_cast<size_t>(side)];
        if (dome.base[side] < 0 || !range.Seen) continue;
        const int lowRow = std::max(CellBelow(range.Min[1]), dome.firstRow[side]), highRow = CellAbove(range.Max[1]);
        for (int row = lowRow; row < highRow; ++row)
            for (int column = CellBelow(range.Min[0]); column < CellAbove(range.Max[0]); ++column) {
                const uint32_t a = static_cast<uint32_t>(dome.base[side]) +
                                   static_cast<uint32_t>(row - dome.firstRow[side]) * columns + static_cast<uint32_t>(column);
                const uint32_t b = a + 1, c = a + columns, d = c + 1;
                triangles.insert(triangles.end(), {a, b, d, a, d, c});
            }
    }
    return triangles;
}

// Each side's picture over the part of it the sky faces show.
void DrawBox(const SHADER& sky, const SkyRanges& ranges) {
    for (int side = 0; side < 6; ++side) {
        const SkySideRange& range = ranges[static_cast<size_t>(side)];
        if (sky.SkyBox[side] <= 0 || !range.Seen) continue;
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(sky.SkyBox[side]));
        glBegin(GL_QUADS);
        const double corners[4][2] = {{range.Min[0], range.Min[1]},
                                      {range.Max[0], range.Min[1]},
                                      {range.Max[0], range.Max[1]},
                                      {range.Min[0], range.Max[1]}};
        for (const auto& corner : corners) {
            // Pictures are stored from their bottom row up: t runs up the wall.
            glTexCoord2d((corner[0] + 1) / 2, (corner[1] + 1) / 2);
            const VECTOR3 p = BoxPoint(SidePoint(side, corner[0], corner[1]));
            glVertex3f(p.x, p.y, p.z);
        }
        glEnd();
    }
}

void DrawDome(const std::vector<uint32_t>& triangles) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_INT, triangles.data());
}

// Layers on texture units of their own, in one draw, when they fold as a
// level face's stages would (an opaque first layer, then layers that multiply,
// double or add): the dome is rasterised once instead of once per layer.
void DrawFoldedLayers(SHADER& sky, int32_t layers, const Dome& dome, const std::vector<uint32_t>& triangles) {
    const GLExtFunctions& ext = GLExt();
    for (int32_t k = 0; k < layers; ++k) {
        ext.glActiveTextureARB(GL_TEXTURE0_ARB + k);
        ext.glClientActiveTextureARB(GL_TEXTURE0_ARB + k);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, dome.coordinates.data());
        ApplyFoldedUnit(sky.Stages[static_cast<size_t>(k)], k);
    }
    DrawDome(triangles);
    for (int32_t k = layers - 1; k >= 0; --k) {
        ext.glActiveTextureARB(GL_TEXTURE0_ARB + k);
        ResetFoldedUnit(sky.Stages[static_cast<size_t>(k)], k);
        if (k > 0) glDisable(GL_TEXTURE_2D);
    }
}

}  // namespace

void DrawSky(Level& level, SHADER& sky) {
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDepthRange(1, 1);
    glDepthMask(GL_FALSE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    ApplyViewTransform(true);
    ApplyRotation(View().CameraRotation);
    const GLExtFunctions& ext = GLExt();
    ext.glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    ext.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    // Whatever combiner the last drawing left on the unit would replace the layers' pictures.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);

    bool box = false;
    for (const int32_t side : sky.SkyBox) box = box || side > 0;
    const SkyRanges ranges = SkyFaceRanges(level, View().CameraPosition);
    if (box) DrawBox(sky, ranges);
    const Dome& dome = DomeFor(sky.CloudHeight, box);
    const std::vector<uint32_t>& triangles = DomeTriangles(dome, ranges);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, dome.positions.data());
    // Units count in pairs for level faces (a stage and its lightmap); a sky's
    // layers have no lightmap, so each takes one.
    const bool folds = !box && (level.Shortcuts & kShortcutFoldMultiplies);
    const int32_t folded = folds ? FoldableStageCount(level, sky, 2 * Caps().TextureUnits, 0, true) : 0;
    if (folded > 0 && static_cast<size_t>(folded) == sky.Stages.size()) {
        DrawFoldedLayers(sky, folded, dome, triangles);
    } else {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, dome.coordinates.data());
        bool first = true;
        for (SHADER_STAGE& stage : sky.Stages) {
            // The material's own brace opens a stage too: one without an image is no layer.
            if (stage.Lightmap || std::ranges::none_of(stage.Textures, [](int32_t t) { return t > 0; })) continue;
            ApplyStage(stage);
            // Without a box the first layer is the sky: blended onto the cleared
            // screen it would leave the sky black where the content expects colour.
            if (!box && first) glDisable(GL_BLEND);
            DrawDome(triangles);
            ResetStage(stage);
            first = false;
        }
    }
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace korvath
