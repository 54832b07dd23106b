#pragma once
// How the keys and a joystick move the viewer's camera (placed first at a
// spawn point).
#include <korvath/Camera.h>
#include <korvath/Joystick.h>
#include <korvath/Keyboard.h>
#include <korvath/Map.h>

#include "SpawnPoint.h"

// Speeds in units per second asked for this frame: W, A, S, D walk and strafe
// (shift or joystick button 1 runs), page up and down climb, and the joystick's
// stick walks forward and back.
struct MoveSpeeds {
    float left = 0, down = 0, forward = 0;
};
MoveSpeeds ReadMoveSpeeds(korvath::Keyboard& keys, const korvath::Joystick& joystick);

// The arrow keys turn and look up and down, and so does the mouse while its left
// button is held; the joystick's stick turns (seconds: the length of the last frame).
void TurnOneFrame(korvath::Keyboard& keys, const korvath::Joystick& joystick, korvath::Camera& camera,
                  float seconds);

// Flies: the camera moves freely along its view.
void FlyOneFrame(korvath::Keyboard& keys, const korvath::Joystick& joystick, korvath::Camera& camera,
                 float seconds);
