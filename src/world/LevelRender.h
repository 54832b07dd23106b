#pragma once
// Drawing a loaded level from the engine camera.
#include "world/Level.h"

namespace korvath {

// Collects the faces of the leaves that are potentially visible from the
// camera's cluster and inside the view frustum, back to front, then draws the
// bare-texture faces followed by the scripted ones.
void RenderLevel(Level& level);

}  // namespace korvath
