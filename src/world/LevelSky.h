#pragma once
// The sky seen through a level's sky faces: the far box and the cloud layers.
#include "korvath/Material.h"

namespace korvath {

// Draws the sky material around the eye at the far plane's depth, under
// everything drawn before or after it: only where nothing has been drawn yet
// (the sky faces themselves draw nothing) does it show. Texture unit 0 is
// left active and untextured.
void DrawSky(SHADER& sky);

}  // namespace korvath
