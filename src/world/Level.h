#pragma once
// The in-memory tables of a loaded IBSP level, shared by the loader, the renderer
// and the collision trace. Coordinates are already in the engine's Y-up axes.
//
// The loader guarantees every cross reference: node planes and children (a
// tree: each child comes after its parent, has one parent and lies at most
// kMaxTreeDepth below node 0; there is at least one leaf, and without nodes
// leaf 0 is the whole level), leaf face and leaf brush ranges and the indexes
// inside them, brush side ranges and their planes and textures, leaf clusters
// (-1 or below ClusterCount when there is a PVS, whose rows hold a bit for every
// cluster), face textures, vertex and mesh-vertex ranges (and the mesh-vertex
// values, which index inside their face's vertices), patch indexes and
// lightmap indexes (or -1).
// Code that walks these tables may rely on that and check nothing again.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "world/LightGrid.h"
#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

// Deep enough for any level a map compiler writes, shallow enough for a
// recursive walk of the tree.
constexpr int32_t kMaxTreeDepth = 1024;

struct BspTexture {
    std::string Name;  // cut at the first NUL, at most 64 characters
    int32_t Flags = 0;
    int32_t Contents = 0;  // 0x1 solid
};

struct BspPlane {
    VECTOR3 Normal;
    float Distance = 0;
};

// Signed distance of p from the plane: positive on its front side.
// Level files are Z-up; the engine is Y-up: file (x, y, z) is engine (x, z, -y).
inline VECTOR3 ToYUp(const VECTOR3& v) { return {v.x, v.z, -v.y}; }
// The engine point back in the file's axes.
inline VECTOR3 ToZUp(const VECTOR3& v) { return {v.x, -v.z, v.y}; }

inline float PlaneDistance(const BspPlane& plane, const VECTOR3& p) {
    return plane.Normal.x * p.x + plane.Normal.y * p.y + plane.Normal.z * p.z - plane.Distance;
}

struct BspNode {
    int32_t Plane = 0;
    int32_t Front = 0, Back = 0;  // a negative child c is leaf -(c + 1)
    int32_t Mins[3] = {}, Maxs[3] = {};
};

struct BspLeaf {
    int32_t Cluster = 0;  // negative: outside the map
    int32_t Area = 0;
    int32_t Mins[3] = {}, Maxs[3] = {};
    int32_t FirstLeafFace = 0, LeafFaceCount = 0;
    int32_t FirstLeafBrush = 0, LeafBrushCount = 0;
};

struct BspModel {
    float Mins[3] = {}, Maxs[3] = {};
    int32_t FirstFace = 0, FaceCount = 0, FirstBrush = 0, BrushCount = 0;
};

struct BspBrush {
    int32_t FirstSide = 0, SideCount = 0;
    int32_t Texture = 0;
};

struct BspBrushSide {
    int32_t Plane = 0;
    int32_t Texture = 0;
};

// Same layout as the file's 44-byte record, so vertex arrays read it directly.
struct BspVertex {
    VECTOR3 Position;
    VECTOR2 TexCoord;
    VECTOR2 LightmapCoord;
    VECTOR3 Normal;
    uint8_t Color[4] = {};
};
// Vertex arrays point into the table with this stride.
constexpr int32_t kVertexStride = sizeof(BspVertex);
static_assert(kVertexStride == 44, "vertex arrays use a 44-byte stride");

enum BspFaceType : int32_t { kFacePolygon = 1, kFacePatch = 2, kFaceMesh = 3, kFaceBillboard = 4 };

struct BspFace {
    int32_t Texture = 0;
    int32_t Effect = 0;
    int32_t Type = 0;
    int32_t FirstVertex = 0, VertexCount = 0;
    int32_t FirstMeshVertex = 0, MeshVertexCount = 0;
    int32_t LightmapIndex = -1;
    int32_t Unused[16] = {};   // lightmap placement and face normal
    int32_t PatchSize[2] = {};  // for a patch, [0] becomes its index in the patch table
};
static_assert(sizeof(BspFace) == 104, "face records are read as they lie in the file");
// BspFace::LightmapIndex of a face lit by its vertex colours instead of a lightmap.
constexpr int32_t kLightmapByVertex = -3;

// One biquadratic 3 x 3 piece, tessellated by its curvature: Steps[0]
// segments along its control rows (u) and Steps[1] across them (v), more where
// it bends, one where it is flat. Vertex j * (Steps[1] + 1) + i lies at u = j,
// v = i; strip r joins the vertices of u = r and u = r + 1.
struct BspSubPatch {
    BspVertex Control[9];
    int32_t Steps[2] = {1, 1};
    std::vector<BspVertex> Vertices;
    std::vector<uint32_t> Indices;
    std::vector<int32_t> RowCounts, RowStarts;  // one entry per strip
};

struct BspPatch {
    int32_t Width = 0, Height = 0;
    int32_t SubPatchCount = 0;
    std::vector<BspSubPatch> SubPatches;
};

// Ways of drawing the same picture with less work. All are on by default; the
// tests turn them off one at a time and compare pixels.
enum RenderShortcut : uint32_t {
    kShortcutSkipWhite = 0x1,       // a stage without an image draws with its unit off, not a white fetch
    kShortcutFoldMultiplies = 0x2,  // multiply stages folded into one multitexture draw
    kShortcutBatchOpaque = 0x4,     // faces under laid depth drawn a material and lightmap at a time
    kAllShortcuts = 0x7,
};

// How the renderer draws faces of one material, decided when the material is
// loaded or replaced (PlanMaterials) instead of per face and frame.
struct MaterialPlan {
    bool DepthFirst = false;           // lays its depth before the visible passes (WritesDepthFirst)
    bool StepsPerApplication = false;  // a stage steps a clock when applied: never batched
    size_t FirstVisible = 0;           // the first stage drawn once depth is laid (FirstVisibleStage)
    int32_t Folded = 0;                // stages folded into one draw from stage 0, or 0
    int32_t FoldedVisible = 0;         // the same from FirstVisible
};

// A fog volume: the inside of a convex brush (outward planes), hiding what
// lies FogDistance deep inside it behind its colour.
struct FogVolume {
    float Colour[3] = {};
    float Distance = 0;  // 0: the effect is no fog
    std::vector<BspPlane> Planes;
};

struct Level {
    std::vector<BspTexture> Textures;
    std::vector<SHADER> Materials;  // one per texture, same index
    std::vector<MaterialPlan> Plans;  // one per material, same index
    std::vector<BspPlane> Planes;
    std::vector<BspNode> Nodes;
    std::vector<BspLeaf> Leafs;
    std::vector<int32_t> LeafFaces;
    std::vector<int32_t> LeafBrushes;
    std::vector<BspModel> Models;        // 0 the world; from 1 the brush models (doors, platforms)
    std::vector<VECTOR3> ModelOffsets;   // where each brush model is moved to, engine axes
    std::vector<BspBrush> Brushes;
    std::vector<BspBrushSide> BrushSides;
    std::vector<BspVertex> Vertices;
    std::vector<VECTOR3> BasePositions;  // undeformed vertex positions
    std::vector<int32_t> MeshVertices;
    std::vector<uint8_t> Effects;        // kept as read
    std::vector<FogVolume> Fogs;         // one per effect record, same index
    std::vector<BspFace> Faces;
    std::vector<BspPatch> Patches;
    std::vector<uint32_t> Lightmaps;     // GL texture names
    std::vector<uint8_t> LightVolumes;   // kept as read
    LightGrid Grid;                      // reads LightVolumes
    int32_t ClusterCount = 0, BytesPerCluster = 0;  // ClusterCount 0: no PVS
    std::vector<uint8_t> PvsBits;
    std::vector<ENTITY> Entities;

    uint32_t Shortcuts = kAllShortcuts;  // RenderShortcut bits the renderer may take
    bool TextureCombine = false;         // the driver has the texture combiner (doubling and adding units)

    // Per-frame state of the renderer.
    std::vector<uint8_t> Drawn;
    // Per face (billboards only): whether the flare was last seen and since
    // which tick, for fading it in and out as it comes into sight and leaves.
    struct FlareFade {
        bool Known = false, Seen = false;
        int32_t Since = 0;
    };
    std::vector<FlareFade> FlareFades;
    std::vector<int32_t> FirstList, SecondList;
    int32_t FirstCount = 0, SecondCount = 0;
    // The collected faces that lay down depth before the visible passes, in walk
    // (back-to-front) order.
    std::vector<int32_t> DepthList;
    int32_t DepthCount = 0;

    // Geometry kept in a driver buffer for drawing many faces in one call
    // (kShortcutBatchOpaque); VertexBuffer 0 when the driver has no buffers.
    // The buffer holds Vertices, then the grid of every patch piece in patch
    // order. FaceTriangles lists every drawable face's triangles as indexes into
    // it: face f owns [FaceTriangleStart[f], FaceTriangleStart[f + 1]) and
    // reaches no vertex outside FaceVertexRange[f] (lowest, highest).
    uint32_t VertexBuffer = 0;
    std::vector<uint32_t> FaceTriangles;
    std::vector<int32_t> FaceTriangleStart;
    std::vector<std::pair<uint32_t, uint32_t>> FaceVertexRange;
    // Per frame: the batched faces as (material and lightmap key, face) and the
    // indexes of the call being drawn; sized at load, so a frame allocates nothing.
    std::vector<std::pair<uint64_t, int32_t>> BatchFaces;
    std::vector<uint32_t> BatchIndices;
    // The fog pass's vertex colours, grown to the largest fogged face.
    std::vector<uint8_t> FogColours;
};

// The leaf that holds p (node planes tested in double precision).
int32_t FindLeaf(const Level& level, const VECTOR3& p);
// Non-zero when cluster to may be seen from cluster from; always so without PVS
// or from outside the map.
int32_t ClusterVisible(const Level& level, int32_t from, int32_t to);

}  // namespace korvath
