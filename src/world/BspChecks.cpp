#include "world/BspChecks.h"

#include <algorithm>
#include <cstdint>

namespace korvath {

namespace {

// first .. first + count - 1 lies inside a table of size entries.
bool RangeInside(int32_t first, int32_t count, size_t size) {
    return first >= 0 && count >= 0 && static_cast<uint64_t>(first) + static_cast<uint64_t>(count) <= size;
}

bool IndexInside(int32_t index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

bool AllInside(const std::vector<int32_t>& values, size_t size) {
    return std::all_of(values.begin(), values.end(), [size](int32_t v) { return IndexInside(v, size); });
}

// Faces share mesh-vertex ranges (a compiler writes one list for all quads), so
// a hostile file could make every face re-read a huge range. The largest value
// of each block of indexes answers whole blocks at once.
class MeshVertexMaxima {
public:
    explicit MeshVertexMaxima(const std::vector<int32_t>& values) : values_(values) {
        blocks_.assign((values.size() + kBlock - 1) / kBlock, INT32_MIN);
        for (size_t k = 0; k < values.size(); ++k) blocks_[k / kBlock] = std::max(blocks_[k / kBlock], values[k]);
    }
    // The values of a checked range, all of them below limit.
    bool Below(int32_t first, int32_t count, int32_t limit) const {
        size_t k = static_cast<size_t>(first);
        const size_t end = k + static_cast<size_t>(count);
        while (k < end) {
            if (k % kBlock == 0 && k + kBlock <= end) {
                if (blocks_[k / kBlock] >= limit) return false;
                k += kBlock;
            } else if (values_[k++] >= limit) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr size_t kBlock = 256;
    const std::vector<int32_t>& values_;
    std::vector<int32_t> blocks_;
};

// Control points run row by row over Width x Height vertices of the face, and
// the pieces of all patches together may not outnumber the vertices: a file
// that shares one large grid between many faces cannot make the tessellation
// grow without bound.
bool CheckPatch(const BspFace& face, uint64_t& pieces) {
    const int32_t width = face.PatchSize[0], height = face.PatchSize[1];
    if (width < 1 || height < 1 || static_cast<int64_t>(width) * height > face.VertexCount) return false;
    pieces += static_cast<uint64_t>((width - 1) / 2) * static_cast<uint64_t>((height - 1) / 2);
    return true;
}

// Children always come after their parent and each node has one parent, so the
// walk from node 0 visits every node at most once and never loops.
bool CheckNodes(const Level& level) {
    std::vector<int32_t> depth(level.Nodes.size(), -1);
    if (!depth.empty()) depth[0] = 0;
    for (size_t n = 0; n < level.Nodes.size(); ++n) {
        const BspNode& node = level.Nodes[n];
        if (!IndexInside(node.Plane, level.Planes.size())) return false;
        for (int32_t child : {node.Front, node.Back}) {
            if (child < 0) {
                if (!IndexInside(-(child + 1), level.Leafs.size())) return false;
                continue;
            }
            if (static_cast<size_t>(child) <= n || static_cast<size_t>(child) >= level.Nodes.size()) return false;
            if (depth[static_cast<size_t>(child)] >= 0) return false;
            depth[static_cast<size_t>(child)] = depth[n] < 0 ? 0 : depth[n] + 1;
            if (depth[static_cast<size_t>(child)] > kMaxTreeDepth) return false;
        }
    }
    return true;
}

bool CheckLeafs(Level& level) {
    for (BspLeaf& leaf : level.Leafs) {
        if (!RangeInside(leaf.FirstLeafFace, leaf.LeafFaceCount, level.LeafFaces.size()) ||
            !RangeInside(leaf.FirstLeafBrush, leaf.LeafBrushCount, level.LeafBrushes.size()))
            return false;
        if (leaf.Cluster < 0 || (level.ClusterCount > 0 && leaf.Cluster >= level.ClusterCount)) leaf.Cluster = -1;
    }
    return AllInside(level.LeafFaces, level.Faces.size()) && AllInside(level.LeafBrushes, level.Brushes.size());
}

bool CheckBrushes(const Level& level) {
    for (const BspBrush& brush : level.Brushes)
        if (!RangeInside(brush.FirstSide, brush.SideCount, level.BrushSides.size()) ||
            !IndexInside(brush.Texture, level.Textures.size()))
            return false;
    for (const BspBrushSide& side : level.BrushSides)
        if (!IndexInside(side.Plane, level.Planes.size()) || !IndexInside(side.Texture, level.Textures.size()))
            return false;
    return true;
}

}  // namespace

bool CheckFaces(Level& level, size_t lightmapCount) {
    // No face may index below its first vertex, used or not.
    if (std::any_of(level.MeshVertices.begin(), level.MeshVertices.end(), [](int32_t v) { return v < 0; }))
        return false;
    const MeshVertexMaxima maxima(level.MeshVertices);
    uint64_t pieces = 0;
    for (BspFace& face : level.Faces) {
        if (!IndexInside(face.Texture, level.Textures.size()) ||
            !RangeInside(face.FirstVertex, face.VertexCount, level.Vertices.size()) ||
            !RangeInside(face.FirstMeshVertex, face.MeshVertexCount, level.MeshVertices.size()) ||
            !maxima.Below(face.FirstMeshVertex, face.MeshVertexCount, face.VertexCount))
            return false;
        if (face.Type == kFacePatch && !CheckPatch(face, pieces)) return false;
        const bool lit = face.LightmapIndex == kLightmapByVertex || IndexInside(face.LightmapIndex, lightmapCount);
        if (!lit) face.LightmapIndex = -1;
    }
    return pieces <= level.Vertices.size();
}

bool CheckReferences(Level& level) {
    // Every position lies in some leaf, even in a level without nodes.
    return !level.Leafs.empty() && CheckNodes(level) && CheckLeafs(level) && CheckBrushes(level);
}

}  // namespace korvath
