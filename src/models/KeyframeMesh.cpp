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
            const uint32_t key = static_cast<uint16_t>(triangle.Vertex[k]) << 16 | static_cast<uint16_t>(triangle.TexCoord[k]);
            const auto [at, added] = drawVertexOf.try_emplace(key, static_cast<uint32_t>(mesh.DrawSources.size()));
            if (added) {
                mesh.DrawSources.push_back(triangle.Vertex[k]);
                arrays.TexCoords.push_back(TexCoordNear(mesh.TexCoords, triangle.TexCoord[k]));
            }
            arrays.Indices.push_back(at->second);
        }
        mesh.VolumeCorners.push_back(triangle.Vertex[2]);
    }
    // Growing a box by the same point twice changes nothing.
    std::sort(mesh.VolumeCorners.begin(), mesh.VolumeCorners.end());
    mesh.VolumeCorners.erase(std::unique(mesh.VolumeCorners.begin(), mesh.VolumeCorners.end()), mesh.VolumeCorners.end());
    arrays.Positions.resize(mesh.DrawSources.size());
    arrays.Normals.resize(mesh.DrawSources.size());
    return true;
}

int32_t ClampFrame(const KeyframeMesh& mesh, int32_t frame) { return std::clamp(frame, 0, std::max(mesh.FrameCount - 1, 0)); }

void InterpolateFrames(KeyframeMesh& mesh, int32_t current, int32_t next, float fraction) {
    if (mesh.FrameCount <= 0) return;
    const size_t base = static_cast<size_t>(ClampFrame(mesh, current)) * static_cast<size_t>(mesh.VertexCount);
    const size_t target = static_cast<size_t>(ClampFrame(mesh, next)) * static_cast<size_t>(mesh.VertexCount);
    ModelArrays& arrays = mesh.Arrays;
    for (size_t d = 0; d < mesh.DrawSources.size(); ++d) {
        const size_t v = static_cast<size_t>(mesh.DrawSources[d]);
        const VECTOR3& P = mesh.Positions[base + v];
        const VECTOR3& Q = mesh.Positions[target + v];
        arrays.Positions[d] = {P.x + fraction * (Q.x - P.x), P.y + fraction * (Q.y - P.y), P.z + fraction * (Q.z - P.z)};
        arrays.Normals[d] = mesh.Normals[base + v];
    }
}

void GrowByThirdCorners(const KeyframeMesh& mesh, int32_t current, VOLUME& volume, const Matrix4& matrix) {
    if (mesh.FrameCount <= 0) return;
    const size_t base = static_cast<size_t>(ClampFrame(mesh, current)) * static_cast<size_t>(mesh.VertexCount);
    for (const int32_t v : mesh.VolumeCorners) GrowVolume(volume, matrix, mesh.Positions[base + static_cast<size_t>(v)]);
}

}  // namespace korvath
