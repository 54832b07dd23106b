#pragma once
// The overlay: fade curtain, loading bar, version line, console text and input
// line. The same drawing is the loading screen that status lines redraw.
#include <string>

namespace korvath {

void ShowLoadStatus(const std::string& text, bool log, float progress, bool error);
void StartFade(float duration);
void RenderOverlay();

}  // namespace korvath
