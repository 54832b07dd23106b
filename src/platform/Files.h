#pragma once
// The one file-access service of the library: every loader reads, looks up and
// lists files through here, so content authored on case-insensitive systems loads
// and entries of mounted archives (ArchiveMounts.h) are found wherever a loose
// file is not.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvath::platform {

// The largest file a loader is handed whole; anything bigger is refused rather than
// allocated (real content stays far below it).
constexpr uint64_t kMaxWholeFileBytes = uint64_t{1} << 30;

// The name of an existing file for path, matching each component case-insensitively
// where the exact name does not exist; path itself when nothing matches.
std::string FindFileIgnoringCase(const std::string& path);

// A regular file of at least one byte exists under path (after the look-up).
bool FileExists(const std::string& path);

// Reads a whole regular file (after the look-up). False, with bytes empty, for a
// missing file, a directory or device, a file over kMaxWholeFileBytes, or memory
// that cannot be had.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// A regular file read piece by piece, for content too long to hold whole
// (video streams). Open (after the look-up) gives null for a missing file, a
// directory or a device.
class StreamedFile {
public:
    static std::unique_ptr<StreamedFile> Open(const std::string& path);
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    uint64_t Size() const { return size_; }
    // Up to size bytes from offset into buffer; how many were read (0 at the end or on an error).
    size_t Read(uint64_t offset, uint8_t* buffer, size_t size);

private:
    StreamedFile(int descriptor, uint64_t size) : descriptor_(descriptor), size_(size) {}
    int descriptor_;
    uint64_t size_;
};

// Creates or replaces the file at path with bytes; false when it cannot be
// written whole.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Size and modification time of a regular file, for caches keyed on a file's
// content; false when path is not a regular file.
struct FileStamp {
    int64_t Size = 0;
    int64_t ModifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};
bool StampOf(const std::string& path, FileStamp& stamp);

// The names in a directory (after the look-up), in the order the file system gives
// them, without "." and "..". Empty when it cannot be read.
std::vector<std::string> ListDirectory(const std::string& directory);

// The process's current directory, without a trailing separator; empty when
// it cannot be told.
std::string CurrentDirectory();

}  // namespace korvath::platform
