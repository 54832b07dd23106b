#pragma once
// Material scripts into SHADER records, and SHADER stages into GL state.
#include <string>

#include "korvath/Material.h"

namespace korvath {

class Programs;
// The module-wide Programs object the "program" line uses.
Programs& EnginePrograms();

SHADER FindMaterial(const std::string& directory, const std::string& name);
SHADER ParseMaterial(const std::string& scriptPath, const std::string& name);
void FreeMaterial(SHADER& material);

void ApplyStage(SHADER_STAGE& stage);
void ResetStage(SHADER_STAGE& stage);
void BindMaterial(SHADER& material);
void UnbindMaterial(SHADER& material);

}  // namespace korvath
