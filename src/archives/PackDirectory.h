#pragma once
// The PACK format: a 12-byte header ("PACK", directory offset, directory length)
// and a flat directory of 64-byte entries (56-byte name, data offset, length).
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Pack.h"

namespace korvath {

constexpr size_t kPackHeaderBytes = 12;
constexpr size_t kPackEntryBytes = 64;

struct PackHeader {
    int32_t DirectoryOffset = 0;
    int32_t DirectoryLength = 0;
};

bool IsPackMagic(const uint8_t* data, size_t size);
// False when the directory does not lie inside a file of fileSize bytes.
bool ReadPackHeader(const uint8_t* data, size_t size, uint64_t fileSize, PackHeader& header);
// Whole entries only: a directory length that is not a multiple of 64 drops the
// partial entry at its end rather than reading past it.
size_t PackEntryCount(const PackHeader& header);
std::vector<PackEntry> ReadPackEntries(const uint8_t* directory, size_t size);

}  // namespace korvath
