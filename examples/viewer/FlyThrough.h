#pragma once
// Where the viewer's camera starts in a level and how the keys move it.
#include <korvath/Camera.h>
#include <korvath/Keyboard.h>
#include <korvath/Map.h>

// The first info_player_* spawn point at eye height, looking the way it
// faces; the level origin when the level has none.
void PlaceAtSpawnPoint(const korvath::Map& map, korvath::Camera& camera);

// W, A, S, D walk and strafe (shift runs), page up and down climb, the arrow
// keys turn and look up and down, and so does the mouse while its left button
// is held (seconds: the length of the last frame).
void FlyOneFrame(korvath::Keyboard& keys, korvath::Camera& camera, float seconds);
