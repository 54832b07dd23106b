#include "platform/CanonicalPath.h"

#include <climits>
#include <cstdlib>

namespace korvath::platform {

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) return {};
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) return {};
    return resolved;
}

}  // namespace korvath::platform
