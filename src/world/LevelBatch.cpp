#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>

#include "core/Capabilities.h"
#include "core/ExtTable.h"
#include "materials/Materials.h"
#include "world/LevelBatch.h"

namespace korvath {

namespace {

bool BuffersAvailable() {
    const GLExtFunctions& f = GLExt();
    return f.glGenBuffersARB && f.glBindBufferARB && f.glBufferDataARB && f.glDeleteBuffersARB &&
           Caps().VertexBuffers;
}


// Material, then lightmap; mesh faces draw without a lightmap and with their
// vertex colours, so they form groups of their own.
uint64_t BatchKey(const BspFace& face) {
    const uint32_t lightmap =
        face.Type == kFaceMesh ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(face.LightmapIndex + 1);
    return (static_cast<uint64_t>(static_cast<uint32_t>(face.Texture)) << 32) | lightmap;
}

void AddTriangle(std::vector<uint32_t>& out, uint32_t a, uint32_t b, uint32_t c) { out.insert(out.end(), {a, b, c}); }

// A strip's triangles as a list, each wound as the strip winds it.
void AddStrip(std::vector<uint32_t>& out, const uint32_t* strip, int32_t count, uint32_t base) {
    for (int32_t j = 0; j + 2 < count; ++j) {
        if (j % 2 == 0)
            AddTriangle(out, base + strip[j], base + strip[j + 1], base + strip[j + 2]);
        else
            AddTriangle(out, base + strip[j + 1], base + strip[j], base + strip[j + 2]);
    }
}

struct Range {
    uint32_t Lowest = std::numeric_limits<uint32_t>::max(), Highest = 0;
    void Take(const std::pair<uint32_t, uint32_t>& r) {
        Lowest = std::min(Lowest, r.first);
        Highest = std::max(Highest, r.second);
    }
};

int32_t IndexCount(const Level& level, int32_t f) {
    return level.FaceTriangleStart[static_cast<size_t>(f) + 1] - level.FaceTriangleStart[static_cast<size_t>(f)];
}

// Appends face f's triangles to the list at count and widens the range.
void Append(const Level& level, int32_t f, uint32_t* list, int32_t& count, Range& range) {
    const size_t start = static_cast<size_t>(level.FaceTriangleStart[static_cast<size_t>(f)]);
    const size_t end = static_cast<size_t>(level.FaceTriangleStart[static_cast<size_t>(f) + 1]);
    if (start == end) return;
    std::copy(level.FaceTriangles.begin() + static_cast<ptrdiff_t>(start),
              level.FaceTriangles.begin() + static_cast<ptrdiff_t>(end), list + count);
    count += static_cast<int32_t>(end - start);
    range.Take(level.FaceVertexRange[static_cast<size_t>(f)]);
}

void DrawDepthList(const uint32_t* list, int32_t count, const Range& range) {
    if (count > 0) glDrawRangeElements(GL_TRIANGLES, range.Lowest, range.Highest, count, GL_UNSIGNED_INT, list);
}

}  // namespace

namespace {

// The buffer's vertices and the face triangle tables; false when the level is
// too large for 32-bit indexes and offsets.
bool FillTables(Level& level, std::vector<BspVertex>& vertices) {
    vertices = level.Vertices;
    std::vector<size_t> patchBase(level.Patches.size());
    for (size_t p = 0; p < level.Patches.size(); ++p) {
        patchBase[p] = vertices.size();
        for (const BspSubPatch& piece : level.Patches[p].SubPatches)
            vertices.insert(vertices.end(), piece.Vertices.begin(), piece.Vertices.end());
    }
    if (vertices.size() > std::numeric_limits<uint32_t>::max()) return false;
    level.FaceTriangleStart.assign(level.Faces.size() + 1, 0);
    level.FaceVertexRange.assign(level.Faces.size(), {0, 0});
    for (size_t f = 0; f < level.Faces.size(); ++f) {
        const BspFace& face = level.Faces[f];
        if (face.Type == kFacePatch) {
            const size_t p = static_cast<size_t>(face.PatchSize[0]);
            uint32_t base = static_cast<uint32_t>(patchBase[p]);
            for (const BspSubPatch& piece : level.Patches[p].SubPatches) {
                for (size_t r = 0; r < piece.RowCounts.size(); ++r)
                    AddStrip(level.FaceTriangles, &piece.Indices[static_cast<size_t>(piece.RowStarts[r])], piece.RowCounts[r], base);
                base += static_cast<uint32_t>(piece.Vertices.size());
            }
            if (base > patchBase[p]) level.FaceVertexRange[f] = {static_cast<uint32_t>(patchBase[p]), base - 1};
        } else if ((face.Type == kFacePolygon || face.Type == kFaceMesh) && face.VertexCount > 0) {
            // Whole triangles only: a stray index would shift every later face's.
            const int32_t count = face.MeshVertexCount - face.MeshVertexCount % 3;
            for (int32_t k = 0; k < count; ++k)
                level.FaceTriangles.push_back(static_cast<uint32_t>(
                    face.FirstVertex + level.MeshVertices[static_cast<size_t>(face.FirstMeshVertex + k)]));
            level.FaceVertexRange[f] = {static_cast<uint32_t>(face.FirstVertex),
                                        static_cast<uint32_t>(face.FirstVertex + face.VertexCount - 1)};
        }
        if (level.FaceTriangles.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
        level.FaceTriangleStart[f + 1] = static_cast<int32_t>(level.FaceTriangles.size());
    }
    level.BatchFaces.reserve(level.Faces.size());
    level.BatchIndices.resize(level.FaceTriangles.size());
    return true;
}

void ClearTables(Level& level) {
    for (auto* table : {&level.FaceTriangles, &level.BatchIndices}) std::vector<uint32_t>().swap(*table);
    std::vector<int32_t>().swap(level.FaceTriangleStart);
    std::vector<std::pair<uint32_t, uint32_t>>().swap(level.FaceVertexRange);
    std::vector<std::pair<uint64_t, int32_t>>().swap(level.BatchFaces);
}

}  // namespace

// Batching only speeds drawing up: a level too large for it, or a driver that
// cannot hold its vertices, draws one face at a time instead.
void BuildBatchTables(Level& level) {
    if (!BuffersAvailable()) return;
    std::vector<BspVertex> vertices;
    bool filled = false;
    try {
        filled = FillTables(level, vertices);
    } catch (const std::bad_alloc&) {
        filled = false;
    }
    if (!filled) {
        ClearTables(level);
        return;
    }
    const GLExtFunctions& ext = GLExt();
    GLuint buffer = 0;
    ext.glGenBuffersARB(1, &buffer);
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
    ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(vertices.size() * sizeof(BspVertex)),
                        vertices.data(), GL_STATIC_DRAW_ARB);
    const bool stored = glGetError() == GL_NO_ERROR;
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    if (!stored) {
        ext.glDeleteBuffersARB(1, &buffer);
        ClearTables(level);
        return;
    }
    level.VertexBuffer = buffer;
}

void ReleaseBatchTables(Level& level) {
    const GLExtFunctions& ext = GLExt();
    if (level.VertexBuffer != 0 && ext.glDeleteBuffersARB) ext.glDeleteBuffersARB(1, &level.VertexBuffer);
    level.VertexBuffer = 0;
}

bool Batching(const Level& level, bool layDepth) {
    return layDepth && (level.Shortcuts & kShortcutBatchOpaque) && level.VertexBuffer != 0;
}

void CollectBatches(Level& level) {
    level.BatchFaces.clear();
    for (int32_t i = 0; i < level.DepthCount; ++i) {
        const int32_t f = level.DepthList[static_cast<size_t>(i)];
        const BspFace& face = level.Faces[static_cast<size_t>(f)];
        if (level.Plans[static_cast<size_t>(face.Texture)].StepsPerApplication) continue;
        // A batch is drawn as the type of its first face says; billboards (and
        // unknown types) draw nothing and must not lead one.
        if (face.Type != kFacePolygon && face.Type != kFacePatch && face.Type != kFaceMesh) continue;
        level.BatchFaces.push_back({BatchKey(face), f});
        level.Drawn[static_cast<size_t>(f)] = kDrawnInBatch;
    }
    std::sort(level.BatchFaces.begin(), level.BatchFaces.end());
}

// Faces of cull-none materials fill the list from its end, the others from its
// start: two calls in all. Depth alone does not depend on the order.
void LayBatchedDepth(Level& level) {
    uint32_t* const list = level.BatchIndices.data();
    const int32_t size = static_cast<int32_t>(level.BatchIndices.size());
    int32_t culled = 0, bothSides = 0;
    Range culledRange, bothRange;
    // Nearest face first (the walk reversed): fewer depth writes.
    for (int32_t i = level.DepthCount - 1; i >= 0; --i) {
        const int32_t f = level.DepthList[static_cast<size_t>(i)];
        if (level.Drawn[static_cast<size_t>(f)] != kDrawnInBatch) continue;
        const BspFace& face = level.Faces[static_cast<size_t>(f)];
        if (level.Materials[static_cast<size_t>(face.Texture)].Cull == kCullNone) {
            const int32_t n = IndexCount(level, f);
            int32_t added = 0;
            Append(level, f, list + size - bothSides - n, added, bothRange);
            bothSides += n;
        } else {
            Append(level, f, list, culled, culledRange);
        }
    }
    const GLExtFunctions& ext = GLExt();
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, level.VertexBuffer);
    glVertexPointer(3, GL_FLOAT, kVertexStride, reinterpret_cast<const void*>(offsetof(BspVertex, Position)));
    DrawDepthList(list, culled, culledRange);
    glDisable(GL_CULL_FACE);
    DrawDepthList(list + size - bothSides, bothSides, bothRange);
    glEnable(GL_CULL_FACE);
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

void DrawBatches(Level& level, const TextureUnits& units) {
    GLExt().glBindBufferARB(GL_ARRAY_BUFFER_ARB, level.VertexBuffer);
    for (size_t first = 0; first < level.BatchFaces.size();) {
        size_t end = first;
        int32_t count = 0;
        Range range;
        for (; end < level.BatchFaces.size() && level.BatchFaces[end].first == level.BatchFaces[first].first; ++end)
            Append(level, level.BatchFaces[end].second, level.BatchIndices.data(), count, range);
        if (count > 0) {
            const FaceBatch batch = {level.BatchIndices.data(), count, range.Lowest, range.Highest};
            DrawFace(level, level.Faces[static_cast<size_t>(level.BatchFaces[first].second)], units, &batch);
        }
        first = end;
    }
    GLExt().glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

}  // namespace korvath
