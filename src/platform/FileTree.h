#pragma once
// Creating and removing single files and directories, for writers that must never
// step outside the tree they were given (archive extraction). Nothing here follows
// a symbolic link or replaces an existing file.
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::platform {

enum class PathKind { Missing, File, Directory, Link, Other };
// What sits at path itself (a link is reported, never followed).
PathKind KindOf(const std::string& path);

bool MakeDirectory(const std::string& path);
enum class CreateResult { Written, AlreadyExists, Failed };
// Writes bytes to a new file at path; an existing file or link is left alone.
CreateResult CreateNewFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool RemoveFile(const std::string& path);
// Removes a directory only when it is empty.
bool RemoveEmptyDirectory(const std::string& path);

// Reads length bytes at offset of the file at path; false when the file is shorter.
bool ReadFileRange(const std::string& path, uint64_t offset, uint64_t length, std::vector<uint8_t>& bytes);

}  // namespace korvath::platform
