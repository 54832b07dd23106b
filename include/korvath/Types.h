#pragma once
// Records and value types shared by the whole public interface.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace korvath {

struct VECTOR2 {
    float x = 0, y = 0;
};

struct VECTOR3 {
    float x = 0, y = 0, z = 0;
};

// A quaternion keeps w last.
struct VECTOR4 {
    float x = 0, y = 0, z = 0, w = 0;
};

// The value of members that may answer "nothing", a flag or a text.
using Variant = std::variant<std::monostate, bool, int32_t, std::string>;

// Raised only where the interface says an error reaches the caller.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace korvath
