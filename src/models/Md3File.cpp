#include "models/Md3File.h"

#include <array>
#include <cmath>
#include <cstring>

#include "models/ModelBytes.h"
#include "models/ModelStatus.h"

namespace korvath {

namespace {

constexpr int64_t kHeaderBytes = 108;
constexpr int64_t kFrameBytes = 56;
constexpr int64_t kTagBytes = 112;
constexpr int64_t kNameBytes = 64;
constexpr int64_t kSurfaceHeaderBytes = 108;
constexpr int64_t kShaderBytes = 68;
constexpr int64_t kTriangleBytes = 12;
constexpr int64_t kTexCoordBytes = 8;
constexpr int64_t kVertexBytes = 8;

struct Md3Header {
    char Ident[4];
    int32_t Version;
    char Name[64];
    int32_t Flags, FrameCount, TagCount, SurfaceCount, SkinCount, FrameOffset, TagOffset, SurfaceOffset, EndOffset;
};
static_assert(sizeof(Md3Header) == kHeaderBytes);

struct Md3SurfaceHeader {
    char Ident[4];
    char Name[64];
    int32_t Flags, FrameCount, ShaderCount, VertexCount, TriangleCount, TriangleOffset, ShaderOffset, TexCoordOffset,
        VertexOffset, EndOffset;
};
static_assert(sizeof(Md3SurfaceHeader) == kSurfaceHeaderBytes);
static_assert(sizeof(Md3Vertex) == kVertexBytes);
static_assert(sizeof(Md3TagFrame) == kTagBytes - kNameBytes);

bool IsIdp3(const char (&ident)[4]) { return std::memcmp(ident, "IDP3", 4) == 0; }

// A name field: up to its first NUL, or all of it when it has none.
std::string FieldName(const char* field) { return std::string(field, strnlen(field, kNameBytes)); }

// Whether count records of recordBytes at offset (from the surface start) lie
// inside the surface's size. An empty block is not looked at: real exporters
// leave the offsets of empty surfaces anywhere.
bool InSurface(int64_t offset, int64_t count, int64_t recordBytes, int64_t size) {
    if (count == 0) return true;
    if (offset < 0 || count < 0 || offset > size) return false;
    return count <= (size - offset) / recordBytes;
}

bool ReadTags(const ModelBytes& file, const Md3Header& h, Md3PartFile& part) {
    const int64_t records = static_cast<int64_t>(h.TagCount) * h.FrameCount;
    if (h.TagCount < 0 || h.FrameCount < 0 || !file.Holds(h.TagOffset, records, kTagBytes)) return false;
    part.TagNames.resize(static_cast<size_t>(h.FrameCount > 0 ? h.TagCount : 0));
    part.Tags.resize(static_cast<size_t>(records));
    for (int64_t i = 0; i < records; ++i) {
        const int64_t at = h.TagOffset + i * kTagBytes;
        if (i < static_cast<int64_t>(part.TagNames.size()))
            part.TagNames[static_cast<size_t>(i)] = FieldName(reinterpret_cast<const char*>(file.Data(at)));
        part.Tags[static_cast<size_t>(i)] = file.At<Md3TagFrame>(at + kNameBytes);
    }
    return true;
}

bool ReadSurfaceBlocks(const ModelBytes& file, int64_t start, const Md3SurfaceHeader& s, Md3Surface& surface) {
    const int64_t size = s.EndOffset;
    const int64_t vertexRecords = static_cast<int64_t>(s.VertexCount) * s.FrameCount;
    if (s.FrameCount < 0 || s.ShaderCount < 0 || s.VertexCount < 0 || s.TriangleCount < 0) return false;
    if (!InSurface(s.ShaderOffset, s.ShaderCount, kShaderBytes, size) ||
        !InSurface(s.TexCoordOffset, s.VertexCount, kTexCoordBytes, size) ||
        !InSurface(s.TriangleOffset, s.TriangleCount, kTriangleBytes, size) ||
        !InSurface(s.VertexOffset, vertexRecords, kVertexBytes, size))
        return false;
    // Triangles need a frame to take their corners from.
    if (s.TriangleCount > 0 && vertexRecords == 0) return false;

    surface.Name = FieldName(s.Name);
    surface.VertexCount = s.VertexCount;
    surface.FrameCount = s.FrameCount;
    surface.TexCoords.resize(static_cast<size_t>(s.VertexCount));
    for (int32_t v = 0; v < s.VertexCount; ++v) {
        const int64_t at = start + s.TexCoordOffset + v * kTexCoordBytes;
        surface.TexCoords[static_cast<size_t>(v)] = {file.At<float>(at), 1 - file.At<float>(at + 4)};
    }
    surface.Indices.resize(static_cast<size_t>(s.TriangleCount) * 3);
    for (size_t i = 0; i < surface.Indices.size(); ++i) {
        const int32_t index = file.At<int32_t>(start + s.TriangleOffset + static_cast<int64_t>(i) * 4);
        if (index < 0 || index >= s.VertexCount) return false;
        surface.Indices[i] = static_cast<uint32_t>(index);
    }
    surface.Vertices.resize(static_cast<size_t>(vertexRecords));
    if (vertexRecords > 0)
        std::memcpy(surface.Vertices.data(), file.Data(start + s.VertexOffset),
                    static_cast<size_t>(vertexRecords) * sizeof(Md3Vertex));
    return true;
}

// The surfaces follow one another, each starting where the one before ends.
Md3Result ReadSurfaces(const ModelBytes& file, const Md3Header& h, Md3PartFile& part) {
    if (h.SurfaceCount < 0) return Md3Result::Failed;
    int64_t start = h.SurfaceOffset;
    for (int32_t i = 0; i < h.SurfaceCount; ++i) {
        if (!file.Holds(start, 1, kSurfaceHeaderBytes)) return Md3Result::Failed;
        const Md3SurfaceHeader s = file.At<Md3SurfaceHeader>(start);
        if (!IsIdp3(s.Ident)) {
            ModelStatus(" * Not A Valid Quake3 Model!");
            return Md3Result::WrongSurface;
        }
        // A surface ends after its header, so the walk always moves on and
        // stops at the end of the file.
        if (s.EndOffset < kSurfaceHeaderBytes || !file.Holds(start, 1, s.EndOffset)) return Md3Result::Failed;
        Md3Surface surface;
        if (!ReadSurfaceBlocks(file, start, s, surface)) return Md3Result::Failed;
        part.Surfaces.push_back(std::move(surface));
        start += s.EndOffset;
    }
    return Md3Result::Loaded;
}

struct AngleTable {
    std::array<float, 256> Sine, Cosine;
};

const AngleTable kNormalAngles = [] {
    AngleTable table;
    for (int i = 0; i < 256; ++i) {
        const double angle = i * 6.28318 / 255;
        table.Sine[static_cast<size_t>(i)] = static_cast<float>(std::sin(angle));
        table.Cosine[static_cast<size_t>(i)] = static_cast<float>(std::cos(angle));
    }
    return table;
}();

}  // namespace

VECTOR3 DecodeNormal(const Md3Vertex& vertex) {
    const size_t a = vertex.Normal[0], b = vertex.Normal[1];
    const float sinB = kNormalAngles.Sine[b];
    return {kNormalAngles.Cosine[a] * sinB, kNormalAngles.Sine[a] * sinB, kNormalAngles.Cosine[b]};
}

Md3Result ReadMd3Part(const std::vector<uint8_t>& bytes, Md3PartFile& part) {
    const ModelBytes file(bytes);
    if (!file.Holds(0, 1, kHeaderBytes)) return Md3Result::Failed;
    const Md3Header h = file.At<Md3Header>(0);
    if (!IsIdp3(h.Ident) || h.Version != 15) {
        ModelStatus("MD3: Invalid Quake 3 Model!");
        return Md3Result::WrongHeader;
    }
    // The frames' bounds are not used, but a file that claims them must hold them.
    if (h.FrameCount < 0 || !file.Holds(h.FrameOffset, h.FrameCount, kFrameBytes)) return Md3Result::Failed;
    part.FrameCount = h.FrameCount;
    if (!ReadTags(file, h, part)) return Md3Result::Failed;
    return ReadSurfaces(file, h, part);
}

}  // namespace korvath
