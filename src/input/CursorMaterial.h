#pragma once
// Drawing with a material lives in materials/, beside input/ on the same layer,
// so the engine hands the cursor a way to draw its quad with one at start-up.
#include "korvath/Material.h"

namespace korvath {

// Calls draw(context) once per pass of the material.
using CursorMaterialPasses = void (*)(SHADER& material, void (*draw)(const void* context), const void* context);
void SetCursorMaterialPasses(CursorMaterialPasses passes);
CursorMaterialPasses CursorPasses();

}  // namespace korvath
