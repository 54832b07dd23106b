#include <algorithm>

#include "core/Capabilities.h"
#include "core/ExtTable.h"
#include "core/FrameTiming.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "korvath/Frustum.h"
#include "materials/Materials.h"
#include "world/EngineFrustum.h"
#include "world/BrushModels.h"
#include "world/LevelBatch.h"
#include "world/LevelDeform.h"
#include "world/LevelDraw.h"
#include "world/LevelFlares.h"
#include "world/LevelFog.h"
#include "world/LevelPlan.h"
#include "world/LevelRender.h"
#include "world/LevelSky.h"

namespace korvath {

namespace {

struct Walk {
    Level& level;
    const Frustum& frustum;
    const VECTOR3& camera;
    int32_t cluster;
    bool layDepth;
    int32_t sky = -1;  // the material of the first sky face seen
};

void CollectLeaf(Walk& w, const BspLeaf& leaf) {
    Level& level = w.level;
    if (!ClusterVisible(level, w.cluster, leaf.Cluster)) return;
    const VECTOR3 low = {static_cast<float>(leaf.Mins[0]), static_cast<float>(leaf.Mins[1]),
                         static_cast<float>(leaf.Mins[2])};
    const VECTOR3 high = {static_cast<float>(leaf.Maxs[0]), static_cast<float>(leaf.Maxs[1]),
                          static_cast<float>(leaf.Maxs[2])};
    if (!w.frustum.BoxInFrustum(low, high)) return;
    for (int32_t k = leaf.FirstLeafFace; k < leaf.FirstLeafFace + leaf.LeafFaceCount; ++k) {
        const int32_t f = level.LeafFaces[static_cast<size_t>(k)];
        uint8_t& drawn = level.Drawn[static_cast<size_t>(f)];
        if (drawn) continue;
        drawn = 1;
        const BspFace& face = level.Faces[static_cast<size_t>(f)];
        const size_t m = static_cast<size_t>(face.Texture);
        if (w.sky < 0 && (level.Materials[m].SurfaceFlags & kSurfaceSky)) w.sky = static_cast<int32_t>(m);
        if (w.layDepth && level.Plans[m].DepthFirst) level.DepthList[static_cast<size_t>(level.DepthCount++)] = f;
        if (level.Materials[m].Found)
            level.FirstList[static_cast<size_t>(level.FirstCount++)] = f;
        else
            level.SecondList[static_cast<size_t>(level.SecondCount++)] = f;
    }
}

// Back to front: the side of each plane away from the camera first. The tree
// is no deeper than kMaxTreeDepth, so recursion is safe.
void WalkTree(Walk& w, int32_t n) {
    if (n < 0) {
        CollectLeaf(w, w.level.Leafs[static_cast<size_t>(-(n + 1))]);
        return;
    }
    const BspNode& node = w.level.Nodes[static_cast<size_t>(n)];
    const BspPlane& plane = w.level.Planes[static_cast<size_t>(node.Plane)];
    const float d = PlaneDistance(plane, w.camera);
    WalkTree(w, d >= 0 ? node.Back : node.Front);
    WalkTree(w, d >= 0 ? node.Front : node.Back);
}

void DrawScripted(Level& level, const TextureUnits& units) {
    for (int32_t i = 0; i < level.FirstCount; ++i) {
        const int32_t f = level.FirstList[static_cast<size_t>(i)];
        if (level.Drawn[static_cast<size_t>(f)] == kDrawnInBatch) continue;
        const BspFace& face = level.Faces[static_cast<size_t>(f)];
        SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
        if (material.Flags & kMaterialDeform) DeformFace(level, face, material);
        if (material.Program != 0) {
            BindMaterial(material);
            DrawGeometry(level, face, units, false);
            UnbindMaterial(material);
        } else {
            DrawFace(level, face, units);
        }
    }
}

// Depth first, nearest face first (the walk reversed), with colour writes off.
// The visible passes then keep the written back-to-front order, but a fragment
// hidden behind a nearer wall fails the depth test before it is textured: on a
// software rasteriser that is most of a frame's work. The same triangles give
// the same depths, so every fragment that was visible still passes.
void LayDepth(Level& level, const TextureUnits& units, bool batching) {
    units.Server(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    units.Server(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_2D);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    if (batching) LayBatchedDepth(level);
    for (int32_t i = level.DepthCount - 1; i >= 0; --i) {
        const int32_t f = level.DepthList[static_cast<size_t>(i)];
        if (level.Drawn[static_cast<size_t>(f)] == kDrawnInBatch) continue;
        const BspFace& face = level.Faces[static_cast<size_t>(f)];
        const bool bothSides = level.Materials[static_cast<size_t>(face.Texture)].Cull == kCullNone;
        if (bothSides) glDisable(GL_CULL_FACE);
        DrawDepth(level, face);
        if (bothSides) glEnable(GL_CULL_FACE);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

}  // namespace

void RenderLevel(Level& level) {
    const GLExtFunctions& ext = GLExt();
    if (!ext.glActiveTextureARB || !ext.glClientActiveTextureARB) return;  // two texture units are needed
    const TextureUnits units = {ext.glActiveTextureARB, ext.glClientActiveTextureARB, Caps().TextureUnits};
    if (level.Plans.size() != level.Materials.size()) PlanMaterials(level);

    ApplyViewTransform(false);
    Frustum& frustum = EngineFrustum();
    frustum.Update();
    level.FirstCount = level.SecondCount = level.DepthCount = 0;
    // Depth laid first must pass again for the same fragment: only under the
    // depth tests that accept equal depths (the engine's GL_LEQUAL, a stage's GL_EQUAL).
    GLint depthFunc = GL_LESS;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    const bool layDepth = depthWrites && (depthFunc == GL_LEQUAL || depthFunc == GL_EQUAL);
    // Without nodes, leaf 0 is the whole level.
    const int32_t root = level.Nodes.empty() ? -1 : 0;
    const int32_t cluster = level.Leafs[static_cast<size_t>(FindLeaf(level, View().CameraPosition))].Cluster;
    Walk walk = {level, frustum, View().CameraPosition, cluster, layDepth};
    WalkTree(walk, root);

    // Whatever colour the overlay left behind would tint every face whose
    // stages set none.
    glColor4f(1, 1, 1, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    const bool batching = Batching(level, layDepth);
    if (batching) CollectBatches(level);
    if (layDepth) LayDepth(level, units, batching);
    // With the opaque faces' depth laid, the sky (at the far plane's depth)
    // fills only the pixels nothing covers: on a software rasteriser drawing it
    // first over the whole screen cost as much as the level itself.
    if (walk.sky >= 0) DrawSky(level, level.Materials[static_cast<size_t>(walk.sky)]);
    // Only now: the depth pass points positions alone, and with lighting on an
    // enabled normal array would be read from wherever it last pointed.
    glEnableClientState(GL_NORMAL_ARRAY);
    if (batching) DrawBatches(level, units);
    for (int32_t i = 0; i < level.SecondCount; ++i) {
        const int32_t f = level.SecondList[static_cast<size_t>(i)];
        if (level.Drawn[static_cast<size_t>(f)] != kDrawnInBatch) DrawFace(level, level.Faces[static_cast<size_t>(f)], units);
    }
    DrawScripted(level, units);
    DrawBrushModels(level, units);
    DrawFog(level);
    DrawFlares(level);
    std::fill(level.Drawn.begin(), level.Drawn.end(), 0);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // Three per highest face index; a level without faces adds nothing.
    if (!level.Faces.empty()) Timing().FrameVertices += 3 * (static_cast<int32_t>(level.Faces.size()) - 1);
}

}  // namespace korvath
