// Pack.Extract of an arbitrary PACK or zip file into a scratch engine path, then
// Clean. Aborts when anything lands outside the engine path or Clean leaves
// something behind.
#include <korvath/Pack.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzFiles.h"
#include "core/Paths.h"

namespace {
std::string g_scratch, g_archive, g_root;

size_t EntriesBelow(const std::string& directory) {
    size_t count = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(directory);
         it != std::filesystem::recursive_directory_iterator(); ++it)
        ++count;
    return count;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_scratch = fuzzsupport::ScratchDirectory("extract");
    g_archive = g_scratch + "input.pak";
    g_root = g_scratch + "root/";
    std::filesystem::create_directories(g_root);
    korvath::EnginePath() = g_root;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_archive, data, size);
    korvath::Pack pack;
    pack.Load(g_archive);
    pack.Extract();
    // The scratch folder holds the input and the engine path, nothing else.
    if (EntriesBelow(g_scratch) - EntriesBelow(g_root) != 2) std::abort();
    pack.Clean();
    if (EntriesBelow(g_root) != 0) std::abort();
    return 0;
}
