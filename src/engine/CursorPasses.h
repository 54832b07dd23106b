#pragma once
// What the engine hands the cursor so that it can draw with a material.
#include "korvath/Material.h"

namespace korvath {

void DrawCursorPasses(SHADER& material, void (*draw)(const void* context), const void* context);

}  // namespace korvath
