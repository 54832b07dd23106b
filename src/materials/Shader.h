#pragma once
// Material scripts into SHADER records, and SHADER stages into GL state.
#include <cstdint>
#include <string>

#include "korvath/Material.h"

namespace korvath {

// Bits of SHADER_STAGE::Flags.
enum StageFlags : int32_t {
    kStageAlphaTest = 0x01,
    kStageBlend = 0x02,
    kStageCubeMap = 0x04,
    kStageDepthFunc = 0x08,
    kStageTcMods = 0x10,
    kStageTcGen = 0x20,
    kStageRgbGen = 0x40,
};

// Bits of SHADER::Flags.
enum MaterialFlags : int32_t {
    kMaterialDeform = 0x80,
    kMaterialStencil = 0x100,
};

// Bits of SHADER::SurfaceFlags that the renderers and the collision trace read.
enum SurfaceFlagBits : int32_t {
    kSurfaceFog = 0x40,
    kSurfaceNoDraw = 0x800,
    kSurfaceNoLightmap = 0x8000,
    kSurfaceNonSolid = 0x20000,
    kSurfaceSky = 0x8000000,
};

// SHADER::Cull of "cull none" (or "disable"): both sides are drawn.
constexpr int32_t kCullNone = 1;

class Programs;
// The module-wide Programs object the "program" line uses.
Programs& EnginePrograms();

SHADER FindMaterial(const std::string& directory, const std::string& name);
SHADER ParseMaterial(const std::string& scriptPath, const std::string& name);
void FreeMaterial(SHADER& material);

void ApplyStage(SHADER_STAGE& stage);
void ResetStage(SHADER_STAGE& stage);
// The part of a stage that lives on the active texture unit: its image (and
// animation), cube map, texture-coordinate generation and texture matrix. A
// stage folded into another stage's draw on a unit of its own applies only this.
void ApplyStageUnit(SHADER_STAGE& stage);
void ResetStageUnit(const SHADER_STAGE& stage);
void BindMaterial(SHADER& material);
void UnbindMaterial(SHADER& material);
// Whether the stage sets a colour wave, which steps each time it is applied.
bool WavesColour(const SHADER_STAGE& stage);
// Whether applying the stage steps a clock of its own (an animation frame or a
// colour wave), so that it must be applied once per face drawn.
bool StepsWhenApplied(const SHADER_STAGE& stage);
// Whether OpenGL 1.1 took the blend pair. It took the source colour only as a
// destination factor and the destination colour only as a source factor, and
// ignored any other pair; such a stage is drawn opaque, as it was then.
bool BlendPairTaken(int32_t source, int32_t destination);

}  // namespace korvath
