#include "archives/PackDirectory.h"

#include <cstring>

namespace korvath {

namespace {
int32_t ReadLong(const uint8_t* at) {
    return static_cast<int32_t>(static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
                                static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24);
}
constexpr size_t kNameBytes = 56;
}  // namespace

bool IsPackMagic(const uint8_t* data, size_t size) { return size >= 4 && std::memcmp(data, "PACK", 4) == 0; }

bool ReadPackHeader(const uint8_t* data, size_t size, uint64_t fileSize, PackHeader& header) {
    if (size < kPackHeaderBytes || !IsPackMagic(data, size)) return false;
    header.DirectoryOffset = ReadLong(data + 4);
    header.DirectoryLength = ReadLong(data + 8);
    return header.DirectoryOffset >= 0 && header.DirectoryLength >= 0 &&
           static_cast<uint64_t>(header.DirectoryOffset) + static_cast<uint64_t>(header.DirectoryLength) <= fileSize;
}

size_t PackEntryCount(const PackHeader& header) {
    return static_cast<size_t>(header.DirectoryLength) / kPackEntryBytes;
}

std::vector<PackEntry> ReadPackEntries(const uint8_t* directory, size_t size) {
    std::vector<PackEntry> entries(size / kPackEntryBytes);
    for (size_t i = 0; i < entries.size(); ++i) {
        const uint8_t* at = directory + i * kPackEntryBytes;
        const size_t length = strnlen(reinterpret_cast<const char*>(at), kNameBytes);
        entries[i].EntryName.assign(reinterpret_cast<const char*>(at), length);
        entries[i].FilePos = ReadLong(at + kNameBytes);
        entries[i].FileLen = ReadLong(at + kNameBytes + 4);
    }
    return entries;
}

}  // namespace korvath
