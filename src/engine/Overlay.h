#pragma once
// The overlay: fade curtain, loading bar, version line, console text and input
// line. The same drawing is the loading screen that status lines redraw.
namespace korvath {

void RenderOverlay();
// Clears, draws the overlay alone and shows it: the loading screen's painter.
void PaintLoadingScreen();

}  // namespace korvath
