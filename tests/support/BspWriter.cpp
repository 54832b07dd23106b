#include "support/BspWriter.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace korvath::test {

namespace {

constexpr int kLumpCount = 17;
constexpr size_t kHeaderBytes = 8 + kLumpCount * 8;

void PutLong(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

template <typename T>
std::vector<uint8_t> Raw(const std::vector<T>& records) {
    std::vector<uint8_t> out(records.size() * sizeof(T));
    if (!out.empty()) std::memcpy(out.data(), records.data(), out.size());
    return out;
}

}  // namespace

std::vector<uint8_t> BspBuilder::Bytes() const {
    std::vector<std::vector<uint8_t>> lumps(kLumpCount);
    lumps[0].assign(Entities.begin(), Entities.end());
    for (const BspFileTexture& t : Textures) {
        std::vector<uint8_t> record(72, 0);
        std::memcpy(record.data(), t.Name.data(), std::min<size_t>(t.Name.size(), 64));
        std::memcpy(record.data() + 64, &t.Flags, 4);
        std::memcpy(record.data() + 68, &t.Contents, 4);
        lumps[1].insert(lumps[1].end(), record.begin(), record.end());
    }
    lumps[2] = Raw(Planes);
    lumps[3] = Raw(Nodes);
    lumps[4] = Raw(Leafs);
    lumps[5] = Raw(LeafFaces);
    lumps[6] = Raw(LeafBrushes);
    lumps[7] = Raw(Models);
    lumps[8] = Raw(Brushes);
    lumps[9] = Raw(BrushSides);
    lumps[10] = Raw(Vertices);
    lumps[11] = Raw(MeshVertices);
    lumps[12] = Effects;
    lumps[13] = Raw(Faces);
    lumps[14] = Lightmaps;
    lumps[15] = LightVolumes;
    if (ClusterCount > 0) {
        lumps[16].resize(8);
        std::memcpy(lumps[16].data(), &ClusterCount, 4);
        std::memcpy(lumps[16].data() + 4, &BytesPerCluster, 4);
        lumps[16].insert(lumps[16].end(), PvsBits.begin(), PvsBits.end());
    }

    std::vector<uint8_t> bytes(kHeaderBytes, 0);
    std::memcpy(bytes.data(), Magic, 4);
    PutLong(bytes, 4, Version);
    for (int i = 0; i < kLumpCount; ++i) {
        PutLong(bytes, 8 + 8 * i, static_cast<int32_t>(bytes.size()));
        PutLong(bytes, 12 + 8 * i, static_cast<int32_t>(lumps[i].size()));
        bytes.insert(bytes.end(), lumps[i].begin(), lumps[i].end());
        while (bytes.size() % 4) bytes.push_back(0);
    }
    return bytes;
}

bool BspBuilder::Write(const std::string& path) const { return WriteBytes(path, Bytes()); }

int32_t LumpOffset(const std::vector<uint8_t>& bytes, int lump) {
    int32_t value;
    std::memcpy(&value, bytes.data() + 8 + 8 * lump, 4);
    return value;
}

int32_t LumpLength(const std::vector<uint8_t>& bytes, int lump) {
    int32_t value;
    std::memcpy(&value, bytes.data() + 12 + 8 * lump, 4);
    return value;
}

void SetLump(std::vector<uint8_t>& bytes, int lump, int32_t offset, int32_t length) {
    PutLong(bytes, 8 + 8 * lump, offset);
    PutLong(bytes, 12 + 8 * lump, length);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace korvath::test
