#include "archives/ExtractedFiles.h"

#include "platform/FileTree.h"

namespace korvath {

std::string ExtractedFiles::MakeFolders(const std::string& root, const std::string& name) {
    size_t slash = name.find('/');
    while (slash != std::string::npos) {
        const std::string folder = root + name.substr(0, slash);
        switch (platform::KindOf(folder)) {
        case platform::PathKind::Directory:
            break;
        case platform::PathKind::Missing:
            if (!platform::MakeDirectory(folder)) return "folder cannot be made";
            folders_.push_back(folder);
            break;
        case platform::PathKind::Link:
            return "link on the way";
        default:
            return "not a folder on the way";
        }
        slash = name.find('/', slash + 1);
    }
    return {};
}

ExtractedFiles::Outcome ExtractedFiles::Write(const std::string& target, const std::vector<uint8_t>& bytes) {
    switch (platform::CreateNewFile(target, bytes)) {
    case platform::CreateResult::Written:
        files_.push_back(target);
        return Outcome::Written;
    case platform::CreateResult::AlreadyExists:
        return Outcome::Existing;
    default:
        return Outcome::Failed;
    }
}

void ExtractedFiles::RemoveAll() {
    for (auto file = files_.rbegin(); file != files_.rend(); ++file)
        if (platform::KindOf(*file) == platform::PathKind::File) platform::RemoveFile(*file);
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
        if (platform::KindOf(*folder) == platform::PathKind::Directory) platform::RemoveEmptyDirectory(*folder);
    files_.clear();
    folders_.clear();
}

}  // namespace korvath
