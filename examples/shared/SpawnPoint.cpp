#include "SpawnPoint.h"

#include <cmath>

using namespace korvath;

void PlaceAtSpawnPoint(const Map& map, Camera& camera, float eyeHeight) {
    for (int32_t i = 0; i <= map.Entities(); ++i) {
        const ENTITY spawn = map.Entity(i);
        if (spawn.ClassName.rfind("info_player_", 0) != 0) continue;
        // Entity origins keep the level file's numbers in reverse order: (z, y, x)
        // of the file, whose point (x, y, z) the engine sees at (x, z, -y). The
        // file's yaw turns from +x toward +y; the camera's yaw turns the other way
        // from -z.
        camera.SetPosition(spawn.Origin.z, spawn.Origin.x + eyeHeight, -spawn.Origin.y);
        camera.SetRotation(0, std::fmod(90 - spawn.Angle + 360, 360.0f), 0);
        return;
    }
    camera.SetPosition(0, 0, 0);
}
