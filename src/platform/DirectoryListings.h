#pragma once
// Directory listings kept for the case-insensitive look-up: a level asks for
// hundreds of names in a few directories, many under a spelling that is not the
// file's own, and scanning a directory per miss would read each listing
// thousands of times.
#include <cstddef>
#include <string>

namespace korvath::platform {

// The first entry of directory (as the file system orders them) whose name
// equals part without regard to ASCII case; empty when none does. A listing is
// read again once the directory itself has changed (its modification time or
// identity), so files written meanwhile are found.
std::string MatchIgnoringCase(const std::string& directory, const std::string& part);

// Drops every kept listing (the engine path changed).
void ForgetDirectoryListings();

// How many directories are kept at most; beyond that the oldest kept set is dropped whole.
constexpr std::size_t kMaxKeptListings = 4096;

}  // namespace korvath::platform
