#include "FlyThrough.h"

#include <SDL.h>

#include <cmath>

using namespace korvath;

namespace {
constexpr float kEyeHeight = 40;      // units above the spawn point
constexpr float kWalkSpeed = 320;     // units per second
constexpr float kRunFactor = 3;
constexpr float kTurnSpeed = 120;     // degrees per second
constexpr float kMouseDegrees = 0.25f;  // per pixel of mouse motion
}  // namespace

void PlaceAtSpawnPoint(const Map& map, Camera& camera) {
    for (int32_t i = 0; i <= map.Entities(); ++i) {
        const ENTITY spawn = map.Entity(i);
        if (spawn.ClassName.rfind("info_player_", 0) != 0) continue;
        // Entity origins keep the level file's numbers in reverse order: (z, y, x)
        // of the file, whose point (x, y, z) the engine sees at (x, z, -y). The
        // file's yaw turns from +x toward +y; the camera's yaw turns the other way
        // from -z.
        camera.SetPosition(spawn.Origin.z, spawn.Origin.x + kEyeHeight, -spawn.Origin.y);
        camera.SetRotation(0, std::fmod(90 - spawn.Angle + 360, 360.0f), 0);
        return;
    }
    camera.SetPosition(0, 0, 0);
}

void FlyOneFrame(Keyboard& keys, Camera& camera, float seconds) {
    const float speed = kWalkSpeed * (keys.Button(KEY_SHIFT) ? kRunFactor : 1);
    const float forward = (keys.Button(KEY_W) ? speed : 0) - (keys.Button(KEY_S) ? speed : 0);
    const float left = (keys.Button(KEY_A) ? speed : 0) - (keys.Button(KEY_D) ? speed : 0);
    const float down = (keys.Button(KEY_PAGEDOWN) ? speed : 0) - (keys.Button(KEY_PAGEUP) ? speed : 0);
    if (forward != 0 || left != 0 || down != 0) camera.Move(left, down, forward);
    const float turn = (keys.Button(KEY_LEFT) ? -kTurnSpeed : 0) + (keys.Button(KEY_RIGHT) ? kTurnSpeed : 0);
    const float look = (keys.Button(KEY_UP) ? -kTurnSpeed : 0) + (keys.Button(KEY_DOWN) ? kTurnSpeed : 0);
    if (turn != 0 || look != 0) camera.Rotate(look * seconds, turn * seconds, 0);

    // The engine runs the window's events in EndScene; the mouse's motion since
    // the last frame is read here, and dropped while no button is held.
    int dx = 0, dy = 0;
    if (SDL_GetRelativeMouseState(&dx, &dy) & SDL_BUTTON_LMASK)
        camera.Rotate(static_cast<float>(dy) * kMouseDegrees, static_cast<float>(dx) * kMouseDegrees, 0);
}
