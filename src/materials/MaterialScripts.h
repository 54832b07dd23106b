#pragma once
// Script files as the material search reads them: the bytes of one file with the
// place where each distinct field first ends, so looking a material up is one
// hash probe instead of a field-by-field pass; a cache of those per file; and the
// script files of a directory.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvath {

class ScriptIndex {
public:
    explicit ScriptIndex(std::string bytes);
    // The fields are views into the bytes, which must therefore never move.
    ScriptIndex(const ScriptIndex&) = delete;
    ScriptIndex& operator=(const ScriptIndex&) = delete;

    std::string_view Text() const { return bytes_; }
    // Where the line after the first field equal to name or to path starts, as the
    // field-by-field search meets them; npos when neither occurs.
    size_t BlockStart(std::string_view name, std::string_view path) const;

private:
    std::string bytes_;
    std::unordered_map<std::string_view, size_t> fieldEnds_;
};

// The index of the file at path, read again only when its size or modification
// time changed since the last call; null when it cannot be read.
const ScriptIndex* CachedScript(const std::string& path);

// Names of the "*.shader" files of a directory (extension matched without regard
// to case), in the order the file system lists them.
std::vector<std::string> ScriptFilesIn(const std::string& directory);

}  // namespace korvath
