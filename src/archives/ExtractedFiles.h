#pragma once
// The files and folders one archive object wrote below the engine path, so that
// cleaning up removes exactly those and never what was there before.
#include <cstdint>
#include <string>
#include <vector>

namespace korvath {

class ExtractedFiles {
public:
    // Creates the missing folders of name's folder part below root (which ends in
    // '/' or is empty). Empty on success, else why it was refused: a link or a
    // file on the way out is never passed through.
    std::string MakeFolders(const std::string& root, const std::string& name);

    enum class Outcome { Written, Existing, Failed };
    Outcome Write(const std::string& target, const std::vector<uint8_t>& bytes);

    // Removes the written files, then the created folders innermost first, each
    // only while it is still what was made (a file, an empty folder).
    void RemoveAll();
    size_t WrittenCount() const { return files_.size(); }

private:
    std::vector<std::string> files_;
    std::vector<std::string> folders_;
};

}  // namespace korvath
