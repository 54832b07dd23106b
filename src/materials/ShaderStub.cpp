#include "materials/Shader.h"

#include "korvath/Programs.h"

// Placeholders until the material parser and stage renderer land.
namespace korvath {

Programs& EnginePrograms() {
    static Programs programs;
    return programs;
}

SHADER FindMaterial(const std::string&, const std::string& name) {
    SHADER material;
    material.Name = name;
    return material;
}
SHADER ParseMaterial(const std::string&, const std::string& name) { return FindMaterial({}, name); }
void FreeMaterial(SHADER&) {}
void ApplyStage(SHADER_STAGE&) {}
void ResetStage(SHADER_STAGE&) {}
void BindMaterial(SHADER&) {}
void UnbindMaterial(SHADER&) {}

}  // namespace korvath
