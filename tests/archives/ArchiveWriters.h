#pragma once
// Archives written by the tests: PACK files entry by entry (with any offsets a
// hostile file might claim) and stored (uncompressed) zip files.
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::test {

struct PackFileEntry {
    std::string Name;  // written into the 56-byte field as given, NULs included
    std::string Data;
    // When set, the directory claims these instead of where the data lies.
    int32_t ClaimedPos = -1;
    int32_t ClaimedLen = -1;
    bool Claimed = false;
};
std::string WritePack(const std::vector<PackFileEntry>& entries);

struct ZipFileEntry {
    std::string Name;
    std::string Data;
    uint32_t DeclaredSize = 0;  // when non-zero, the uncompressed size claimed
};
std::string WriteStoredZip(const std::vector<ZipFileEntry>& entries);

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace korvath::test
