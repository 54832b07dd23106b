#include "platform/Files.h"

#include "platform/ArchiveMounts.h"
#include "platform/DirectoryListings.h"

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvath::platform {

namespace {
bool Exists(const std::string& path, struct stat* info) { return ::stat(path.c_str(), info) == 0; }

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The name a mounted archive spells path with, when no loose file answered.
std::string ArchivedOr(const std::string& wanted) {
    ArchivedFile archived;
    return FindArchivedFile(wanted, archived) ? archived.Path : wanted;
}
}  // namespace

std::string FindFileIgnoringCase(const std::string& path) {
    std::string wanted = path;
    std::replace(wanted.begin(), wanted.end(), '\\', '/');
    struct stat info;
    if (wanted.empty() || Exists(wanted, &info)) return wanted;

    // Walk the components, taking the exact name where it exists and otherwise the
    // first directory entry that matches without regard to case.
    std::string found = wanted[0] == '/' ? "/" : "";
    size_t start = wanted[0] == '/' ? 1 : 0;
    while (start <= wanted.size()) {
        size_t end = wanted.find('/', start);
        if (end == std::string::npos) end = wanted.size();
        std::string part = wanted.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        std::string exact = found + part;
        if (!Exists(exact, &info)) {
            const std::string match = MatchIgnoringCase(found, part);
            if (match.empty()) return ArchivedOr(wanted);
            exact = found + match;
        }
        found = exact;
        if (end < wanted.size()) found += '/';
    }
    return found;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    struct stat info;
    if (Exists(FindFileIgnoringCase(path), &info) && S_ISREG(info.st_mode) && info.st_size > 0) return true;
    ArchivedFile archived;
    return FindArchivedFile(path, archived) && archived.Size > 0;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    // The size is taken from the open file itself, so a directory, a pipe or a file
    // that changed between look-up and open never sizes the buffer.
    FileHandle file(std::fopen(FindFileIgnoringCase(path).c_str(), "rb"));
    if (!file) return ReadArchivedFile(path, kMaxWholeFileBytes, bytes);
    struct stat info;
    if (::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<uint64_t>(info.st_size) > kMaxWholeFileBytes)
        return false;
    try {
        bytes.resize(static_cast<size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}

std::unique_ptr<StreamedFile> StreamedFile::Open(const std::string& path) {
    const int descriptor = ::open(FindFileIgnoringCase(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<StreamedFile>(new StreamedFile(descriptor, static_cast<uint64_t>(info.st_size)));
}

StreamedFile::~StreamedFile() { ::close(descriptor_); }

size_t StreamedFile::Read(uint64_t offset, uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(descriptor_, buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool StampOf(const std::string& path, FileStamp& stamp) {
    struct stat info;
    if (!Exists(path, &info)) {
        ArchivedFile archived;
        if (!FindArchivedFile(path, archived)) return false;
        stamp.Size = archived.Size;
        stamp.ModifiedNanoseconds = archived.ModifiedNanoseconds;
        return true;
    }
    if (!S_ISREG(info.st_mode)) return false;
    stamp.Size = info.st_size;
    stamp.ModifiedNanoseconds = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

std::vector<std::string> ListDirectory(const std::string& directory) {
    std::vector<std::string> names;
    DirHandle dir(::opendir(FindFileIgnoringCase(directory.empty() ? "." : directory).c_str()));
    while (dir) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry) break;
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    // Archived names follow the loose ones, each once whatever its case.
    for (const std::string& archived : ListArchivedDirectory(directory)) {
        const bool loose = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return ::strcasecmp(name.c_str(), archived.c_str()) == 0;
        });
        if (!loose) names.push_back(archived);
    }
    return names;
}

std::string CurrentDirectory() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    // An existing file is written under the name it already has, whatever its case.
    FileHandle file(std::fopen(FindFileIgnoringCase(path).c_str(), "wb"));
    if (!file) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace korvath::platform
