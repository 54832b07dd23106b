#pragma once
// Data compiled into the library: the intro pictures, found by resource name and
// type as the engine asks for them ("KORVATH.LOGO", ".JPG").
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvath {

struct LibraryResourceEntry {
    const char* Name;  // name and type together, upper case: "KORVATH.LOGO.JPG"
    const uint8_t* Bytes;
    size_t Size;
};

// The table the build generates from the files in resources/.
extern const LibraryResourceEntry kLibraryResources[];
extern const size_t kLibraryResourceCount;

// Names compare without regard to case; false when the library has no such resource.
bool LibraryResource(const std::string& name, const std::string& type, std::vector<uint8_t>& bytes);

}  // namespace korvath
