#pragma once
#include <cstdint>
#include <string>

#include "korvath/Types.h"

namespace korvath {

// Kinds of shader object, passed to GL unchanged.
enum PROGRAM_OBJECTS : int32_t {
    PROGRAM_VERTEX = 35633,    // GL_VERTEX_SHADER_ARB
    PROGRAM_FRAGMENT = 35632,  // GL_FRAGMENT_SHADER_ARB
};

// GLSL sources into shader and program objects, and uniforms of a program.
// Every handle belongs to the caller.
class Programs {
public:
    int32_t Load(const std::string& Shader, PROGRAM_OBJECTS Object);
    int32_t Link(int32_t Vertex, int32_t Fragment);
    void SetUniformTexture(int32_t Index, const std::string& Name, int32_t Unit);
    void SetUniformVariable1(int32_t Index, const std::string& Name, float Value);
    void SetUniformVariable2(int32_t Index, const std::string& Name, const VECTOR2& Value);
    void SetUniformVariable3(int32_t Index, const std::string& Name, const VECTOR3& Value);
    void SetUniformVariable4(int32_t Index, const std::string& Name, const VECTOR4& Value);
};

}  // namespace korvath
