#include "archives/EntryNames.h"

#include <algorithm>

namespace korvath {

std::string CleanEntryName(const std::string& name) {
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::string clean = name.substr(first, name.find_last_not_of(' ') - first + 1);
    std::replace(clean.begin(), clean.end(), '\\', '/');
    return clean;
}

std::string UnsafeEntryReason(const std::string& name) {
    if (name.empty()) return "empty name";
    if (name.find('\0') != std::string::npos) return "NUL inside the name";
    if (name[0] == '/' || name[0] == '\\') return "absolute name";
    if (name.size() >= 2 && name[1] == ':') return "drive letter";
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        if (name.compare(start, end - start, "..") == 0 && end - start == 2) return "leads out with ..";
        start = end + 1;
    }
    return {};
}

bool IsFolderEntry(const std::string& name) { return !name.empty() && name.back() == '/'; }

}  // namespace korvath
