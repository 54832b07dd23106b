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

namespace korvath {

namespace {

// Grid lines per side of the cloud dome: the layers' coordinates bend, the
// box's pictures do not, so only the dome needs them.
constexpr int kDomeSteps = 8;
// Where the box is drawn, in world units from the eye. Any distance between the
// near and far planes would do, as the depth is forced to the far plane.
constexpr float kBoxDistance = 100;

// The sides in the order of SHADER::SkyBox (rt bk lf ft up dn), as axes of the
// level file's Z-up frame: component j of the direction to side point (s, t) is
// (s, t, 1)[k - 1], negated for negative k, with k = kSideAxes[side][j]. t runs
// up the picture on the four walls.
constexpr int kSideAxes[6][3] = {{3, -1, 2}, {-3, 1, 2}, {1, 3, 2}, {-1, -3, 2}, {-2, -1, 3}, {2, -1, -3}};

struct ZUp {
    double x, y, z;
};

ZUp SidePoint(int side, double s, double t) {
    const double b[3] = {s, t, 1};
    double q[3];
    for (int j = 0; j < 3; ++j) {
        const int k = kSideAxes[side][j];
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

// The dome as triangles: positions (engine axes) and cloud coordinates per
// vertex. Over a box the layers cover the upper half only, as the box's lower
// half is the ground far away; without one they are the whole sky. Kept from
// frame to frame while the height stays.
struct Dome {
    double height = -1;
    bool overBox = false;
    std::vector<float> positions, coordinates;
    std::vector<uint32_t> triangles;
};

const Dome& DomeFor(double height, bool overBox) {
    static Dome dome;
    if (dome.height == height && dome.overBox == overBox) return dome;
    dome = Dome{height, overBox, {}, {}, {}};
    for (int side = 0; side < 6; ++side) {
        if (overBox && side == 5) continue;
        const int firstRow = overBox && side < 4 ? kDomeSteps / 2 : 0;
        const uint32_t base = static_cast<uint32_t>(dome.positions.size() / 3);
        const int rows = kDomeSteps - firstRow + 1, columns = kDomeSteps + 1;
        for (int row = firstRow; row <= kDomeSteps; ++row)
            for (int column = 0; column < columns; ++column) {
                const ZUp q = SidePoint(side, 2.0 * column / kDomeSteps - 1, 2.0 * row / kDomeSteps - 1);
                float st[2];
                CloudCoordinates(q, height, st);
                dome.coordinates.insert(dome.coordinates.end(), st, st + 2);
                const VECTOR3 p = BoxPoint(q);
                dome.positions.insert(dome.positions.end(), {p.x, p.y, p.z});
            }
        for (int row = 0; row + 1 < rows; ++row)
            for (int column = 0; column + 1 < columns; ++column) {
                const uint32_t a = base + static_cast<uint32_t>(row * columns + column), b = a + 1;
                const uint32_t c = a + static_cast<uint32_t>(columns), d = c + 1;
                dome.triangles.insert(dome.triangles.end(), {a, b, d, a, d, c});
            }
    }
    return dome;
}

void DrawBox(const SHADER& sky) {
    for (int side = 0; side < 6; ++side) {
        if (sky.SkyBox[side] <= 0) continue;
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(sky.SkyBox[side]));
        glBegin(GL_QUADS);
        static constexpr double kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& corner : kCorners) {
            // Pictures are stored from their bottom row up: t runs up the wall.
            glTexCoord2d((corner[0] + 1) / 2, (corner[1] + 1) / 2);
            const VECTOR3 p = BoxPoint(SidePoint(side, corner[0], corner[1]));
            glVertex3f(p.x, p.y, p.z);
        }
        glEnd();
    }
}

void DrawDome(const Dome& dome) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(dome.triangles.size()), GL_UNSIGNED_INT, dome.triangles.data());
}

// Layers on texture units of their own, in one draw, when they fold as a
// level face's stages would (an opaque first layer, then layers that multiply,
// double or add): the dome is rasterised once instead of once per layer.
void DrawFoldedLayers(SHADER& sky, int32_t layers, const Dome& dome) {
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
    DrawDome(dome);
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
    if (box) DrawBox(sky);
    const Dome& dome = DomeFor(sky.CloudHeight, box);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, dome.positions.data());
    // Units count in pairs for level faces (a stage and its lightmap); a sky's
    // layers have no lightmap, so each takes one.
    const bool folds = !box && (level.Shortcuts & kShortcutFoldMultiplies);
    const int32_t folded = folds ? FoldableStageCount(level, sky, 2 * Caps().TextureUnits, 0, true) : 0;
    if (folded > 0 && static_cast<size_t>(folded) == sky.Stages.size()) {
        DrawFoldedLayers(sky, folded, dome);
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
            DrawDome(dome);
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
