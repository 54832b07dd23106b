#pragma once
// The one absolute name of an existing file: no "." or ".." parts, no doubled
// separators, symbolic links followed.
#include <string>

namespace korvath::platform {

// Empty when the file does not exist.
std::string CanonicalPath(const std::string& path);

}  // namespace korvath::platform
