#pragma once
// Keeps the viewport and the projection on the window's size as it changes.
namespace korvath {

// Notes the window's size as the engine starts on it; only later changes are followed.
void NoteWindowSize();
// When the window's size has changed since it was last looked at, the screen
// size, the viewport and the projection last set take the new size. The
// perspective keeps its field of view and aspect; the 2D overlay covers the new size.
void FollowWindowSize();

}  // namespace korvath
