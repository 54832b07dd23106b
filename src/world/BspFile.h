#pragma once
// An IBSP file held in memory: the header, the lump directory, and record reads
// that never leave the file.
#include <cstdint>
#include <cstring>
#include <vector>

namespace korvath {

enum BspLumpIndex : int {
    kLumpEntities = 0,
    kLumpTextures = 1,
    kLumpPlanes = 2,
    kLumpNodes = 3,
    kLumpLeafs = 4,
    kLumpLeafFaces = 5,
    kLumpLeafBrushes = 6,
    kLumpModels = 7,
    kLumpBrushes = 8,
    kLumpBrushSides = 9,
    kLumpVertices = 10,
    kLumpMeshVertices = 11,
    kLumpEffects = 12,
    kLumpFaces = 13,
    kLumpLightmaps = 14,
    kLumpLightVolumes = 15,
    kLumpPvs = 16,
    kLumpCount = 17
};

// An effect record (a fog volume): its material's name in 64 bytes, the brush
// it fills and the brush side it shows.
constexpr size_t kEffectBytes = 72;

// A little-endian 32-bit field of a record, read without alignment.
inline int32_t LongAt(const uint8_t* bytes) {
    int32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

class BspFile {
public:
    explicit BspFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Magic "IBSP" and a version of at least 46.
    bool HeaderValid() const;
    // Reads the lump directory; false when the file ends inside it.
    bool ReadDirectory();

    // A lump is readable when its offset and length are not negative and it ends
    // inside the file.
    bool Readable(int lump) const;
    int32_t Length(int lump) const { return lumps_[lump].Length; }
    const uint8_t* Data(int lump) const { return bytes_.data() + lumps_[lump].Offset; }

    // The whole records of a lump (a trailing partial record is ignored), copied
    // in one piece into a table sized once. False when the lump is not readable.
    template <typename Record>
    bool Read(int lump, std::vector<Record>& records, size_t recordBytes = sizeof(Record)) const {
        if (!Readable(lump)) return false;
        const size_t count = static_cast<size_t>(Length(lump)) / recordBytes;
        records.resize(count * recordBytes / sizeof(Record));
        if (count) std::memcpy(records.data(), Data(lump), count * recordBytes);
        return true;
    }

private:
    struct Lump {
        int32_t Offset = 0, Length = 0;
    };
    std::vector<uint8_t> bytes_;
    Lump lumps_[kLumpCount];
};

}  // namespace korvath
