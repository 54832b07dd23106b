#include "models/Md3PartMesh.h"

#include <algorithm>

#include "models/Md3PartClock.h"

namespace korvath {

namespace {

constexpr float kPositionUnit = 1.0f / 64;

VECTOR3 Blend(const VECTOR3& p, const VECTOR3& q, float w) {
    return {p.x + w * (q.x - p.x), p.y + w * (q.y - p.y), p.z + w * (q.z - p.z)};
}

VECTOR3 StoredPosition(const Md3Vertex& v) {
    return {v.X * kPositionUnit, v.Y * kPositionUnit, v.Z * kPositionUnit};
}

}  // namespace

void PrepareMd3Drawing(Md3PartMesh& mesh) {
    ModelArrays& arrays = mesh.Arrays;
    arrays = {};
    mesh.Surfaces.clear();
    for (const Md3Surface& surface : mesh.File.Surfaces) {
        Md3SurfaceDraw draw;
        const uint32_t base = static_cast<uint32_t>(arrays.Vertices.size());
        draw.Triangles = {static_cast<uint32_t>(arrays.Indices.size()), static_cast<uint32_t>(surface.Indices.size()),
                          base, base + static_cast<uint32_t>(std::max(surface.VertexCount, 1)) - 1};
        for (const VECTOR2& st : surface.TexCoords) arrays.Vertices.push_back({{}, {}, st});
        for (const uint32_t index : surface.Indices) arrays.Indices.push_back(base + index);
        for (size_t i = 2; i < surface.Indices.size(); i += 3) draw.VolumeCorners.push_back(base + surface.Indices[i]);
        // Growing a box by the same point twice changes nothing.
        std::vector<uint32_t>& corners = draw.VolumeCorners;
        std::sort(corners.begin(), corners.end());
        corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
        mesh.Surfaces.push_back(std::move(draw));
    }
}

void PoseMd3Part(Md3PartMesh& mesh, int32_t current, int32_t next, float fraction) {
    ModelVertex* out = mesh.Arrays.Vertices.data();
    for (const Md3Surface& surface : mesh.File.Surfaces) {
        const size_t count = static_cast<size_t>(surface.VertexCount);
        if (count == 0 || surface.Vertices.empty()) continue;
        const Md3Vertex* p = &surface.Vertices[static_cast<size_t>(FileFrame(current, surface.FrameCount)) * count];
        const Md3Vertex* q = &surface.Vertices[static_cast<size_t>(FileFrame(next, surface.FrameCount)) * count];
        for (size_t v = 0; v < count; ++v, ++out) {
            out->Position = Blend(StoredPosition(p[v]), StoredPosition(q[v]), fraction);
            out->Normal = fraction == 0 ? DecodeNormal(p[v])
                                        : VectorNormalize(Blend(DecodeNormal(p[v]), DecodeNormal(q[v]), fraction));
        }
    }
}

Matrix4 Md3TagMatrix(const Md3PartFile& part, size_t t, int32_t current, int32_t next, float fraction) {
    const size_t tags = part.TagNames.size();
    if (t >= tags || part.Tags.empty()) return MatrixIdentity();
    const Md3TagFrame& a = part.Tags[static_cast<size_t>(FileFrame(current, part.FrameCount)) * tags + t];
    const Md3TagFrame& b = part.Tags[static_cast<size_t>(FileFrame(next, part.FrameCount)) * tags + t];
    Matrix4 m{};
    for (int column = 0; column < 3; ++column) {
        // Unit axes, blended or not: exporters leave scale in them (the
        // corpus legs carry the torso at 2.8 times its size), which the
        // players' pictures were never made to show, and a pose that jumped
        // between scaled and unit axes at every step would pulse.
        const VECTOR3 axis = VectorNormalize(Blend(a.Axis[column], b.Axis[column], fraction));
        m[4 * column + 0] = axis.x;
        m[4 * column + 1] = axis.y;
        m[4 * column + 2] = axis.z;
    }
    const VECTOR3 origin = Blend(a.Origin, b.Origin, fraction);
    m[12] = origin.x;
    m[13] = origin.y;
    m[14] = origin.z;
    m[15] = 1;
    return m;
}

int32_t FindMd3Tag(const Md3PartFile& part, const std::string& name) {
    const auto found = std::find(part.TagNames.begin(), part.TagNames.end(), name);
    return found == part.TagNames.end() ? -1 : static_cast<int32_t>(found - part.TagNames.begin());
}

}  // namespace korvath
