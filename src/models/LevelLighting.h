#pragma once
// Models standing in a level lit as the level's light grid says: one light
// from the grid's direction in its directed colour over its ambient colour,
// instead of whatever lights the host has switched on.
#include "korvath/Map.h"
#include "korvath/Model.h"

namespace korvath {

// Samples the grid where the model stands (at the eye for a model held in
// view) and sets GL's lighting to match, saving what it replaces. False, with
// nothing changed, when the level has no light there or in a shadow pass.
bool BeginLevelLighting(const ModelPlacement& placement, const Map& level);
// Puts back what a successful BeginLevelLighting replaced.
void EndLevelLighting();

}  // namespace korvath
