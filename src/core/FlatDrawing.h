#pragma once
// Screen-aligned drawing shared by the intro, the overlay and text.
namespace korvath {

// Pushes the projection matrix with an orthographic projection of this extent and
// the modelview matrix as identity; the modelview matrix stays current.
void PushOrtho(double left, double right, double bottom, double top);
// Pops both matrices again; the modelview matrix stays current.
void PopOrtho();
// A quad from (0, 0) to (right, top), its texture running from 0 to 1 across it.
void DrawTexturedRect(float right, float top);

}  // namespace korvath
