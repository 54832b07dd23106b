#pragma once
// Material scripts into SHADER records, and SHADER stages into GL state.
#include <cstdint>
#include <string>

#include "korvath/Material.h"
#include "korvath/MaterialPasses.h"
#include "materials/MaterialCodes.h"
#include "materials/SurfaceBits.h"

namespace korvath {

class Programs;
// The module-wide Programs object the "program" line uses.
Programs& EnginePrograms();

SHADER FindMaterial(const std::string& directory, const std::string& name);
SHADER ParseMaterial(const std::string& scriptPath, const std::string& name);
void FreeMaterial(SHADER& material);
// A material of one stage showing the picture at path (a texture without
// pixels when it cannot be read).
SHADER PictureMaterial(const std::string& path);

// The part of a stage that lives on the active texture unit: its image (and
// animation), cube map, texture-coordinate generation and texture matrix. A
// stage folded into another stage's draw on a unit of its own applies only this.
void ApplyStageUnit(SHADER_STAGE& stage);
void ResetStageUnit(const SHADER_STAGE& stage);
// Whether the stage sets a colour wave, which steps each time it is applied.
bool WavesColour(const SHADER_STAGE& stage);
// Whether the stage sets the current colour (and resets it to white after).
bool SetsColour(const SHADER_STAGE& stage);
// Whether that colour differs from white: a wave, a constant or vertex colours.
bool ChangesColour(const SHADER_STAGE& stage);
// Whether the stage's colour or alpha comes from the vertices: the drawer
// enables its colour array for the stage.
bool TakesVertexColour(const SHADER_STAGE& stage);
bool RgbFromVertices(const SHADER_STAGE& stage);
bool AlphaFromVertices(const SHADER_STAGE& stage);
// Whether only one of colour and alpha comes from the vertices: the stage then
// combines them on its texture unit, which must stay enabled to do so.
bool MixesVertexColour(const SHADER_STAGE& stage);
// Whether applying the stage steps a clock of its own (an animation frame or a
// colour wave), so that it must be applied once per face drawn.
bool StepsWhenApplied(const SHADER_STAGE& stage);
// Whether OpenGL 1.1 took the blend pair. It took the source colour only as a
// destination factor and the destination colour only as a source factor, and
// ignored any other pair; such a stage is drawn opaque, as it was then.
bool BlendPairTaken(int32_t source, int32_t destination);

}  // namespace korvath
