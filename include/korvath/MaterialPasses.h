#pragma once
// Drawing your own geometry with a material, the way every renderer of the
// engine does: a material with a GLSL program is drawn once with all its stages
// bound on consecutive texture units; any other material once per stage, in
// stage order. Call between BeginScene and EndScene.
#include "korvath/Material.h"

namespace korvath {

// The GL state of one stage on the active texture unit (image, animation frame,
// alpha test, blending, colour wave, coordinate generation and modifiers), and
// its undoing. Every ApplyStage is followed by the ResetStage of the same stage.
void ApplyStage(SHADER_STAGE& stage);
void ResetStage(SHADER_STAGE& stage);
// All stages of the material on units 0, 1, ... with its program, and the undoing.
void BindMaterial(SHADER& material);
void UnbindMaterial(SHADER& material);

// Calls draw once per pass of the material; draw sends the geometry (immediate
// mode or arrays) with texture coordinates for unit 0.
template <typename Draw>
void DrawWithMaterial(SHADER& material, Draw&& draw) {
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
