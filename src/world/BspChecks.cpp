#include "world/BspChecks.h"

namespace korvath {

namespace {

// first .. first + count - 1 lies inside a table of size entries.
bool RangeInside(int32_t first, int32_t count, size_t size) {
    return first >= 0 && count >= 0 && static_cast<uint64_t>(first) + static_cast<uint64_t>(count) <= size;
}

bool IndexInside(int32_t index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

bool ValuesInside(const std::vector<int32_t>& values, int32_t first, int32_t count, size_t size) {
    for (int32_t k = first; k < first + count; ++k)
        if (!IndexInside(values[static_cast<size_t>(k)], size)) return false;
    return true;
}

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
    return ValuesInside(level.LeafFaces, 0, static_cast<int32_t>(level.LeafFaces.size()), level.Faces.size()) &&
           ValuesInside(level.LeafBrushes, 0, static_cast<int32_t>(level.LeafBrushes.size()), level.Brushes.size());
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
    uint64_t pieces = 0;
    for (BspFace& face : level.Faces) {
        if (!IndexInside(face.Texture, level.Textures.size()) ||
            !RangeInside(face.FirstVertex, face.VertexCount, level.Vertices.size()) ||
            !RangeInside(face.FirstMeshVertex, face.MeshVertexCount, level.MeshVertices.size()) ||
            !ValuesInside(level.MeshVertices, face.FirstMeshVertex, face.MeshVertexCount,
                          static_cast<size_t>(face.VertexCount)))
            return false;
        if (face.Type == kFacePatch && !CheckPatch(face, pieces)) return false;
        if (!IndexInside(face.LightmapIndex, lightmapCount)) face.LightmapIndex = -1;
    }
    return pieces <= level.Vertices.size();
}

bool CheckReferences(Level& level) {
    // Every position lies in some leaf, even in a level without nodes.
    return !level.Leafs.empty() && CheckNodes(level) && CheckLeafs(level) && CheckBrushes(level);
}

}  // namespace korvath
