#include "world/BspFile.h"

namespace korvath {

namespace {
constexpr size_t kDirectoryEnd = 8 + 8 * kLumpCount;
constexpr int32_t kLowestVersion = 46;
}  // namespace

bool BspFile::HeaderValid() const {
    if (bytes_.size() < 8 || std::memcmp(bytes_.data(), "IBSP", 4) != 0) return false;
    int32_t version;
    std::memcpy(&version, bytes_.data() + 4, 4);
    return version >= kLowestVersion;
}

bool BspFile::ReadDirectory() {
    if (bytes_.size() < kDirectoryEnd) return false;
    std::memcpy(lumps_, bytes_.data() + 8, sizeof(lumps_));
    return true;
}

bool BspFile::Readable(int lump) const {
    const Lump& l = lumps_[lump];
    return l.Offset >= 0 && l.Length >= 0 &&
           static_cast<uint64_t>(l.Offset) + static_cast<uint64_t>(l.Length) <= bytes_.size();
}

}  // namespace korvath
