#include "platform/ArchiveMounts.h"

#include <physfs.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <new>
#include <unordered_map>

namespace korvath::platform {

namespace {
struct Mount {
    std::string ArchivePath;
    std::string MountPoint;  // where PhysicsFS shows this archive alone
    std::string Root;        // the directory its entries appear below, with '/'
    int64_t ModifiedNanoseconds = 0;
};

struct IndexedFile {
    std::string VirtualPath;  // inside PhysicsFS
    ArchivedFile File;
};

// Every lookup folds case and separators, as the loose-file look-up does per
// component, so a name matches the same way inside and outside archives.
std::string KeyOf(const std::string& path) {
    std::string normal = path;
    std::replace(normal.begin(), normal.end(), '\\', '/');
    normal = std::filesystem::path(normal).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    for (char& c : normal) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return normal;
}

struct SearchList {
    std::mutex Lock;
    std::vector<Mount> Mounts;  // in mount order; later ones win
    std::unordered_map<std::string, IndexedFile> Files;
    std::unordered_map<std::string, std::vector<std::string>> Folders;
    int NextMountPoint = 0;
};

SearchList& List() {
    static SearchList list;
    return list;
}

void AddToFolder(SearchList& list, const std::string& folderKey, const std::string& name) {
    std::vector<std::string>& names = list.Folders[folderKey];
    const std::string key = KeyOf(name);
    for (const std::string& known : names)
        if (KeyOf(known) == key) return;
    names.push_back(name);
}

// Walks one mounted archive depth-first and enters every file under its root.
void IndexFolder(SearchList& list, const Mount& mount, const std::string& inside) {
    const std::string virtualFolder = mount.MountPoint + (inside.empty() ? "" : "/" + inside);
    char** names = PHYSFS_enumerateFiles(virtualFolder.c_str());
    if (!names) return;
    const std::string folderKey = KeyOf(mount.Root + inside);
    for (char** name = names; *name; ++name) {
        // A name that climbs out would show a file outside the root.
        if (std::string(*name) == "." || std::string(*name) == "..") continue;
        const std::string relative = inside.empty() ? *name : inside + "/" + *name;
        const std::string virtualPath = mount.MountPoint + "/" + relative;
        PHYSFS_Stat info;
        if (!PHYSFS_stat(virtualPath.c_str(), &info)) continue;
        if (info.filetype == PHYSFS_FILETYPE_DIRECTORY) {
            AddToFolder(list, folderKey, *name);
            IndexFolder(list, mount, relative);
        } else if (info.filetype == PHYSFS_FILETYPE_REGULAR) {
            AddToFolder(list, folderKey, *name);
            list.Files[KeyOf(mount.Root + relative)] =
                IndexedFile{virtualPath, ArchivedFile{mount.Root + relative, info.filesize, mount.ModifiedNanoseconds}};
        }
    }
    PHYSFS_freeList(names);
}

void Reindex(SearchList& list) {
    list.Files.clear();
    list.Folders.clear();
    for (const Mount& mount : list.Mounts) IndexFolder(list, mount, "");
}

std::string RootOf(const std::string& directory) {
    std::string root = directory;
    std::replace(root.begin(), root.end(), '\\', '/');
    if (!root.empty() && root.back() != '/') root += '/';
    return root;
}
}  // namespace

bool MountArchive(const std::string& archivePath, const std::string& rootDirectory) {
    SearchList& list = List();
    std::lock_guard<std::mutex> hold(list.Lock);
    if (!PHYSFS_isInit() && !PHYSFS_init(nullptr)) return false;
    struct stat info;
    if (::stat(archivePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    Mount mount{archivePath, "m" + std::to_string(list.NextMountPoint++), RootOf(rootDirectory),
                static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
    // Mounting the same archive twice would only hide the first copy; move it last.
    auto same = std::find_if(list.Mounts.begin(), list.Mounts.end(),
                             [&](const Mount& m) { return m.ArchivePath == archivePath; });
    if (same != list.Mounts.end()) {
        PHYSFS_unmount(same->ArchivePath.c_str());
        list.Mounts.erase(same);
    }
    if (!PHYSFS_mount(archivePath.c_str(), mount.MountPoint.c_str(), 1)) {
        if (list.Mounts.empty()) PHYSFS_deinit();
        return false;
    }
    list.Mounts.push_back(mount);
    IndexFolder(list, list.Mounts.back(), "");
    return true;
}

void UnmountArchive(const std::string& archivePath) {
    SearchList& list = List();
    std::lock_guard<std::mutex> hold(list.Lock);
    auto found = std::find_if(list.Mounts.begin(), list.Mounts.end(),
                              [&](const Mount& m) { return m.ArchivePath == archivePath; });
    if (found == list.Mounts.end()) return;
    PHYSFS_unmount(found->ArchivePath.c_str());
    list.Mounts.erase(found);
    Reindex(list);
    // PhysicsFS keeps its own allocations until it is shut down.
    if (list.Mounts.empty()) PHYSFS_deinit();
}

bool AnyArchiveMounted() {
    SearchList& list = List();
    std::lock_guard<std::mutex> hold(list.Lock);
    return !list.Mounts.empty();
}

bool FindArchivedFile(const std::string& path, ArchivedFile& file) {
    SearchList& list = List();
    std::lock_guard<std::mutex> hold(list.Lock);
    if (list.Mounts.empty()) return false;
    auto found = list.Files.find(KeyOf(path));
    if (found == list.Files.end()) return false;
    file = found->second.File;
    return true;
}

bool ReadArchivedFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes) {
    bytes.clear();
    SearchList& list = List();
    std::lock_guard<std::mutex> hold(list.Lock);
    if (list.Mounts.empty()) return false;
    auto found = list.Files.find(KeyOf(path));
    if (found == list.Files.end()) return false;
    PHYSFS_File* file = PHYSFS_openRead(found->second.VirtualPath.c_str());
    if (!file) return false;
    const PHYSFS_sint64 length = PHYSFS_fileLength(file);
    bool read = length >= 0 && static_cast<uint64_t>(length) <= maxBytes;
    if (read) {
        try {
            bytes.resize(static_cast<size_t>(length));
        } catch (const std::bad_alloc&) {
            read = false;
        }
    }
    if (read && length > 0) read = PHYSFS_readBytes(file, bytes.data(), static_cast<PHYSFS_uint64>(length)) == length;
    PHYSFS_close(file);
    if (!read) bytes.clear();
    return read;
}

std::vector<std::string> ListArchivedDirectory(const std::string& directory) {
    SearchList& list = List();
    std::lock_guard<std::mutex> hold(list.Lock);
    auto found = list.Folders.find(KeyOf(directory));
    return found == list.Folders.end() ? std::vector<std::string>() : found->second;
}

}  // namespace korvath::platform
