#include "korvath/Programs.h"

// Placeholders until GLSL programs land.
namespace korvath {

int32_t Programs::Load(const std::string&, PROGRAM_OBJECTS) { return 0; }
int32_t Programs::Link(int32_t, int32_t) { return 0; }
void Programs::SetUniformTexture(int32_t, const std::string&, int32_t) {}
void Programs::SetUniformVariable1(int32_t, const std::string&, float) {}
void Programs::SetUniformVariable2(int32_t, const std::string&, const VECTOR2&) {}
void Programs::SetUniformVariable3(int32_t, const std::string&, const VECTOR3&) {}
void Programs::SetUniformVariable4(int32_t, const std::string&, const VECTOR4&) {}

}  // namespace korvath
