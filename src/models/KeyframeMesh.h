#pragma once
// The geometry of a keyframe model (MD2, MDL): every frame's vertices as the
// file stores them, the triangles as it lists them, and what drawing needs, prepared once
// at load: one draw vertex per distinct (vertex, texture coordinate) pair of
// the triangles' corners, and the distinct third corners the volume grows by.
#include <array>
#include <cstdint>
#include <vector>

#include "core/Math.h"
#include "korvath/KeyframeModel.h"
#include "models/VertexNormals.h"
#include "models/ModelArrays.h"

namespace korvath {

struct KeyframeTriangle {  // 12 bytes, as MD2 and MDL files store it
    int16_t Vertex[3] = {};
    int16_t TexCoord[3] = {};
};

// One vertex of one frame as the file stores it: a position on the frame's
// grid and an index into the vertex normal table.
struct KeyframeVertex {
    uint8_t X = 0, Y = 0, Z = 0, Normal = 0;
};

// The grid of one frame: along each file axis, byte × Scale + Translate.
struct KeyframeGrid {
    VECTOR3 Scale, Translate;
};

// A stored vertex of a frame in the engine's axes.
using PositionDecoder = VECTOR3 (*)(const KeyframeGrid& grid, const KeyframeVertex& vertex);

struct KeyframeMesh {
    int32_t VertexCount = 0;  // per frame
    int32_t FrameCount = 0;
    // Frames stay as stored, a sixth of the memory decoded positions and
    // normals would take; the poses drawn are decoded from them.
    std::vector<KeyframeGrid> Grids;
    std::vector<KeyframeVertex> Vertices;  // frame f's vertex v at f × VertexCount + v
    PositionDecoder Decode = nullptr;
    // The normals in the engine's axes, by stored index.
    const std::array<VECTOR3, kVertexNormalCount>* NormalTable = nullptr;
    std::vector<VECTOR2> TexCoords;
    std::vector<KeyframeTriangle> Triangles;

    // Filled by PrepareDrawing.
    std::vector<int32_t> DrawSources;  // the frame vertex of each draw vertex
    std::vector<int32_t> VolumeCorners;
    ModelArrays Arrays;
};

// What a keyframe file reader hands the model: the mesh and its animations,
// with the index of the last one (-1 for none).
struct KeyframeFile {
    KeyframeMesh Mesh;
    std::vector<MD2_ANIMATION> Animations;
    int32_t AnimationIndex = -1;
};

// Vertex v of frame f (both inside the mesh) in the engine's axes.
VECTOR3 FramePosition(const KeyframeMesh& mesh, int32_t f, int32_t v);
// Its normal; a stored index past the table reads entry 0.
const VECTOR3& FrameNormal(const KeyframeMesh& mesh, int32_t f, int32_t v);

// Builds the draw vertices, indexes and texture coordinates from the triangles;
// false when a corner names a vertex outside the frame. A texture-coordinate
// index outside the table reads its nearest entry, or (0, 0) from an empty one.
bool PrepareDrawing(KeyframeMesh& mesh);

// The pose between frames current and next, weight of next the fraction, into
// the draw arrays; both frames are brought inside the model's frames.
void InterpolateFrames(KeyframeMesh& mesh, int32_t current, int32_t next, float fraction);

// Grows the volume by the third corner of every triangle in frame current.
void GrowByThirdCorners(const KeyframeMesh& mesh, int32_t current, VOLUME& volume, const Matrix4& matrix);

// The frame index nearest inside 0..FrameCount - 1.
int32_t ClampFrame(const KeyframeMesh& mesh, int32_t frame);

}  // namespace korvath
