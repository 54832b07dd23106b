#pragma once
// The draw plan of each material of a level (see MaterialPlan).
#include <cstddef>

#include "world/Level.h"

namespace korvath {

// Plans every material; Load runs it once the materials are resolved.
void PlanMaterials(Level& level);
// Plans one material again after it was replaced.
void PlanMaterial(Level& level, size_t index);

}  // namespace korvath
