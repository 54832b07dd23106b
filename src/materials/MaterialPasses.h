#pragma once
// Drawing something with every pass of a material: once between BindMaterial and
// UnbindMaterial when the material is a program, otherwise once per stage between
// ApplyStage and ResetStage.
#include "korvath/Material.h"
#include "materials/Materials.h"

namespace korvath {

template <typename Draw>
void DrawMaterialPasses(SHADER& material, Draw&& draw) {
    if (material.Program != 0) {
        BindMaterial(material);
        draw();
        UnbindMaterial(material);
        return;
    }
    for (SHADER_STAGE& stage : material.Stages) {
        ApplyStage(stage);
        draw();
        ResetStage(stage);
    }
}

}  // namespace korvath
