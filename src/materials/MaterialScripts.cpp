#include "materials/MaterialScripts.h"

#include <cctype>
#include <memory>

#include "materials/ScriptText.h"
#include "platform/Files.h"

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
    platform::FileStamp stamp;
    std::unique_ptr<ScriptIndex> index;
};

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) return false;
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - ending.size() + i])) != ending[i]) return false;
    return true;
}

}  // namespace

const ScriptIndex* CachedScript(const std::string& path) {
    static std::unordered_map<std::string, CachedFile> cache;
    const std::string real = platform::FindFileIgnoringCase(path);
    platform::FileStamp stamp;
    if (!platform::StampOf(real, stamp)) return nullptr;

    CachedFile& file = cache[real];
    if (file.index && file.stamp == stamp) return file.index.get();
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(real, bytes)) {
        cache.erase(real);
        return nullptr;
    }
    file.stamp = stamp;
    file.index = std::make_unique<ScriptIndex>(std::string(bytes.begin(), bytes.end()));
    return file.index.get();
}

std::vector<std::string> ScriptFilesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (std::string& name : platform::ListDirectory(directory))
        if (EndsWithIgnoringCase(name, ".shader")) names.push_back(std::move(name));
    return names;
}

}  // namespace korvath
