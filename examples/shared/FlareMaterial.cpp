#include "FlareMaterial.h"

#include <korvath/Shaders.h>

using namespace korvath;

SHADER FlareMaterial() {
    Shaders shaders;
    SHADER flare = shaders.Load("scripts/oaflares.shader", "flareShader");
    if (flare.Stages.empty()) return flare;
    // The script names its picture with "clampmap", which the material reader
    // does not take; the picture is loaded on its own into the blended stage.
    const SHADER picture = shaders.Load("gfx/fx/flares/blur.tga");
    if (!picture.Stages.empty()) flare.Stages[0].Textures[0] = picture.Stages[0].Textures[0];
    return flare;
}
