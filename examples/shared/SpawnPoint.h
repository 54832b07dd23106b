#pragma once
// Where a camera starts in a level.
#include <korvath/Camera.h>
#include <korvath/Map.h>

// The first info_player_* spawn point, eyeHeight above it, looking the way it
// faces; the level origin when the level has none.
void PlaceAtSpawnPoint(const korvath::Map& map, korvath::Camera& camera, float eyeHeight = 40);
