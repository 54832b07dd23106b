#include "core/Record.h"

namespace korvath {

// The console, loading bar and fade curtain are drawn here once fonts and
// materials are in place.
void RenderOverlay() {}

}  // namespace korvath
