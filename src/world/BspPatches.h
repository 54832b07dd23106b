#pragma once
// Curved faces into biquadratic pieces tessellated once, at load time.
#include "world/Level.h"

namespace korvath {

// Builds the patch table from the faces of type 2 (in face order) and replaces
// each such face's first PatchSize entry by its patch index. The faces must
// already have been checked: their control points lie inside their vertices.
void BuildPatches(Level& level);

}  // namespace korvath
