#include "materials/ShaderScripts.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <memory>

#include "core/Globals.h"
#include "materials/ShaderText.h"

namespace korvath {

ScriptIndex::ScriptIndex(std::string bytes) : bytes_(std::move(bytes)) {
    ScriptText text(bytes_);
    while (!text.AtEnd()) {
        const std::string_view field = text.NextField();
        fieldEnds_.emplace(field, text.Position());
    }
}

// No script names an empty material, and an empty name is how a host asks for a
// plain picture: matching it against the empty fields of a binary file would
// read the picture's bytes as a material.
size_t ScriptIndex::BlockStart(std::string_view name, std::string_view path) const {
    size_t start = std::string_view::npos;
    for (const std::string_view wanted : {name, path}) {
        if (wanted.empty()) continue;
        const auto found = fieldEnds_.find(wanted);
        if (found != fieldEnds_.end() && found->second < start) start = found->second;
    }
    return start;
}

namespace {

struct CachedFile {
    off_t size = 0;
    timespec modified{};
    std::unique_ptr<ScriptIndex> index;
};

bool SameStamp(const CachedFile& file, const struct stat& info) {
    return file.size == info.st_size && file.modified.tv_sec == info.st_mtim.tv_sec &&
           file.modified.tv_nsec == info.st_mtim.tv_nsec;
}

}  // namespace

const ScriptIndex* CachedScript(const std::string& path) {
    static std::unordered_map<std::string, CachedFile> cache;
    const std::string real = FindFileIgnoringCase(path);
    struct stat info;
    if (::stat(real.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;

    CachedFile& file = cache[real];
    if (file.index && SameStamp(file, info)) return file.index.get();
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(real, bytes)) {
        cache.erase(real);
        return nullptr;
    }
    file.size = info.st_size;
    file.modified = info.st_mtim;
    file.index = std::make_unique<ScriptIndex>(std::string(bytes.begin(), bytes.end()));
    return file.index.get();
}

std::vector<std::string> ScriptFilesIn(const std::string& directory) {
    constexpr std::string_view kExtension = ".shader";
    std::vector<std::string> names;
    DIR* dir = ::opendir(FindFileIgnoringCase(directory.empty() ? "." : directory).c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() >= kExtension.size() &&
            ::strcasecmp(name.data() + name.size() - kExtension.size(), kExtension.data()) == 0)
            names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace korvath
