#pragma once
// How the model file writers of the tests append a record: its bytes as they
// lie in memory (little-endian, as the formats are).
#include <cstdint>
#include <vector>

namespace korvath::test {

template <typename T>
void Put(std::vector<uint8_t>& out, const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}

}  // namespace korvath::test
