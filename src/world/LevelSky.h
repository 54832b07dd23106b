#pragma once
// The sky seen through a level's sky faces: the far box and the cloud layers.
#include "korvath/Material.h"
#include "world/Level.h"

namespace korvath {

// Draws the sky material around the eye at the far plane's depth, under
// everything drawn before or after it: only where nothing has been drawn yet
// (the sky faces themselves draw nothing) does it show. Texture unit 0 is
// left active and untextured.
// Layers that fold as a level face's stages would are drawn in one pass.
void DrawSky(Level& level, SHADER& sky);

}  // namespace korvath
