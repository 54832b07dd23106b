#pragma once
// An entry name is data from the archive: before it becomes a path below the engine
// path it is cleaned of blanks and separators, and refused when it could lead out.
#include <string>

namespace korvath {

// Trimmed of blanks, '\' turned into '/'.
std::string CleanEntryName(const std::string& name);
// Why name must not be written (an empty text when it is safe): empty, a NUL
// inside, absolute, a drive letter, or a ".." component.
std::string UnsafeEntryReason(const std::string& name);
// A zip folder entry ("textures/"), which holds no data of its own.
bool IsFolderEntry(const std::string& name);

}  // namespace korvath
