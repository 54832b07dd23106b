#pragma once
// The engine path relative names resolve against, and the small name utilities
// the loaders share. Nothing here touches the file system (see platform/Files.h).
#include <cstdint>
#include <string>

namespace korvath {

// The engine path, with its trailing separator, as SetPath stored it.
std::string& EnginePath();

std::string ResolvePath(const std::string& name);
std::string StripTrailingSlash(const std::string& path);
int32_t CharIndex(const std::string& text, int code);
std::string CutAtNul(const std::string& text);
std::string BaseName(const std::string& path);
std::string ExtensionOf(const std::string& path);
// The part of a path after its last separator ('\\' or '/').
std::string FileNameOf(const std::string& path);
// Both separators are accepted; '/' is written.
std::string NormaliseSeparators(const std::string& path);
bool IsAbsolutePath(const std::string& name);

}  // namespace korvath
