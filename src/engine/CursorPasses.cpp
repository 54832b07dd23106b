#include "engine/CursorPasses.h"

#include "materials/Materials.h"

namespace korvath {

void DrawCursorPasses(SHADER& material, void (*draw)(const void* context), const void* context) {
    DrawWithMaterial(material, [&] { draw(context); });
}

}  // namespace korvath
