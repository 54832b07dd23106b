#include "world/BspTables.h"

namespace korvath {

namespace {

constexpr size_t kTextureRecordBytes = 72;
constexpr size_t kTextureNameBytes = 64;
constexpr size_t kPvsHeaderBytes = 8;

// Whole-number bounds; negation wraps so that no file value is undefined.
void ToYUp(int32_t (&v)[3]) {
    const int32_t y = v[1];
    v[1] = v[2];
    v[2] = static_cast<int32_t>(0u - static_cast<uint32_t>(y));
}

}  // namespace

bool ReadTextures(const BspFile& file, Level& level) {
    if (!file.Readable(kLumpTextures)) return false;
    const uint8_t* record = file.Data(kLumpTextures);
    level.Textures.resize(static_cast<size_t>(file.Length(kLumpTextures)) / kTextureRecordBytes);
    for (BspTexture& texture : level.Textures) {
        const char* name = reinterpret_cast<const char*>(record);
        texture.Name.assign(name, strnlen(name, kTextureNameBytes));
        texture.Flags = LongAt(record + 64);
        texture.Contents = LongAt(record + 68);
        record += kTextureRecordBytes;
    }
    return true;
}

bool ReadPlanes(const BspFile& file, Level& level) {
    if (!file.Read(kLumpPlanes, level.Planes)) return false;
    for (BspPlane& plane : level.Planes) plane.Normal = ToYUp(plane.Normal);
    return true;
}

bool ReadLeafs(const BspFile& file, Level& level) {
    if (!file.Read(kLumpLeafs, level.Leafs)) return false;
    for (BspLeaf& leaf : level.Leafs) {
        ToYUp(leaf.Mins);
        ToYUp(leaf.Maxs);
    }
    return true;
}

bool ReadVertices(const BspFile& file, Level& level) {
    if (!file.Read(kLumpVertices, level.Vertices)) return false;
    level.BasePositions.resize(level.Vertices.size());
    for (size_t i = 0; i < level.Vertices.size(); ++i) {
        BspVertex& vertex = level.Vertices[i];
        vertex.Position = ToYUp(vertex.Position);
        vertex.Normal = ToYUp(vertex.Normal);
        vertex.TexCoord.y = -vertex.TexCoord.y;
        level.BasePositions[i] = vertex.Position;
    }
    return true;
}

// Every row must hold a bit for every cluster, and all rows must lie inside
// the lump.
bool ReadPvs(const BspFile& file, Level& level) {
    if (!file.Readable(kLumpPvs)) return false;
    const size_t length = static_cast<size_t>(file.Length(kLumpPvs));
    if (length == 0) return true;
    if (length < kPvsHeaderBytes) return false;
    const int32_t clusters = LongAt(file.Data(kLumpPvs));
    const int32_t rowBytes = LongAt(file.Data(kLumpPvs) + 4);
    if (clusters < 0 || rowBytes < 0 || static_cast<int64_t>(rowBytes) * 8 < clusters) return false;
    const uint64_t bits = static_cast<uint64_t>(clusters) * static_cast<uint64_t>(rowBytes);
    if (bits > length - kPvsHeaderBytes) return false;
    level.ClusterCount = clusters;
    level.BytesPerCluster = rowBytes;
    level.PvsBits.assign(file.Data(kLumpPvs) + kPvsHeaderBytes, file.Data(kLumpPvs) + kPvsHeaderBytes + bits);
    return true;
}

}  // namespace korvath
