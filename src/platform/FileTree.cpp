#include "platform/FileTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace korvath::platform {

PathKind KindOf(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return PathKind::Missing;
    if (S_ISLNK(info.st_mode)) return PathKind::Link;
    if (S_ISDIR(info.st_mode)) return PathKind::Directory;
    if (S_ISREG(info.st_mode)) return PathKind::File;
    return PathKind::Other;
}

bool MakeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

CreateResult CreateNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    // O_EXCL with O_NOFOLLOW: neither an existing file nor a link planted at the
    // name is ever opened, so nothing outside the target is written.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? CreateResult::AlreadyExists : CreateResult::Failed;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) break;
        done += static_cast<size_t>(wrote);
    }
    const bool closed = ::close(fd) == 0;
    if (done == bytes.size() && closed) return CreateResult::Written;
    ::unlink(path.c_str());
    return CreateResult::Failed;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RemoveEmptyDirectory(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool ReadFileRange(const std::string& path, uint64_t offset, uint64_t length, std::vector<uint8_t>& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool read = true;
    try {
        bytes.resize(static_cast<size_t>(length));
    } catch (...) {
        read = false;
    }
    size_t done = 0;
    while (read && done < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) read = false;
        else done += static_cast<size_t>(got);
    }
    ::close(fd);
    if (!read) bytes.clear();
    return read;
}

}  // namespace korvath::platform
