#include "archives/ArchiveWriters.h"

#include <array>
#include <fstream>
#include <iterator>

namespace korvath::test {

namespace {
void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t Crc32(const std::string& data) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}
}  // namespace

std::string WritePack(const std::vector<PackFileEntry>& entries) {
    std::string data, directory;
    for (const PackFileEntry& entry : entries) {
        const auto pos = static_cast<int32_t>(12 + data.size());
        data += entry.Data;
        std::string name = entry.Name.substr(0, 56);
        name.resize(56, '\0');
        directory += name;
        Put(directory, static_cast<uint32_t>(entry.Claimed ? entry.ClaimedPos : pos), 4);
        Put(directory, static_cast<uint32_t>(entry.Claimed ? entry.ClaimedLen : static_cast<int32_t>(entry.Data.size())), 4);
    }
    std::string out = "PACK";
    Put(out, static_cast<uint32_t>(12 + data.size()), 4);
    Put(out, static_cast<uint32_t>(directory.size()), 4);
    return out + data + directory;
}

std::string WriteStoredZip(const std::vector<ZipFileEntry>& entries) {
    std::string out, central;
    for (const ZipFileEntry& entry : entries) {
        const auto offset = static_cast<uint32_t>(out.size());
        const uint32_t crc = Crc32(entry.Data);
        const auto size = static_cast<uint32_t>(entry.Data.size());
        const uint32_t declared = entry.DeclaredSize ? entry.DeclaredSize : size;
        Put(out, 0x04034b50, 4);
        Put(out, 20, 2), Put(out, 0, 2), Put(out, 0, 2), Put(out, 0, 2), Put(out, 0x21, 2);
        Put(out, crc, 4), Put(out, size, 4), Put(out, declared, 4);
        Put(out, static_cast<uint32_t>(entry.Name.size()), 2), Put(out, 0, 2);
        out += entry.Name + entry.Data;
        Put(central, 0x02014b50, 4);
        Put(central, 20, 2), Put(central, 20, 2), Put(central, 0, 2), Put(central, 0, 2);
        Put(central, 0, 2), Put(central, 0x21, 2);
        Put(central, crc, 4), Put(central, size, 4), Put(central, declared, 4);
        Put(central, static_cast<uint32_t>(entry.Name.size()), 2);
        Put(central, 0, 2), Put(central, 0, 2), Put(central, 0, 2), Put(central, 0, 2), Put(central, 0, 4);
        Put(central, offset, 4);
        central += entry.Name;
    }
    const auto centralOffset = static_cast<uint32_t>(out.size());
    out += central;
    Put(out, 0x06054b50, 4), Put(out, 0, 2), Put(out, 0, 2);
    Put(out, static_cast<uint32_t>(entries.size()), 2), Put(out, static_cast<uint32_t>(entries.size()), 2);
    Put(out, static_cast<uint32_t>(central.size()), 4), Put(out, centralOffset, 4), Put(out, 0, 2);
    return out;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace korvath::test
