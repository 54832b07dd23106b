#include "models/KeyframeMesh.h"

#include <algorithm>
#include <unordered_map>

#include "models/ModelTransform.h"

namespace korvath {

namespace {

VECTOR2 TexCoordNear(const std::vector<VECTOR2>& table, int32_t index) {
    if (table.empty()) return {};
    return table[static_cast<size_t>(std::clamp<int32_t>(index, 0, static_cast<int32_t>(table.size()) - 1))];
}

size_t StoredIndex(const KeyframeMesh& mesh, int32_t f, int32_t v) {
    return static_cast<size_t>(f) * static_cast<size_t>(mesh.VertexCount) + static_cast<size_t>(v);
}

}  // namespace

bool PrepareDrawing(KeyframeMesh& mesh) {
    ModelArrays& arrays = mesh.Arrays;
    arrays = {};
    mesh.DrawSources.clear();
    mesh.VolumeCorners.clear();
    std::unordered_map<uint32_t, uint32_t> drawVertexOf;
    drawVertexOf.reserve(mesh.Triangles.size() * 3);
    arrays.Indices.reserve(mesh.Triangles.size() * 3);
    for (const KeyframeTriangle& triangle : mesh.Triangles) {
        for (int k = 0; k < 3; ++k) {
            if (triangle.Vertex[k] < 0 || triangle.Vertex[k] >= mesh.VertexCount) return false;
            const uint32_t vertex = static_cast<uint16_t>(triangle.Vertex[k]);
            const uint32_t key = vertex << 16 | static_cast<uint16_t>(triangle.TexCoord[k]);
            const auto [at, added] = drawVertexOf.try_emplace(key, static_cast<uint32_t>(mesh.DrawSources.size()));
            if (added) {
                mesh.DrawSources.push_back(triangle.Vertex[k]);
                arrays.Vertices.push_back({{}, {}, TexCoordNear(mesh.TexCoords, triangle.TexCoord[k])});
            }
            arrays.Indices.push_back(at->second);
        }
        mesh.VolumeCorners.push_back(triangle.Vertex[2]);
    }
    // Growing a box by the same point twice changes nothing.
    std::sort(mesh.VolumeCorners.begin(), mesh.VolumeCorners.end());
    std::vector<int32_t>& corners = mesh.VolumeCorners;
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    return true;
}

int32_t ClampFrame(const KeyframeMesh& mesh, int32_t frame) {
    return std::clamp(frame, 0, std::max(mesh.FrameCount - 1, 0));
}

VECTOR3 FramePosition(const KeyframeMesh& mesh, int32_t f, int32_t v) {
    return mesh.Decode(mesh.Grids[static_cast<size_t>(f)], mesh.Vertices[StoredIndex(mesh, f, v)]);
}

const VECTOR3& FrameNormal(const KeyframeMesh& mesh, int32_t f, int32_t v) {
    const size_t index = mesh.Vertices[StoredIndex(mesh, f, v)].Normal;
    return (*mesh.NormalTable)[index < kVertexNormalCount ? index : 0];
}

void InterpolateFrames(KeyframeMesh& mesh, int32_t current, int32_t next, float fraction) {
    if (mesh.FrameCount <= 0) return;
    const int32_t c = ClampFrame(mesh, current), n = ClampFrame(mesh, next);
    ModelArrays& arrays = mesh.Arrays;
    for (size_t d = 0; d < mesh.DrawSources.size(); ++d) {
        const int32_t v = mesh.DrawSources[d];
        const VECTOR3 P = FramePosition(mesh, c, v), Q = FramePosition(mesh, n, v);
        ModelVertex& out = arrays.Vertices[d];
        out.Position = {P.x + fraction * (Q.x - P.x), P.y + fraction * (Q.y - P.y), P.z + fraction * (Q.z - P.z)};
        out.Normal = FrameNormal(mesh, c, v);
    }
}

void GrowByThirdCorners(const KeyframeMesh& mesh, int32_t current, VOLUME& volume, const Matrix4& matrix) {
    if (mesh.FrameCount <= 0) return;
    const int32_t c = ClampFrame(mesh, current);
    for (const int32_t v : mesh.VolumeCorners) GrowVolume(volume, matrix, FramePosition(mesh, c, v));
}

}  // namespace korvath
