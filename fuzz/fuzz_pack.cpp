// Pack.Load on arbitrary bytes: the PACK header and directory (and, for a zip
// signature, the zip directory), then the entry list read back.
#include <korvath/Pack.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"

namespace {
std::string g_archive;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_archive = fuzzsupport::ScratchDirectory("pack") + "input.pak";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_archive, data, size);
    korvath::Pack pack;
    pack.Load(g_archive);
    size_t names = 0;
    for (const korvath::PackEntry& entry : pack.Entries()) names += entry.EntryName.size();
    return names == static_cast<size_t>(-1);
}
