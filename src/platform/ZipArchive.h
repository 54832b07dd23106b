#pragma once
// A zip archive's directory and entries, read through libzip; the names are handed
// out exactly as stored, so the caller decides which are safe to write.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct zip;

namespace korvath::platform {

struct ZipEntry {
    std::string Name;   // may hold a NUL or "..": it is data from the file
    uint64_t Size = 0;  // the uncompressed size the directory declares
};

class ZipArchive {
public:
    ZipArchive();
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Opens a file on disk, or the bytes of one (which must outlive the archive).
    bool Open(const std::string& path);
    bool OpenBytes(const uint8_t* data, size_t size);
    void Close();
    bool IsOpen() const { return archive_ != nullptr; }

    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // Inflates entry index; false when it does not inflate to exactly its declared
    // size (a damaged or lying entry), which is never allowed past its size.
    bool Read(size_t index, std::vector<uint8_t>& bytes) const;

private:
    bool ReadDirectory();
    zip* archive_ = nullptr;
    std::vector<ZipEntry> entries_;
};

// The file begins with a zip local header or an empty archive's end record.
bool LooksLikeZip(const uint8_t* data, size_t size);

}  // namespace korvath::platform
