// The zip directory through libzip on arbitrary bytes, and every entry inflated
// up to its declared size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    korvath::platform::ZipArchive zip;
    if (!zip.OpenBytes(data, size)) return 0;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < zip.Entries().size(); ++i)
        // Declared sizes are data; only small ones are inflated, as Pack refuses the rest.
        if (zip.Entries()[i].Size <= (1u << 20)) zip.Read(i, bytes);
    return 0;
}
