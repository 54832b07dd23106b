#pragma once
// The archive search list beneath the file service: mounted PACK and zip archives
// whose entries appear below a root directory as if they were loose files there.
// Later mounts override earlier ones; Files.cpp asks here only when no loose file
// answers, so loose files override every archive.
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::platform {

// Adds archivePath to the search list with its entries below rootDirectory; false
// when the archive cannot be opened or read as PACK or zip.
bool MountArchive(const std::string& archivePath, const std::string& rootDirectory);
void UnmountArchive(const std::string& archivePath);
bool AnyArchiveMounted();

// The mounted entry path names (matched without regard to case), as its archive
// spells it below the root, with its size and the archive's modification time.
struct ArchivedFile {
    std::string Path;
    int64_t Size = 0;
    int64_t ModifiedNanoseconds = 0;
};
bool FindArchivedFile(const std::string& path, ArchivedFile& file);
bool ReadArchivedFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes);
// The names of the mounted entries and folders directly inside directory.
std::vector<std::string> ListArchivedDirectory(const std::string& directory);

}  // namespace korvath::platform
