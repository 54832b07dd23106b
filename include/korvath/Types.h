#pragma once
// Records and value types shared by the whole public interface.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

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

// Where an object last was: a world-space axis-aligned box plus the placement and
// model matrix (column-major) it was computed with. A zeroed record is "not yet
// computed" (Enabled false).
struct VOLUME {
    bool Enabled = false;
    bool Relative = false;
    VECTOR3 Position;
    VECTOR3 Rotation;
    float Matrix[16] = {};
    VECTOR3 Min;
    VECTOR3 Max;
};

// One entity block of a level's entity text.
struct ENTITY {
    float Angle = 0;
    float Health = 0;
    float Speed = 0;
    float Wait = 0;
    std::string Model;
    std::string Message;
    std::string ClassName;
    std::string Noise;
    std::string Target;
    std::string Team;
    VECTOR3 Origin;
};

// The answer of a level collision query.
struct COLLISION {
    bool Collided = false;
    int32_t Flags = 0;
    float Ground = 0;
    VECTOR3 AxisLimits;
    VECTOR3 Normal;
    VECTOR3 Position;
};

// A level plane in the engine's Y-up axes: points p with Normal . p = Distance.
struct PLANE {
    float Distance = 0;
    VECTOR3 Normal;
};

// The value of members that may answer "nothing", a flag or a text.
using Variant = std::variant<std::monostate, bool, int32_t, std::string>;

// Raised only where the interface says an error reaches the caller.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace korvath
