#pragma once
// Little-endian records out of a model file held in memory. Every read is
// checked against the size, so a count or offset from the file can be tried
// before anything is sized by it.
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace korvath {

class ModelBytes {
public:
    explicit ModelBytes(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    // Whether count records of recordBytes each, starting at offset, lie inside
    // the file (negative values never do).
    bool Holds(int64_t offset, int64_t count, int64_t recordBytes) const {
        if (offset < 0 || count < 0 || recordBytes < 0) return false;
        const int64_t size = static_cast<int64_t>(bytes_.size());
        return offset <= size && (recordBytes == 0 || count <= (size - offset) / recordBytes);
    }

    // The value at offset; the caller has checked it with Holds.
    template <typename T>
    T At(int64_t offset) const {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }

    const uint8_t* Data(int64_t offset) const { return bytes_.data() + offset; }

private:
    const std::vector<uint8_t>& bytes_;
};

}  // namespace korvath
