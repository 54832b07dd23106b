#include "engine/CursorPasses.h"

#include "materials/MaterialPasses.h"

namespace korvath {

void DrawCursorPasses(SHADER& material, void (*draw)(const void* context), const void* context) {
    DrawMaterialPasses(material, [&] { draw(context); });
}

}  // namespace korvath
