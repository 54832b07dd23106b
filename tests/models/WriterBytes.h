#pragma once
// How the model file writers of the tests append a record: its bytes as they
// lie in memory (little-endian, as the formats are).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace korvath::test {

template <typename T>
void Put(std::vector<uint8_t>& out, const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}

// A name NUL-padded (or cut) to the fixed width of its field.
inline void PutName(std::vector<uint8_t>& out, const std::string& name, size_t width) {
    const size_t at = out.size();
    out.resize(at + width, 0);
    std::memcpy(out.data() + at, name.data(), std::min(name.size(), width));
}

// A 32-bit field of written bytes spoilt in place.
inline void SetField(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}

}  // namespace korvath::test
