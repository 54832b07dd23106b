#pragma once
// The loaders read files by name, so each input is written to a scratch file
// first, in a directory of the harness's own made once per process.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace fuzzsupport {

// "/tmp/korvath-fuzz-<harness>-XXXXXX/", made on the first call.
inline const std::string& ScratchDirectory(const std::string& harness) {
    static const std::string directory = [&] {
        std::string pattern = "/tmp/korvath-fuzz-" + harness + "-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern + "/";
    }();
    return directory;
}

inline void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size))) std::abort();
}

}  // namespace fuzzsupport
