#include "LibraryResources.h"

#include <cctype>

namespace korvath {

namespace {
bool SameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}
}  // namespace

bool LibraryResource(const std::string& name, const std::string& type, std::vector<uint8_t>& bytes) {
    const std::string wanted = name + type;
    for (size_t i = 0; i < kLibraryResourceCount; ++i) {
        const LibraryResourceEntry& entry = kLibraryResources[i];
        if (SameIgnoringCase(wanted, entry.Name)) {
            bytes.assign(entry.Bytes, entry.Bytes + entry.Size);
            return true;
        }
    }
    bytes.clear();
    return false;
}

}  // namespace korvath
