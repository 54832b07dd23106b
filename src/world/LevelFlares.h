#pragma once
// Flares: the level's billboard faces, glows around its lights drawn facing
// the eye, fading with distance and with the angle they are seen at, and
// hidden while the level stands between them and the eye.
#include "world/Level.h"

namespace korvath {

// Every collected billboard face whose material has stages, drawn with those
// stages over a square facing the eye, its colour the flare's own.
void DrawFlares(Level& level);

}  // namespace korvath
