#include "FlyThrough.h"

#include <SDL.h>
#include <cmath>

using namespace korvath;

namespace {
constexpr float kWalkSpeed = 320;     // units per second
constexpr float kRunFactor = 3;
constexpr float kTurnSpeed = 120;     // degrees per second
constexpr float kMouseDegrees = 0.25f;  // per pixel of mouse motion
// The joystick's axes read as small whole numbers (about -2..2 across and -3..3
// along on a 1024 x 768 screen); these make a full push one walk or turn speed.
constexpr float kStickWalk = kWalkSpeed / 3;
constexpr float kStickTurn = kTurnSpeed / 2;
}  // namespace

MoveSpeeds ReadMoveSpeeds(Keyboard& keys, const Joystick& joystick) {
    const bool run = keys.Button(KEY_SHIFT) || joystick.Button(JOY_BUTTON1);
    const float speed = kWalkSpeed * (run ? kRunFactor : 1);
    MoveSpeeds move;
    move.forward = (keys.Button(KEY_W) ? speed : 0) - (keys.Button(KEY_S) ? speed : 0);
    move.left = (keys.Button(KEY_A) ? speed : 0) - (keys.Button(KEY_D) ? speed : 0);
    move.down = (keys.Button(KEY_PAGEDOWN) ? speed : 0) - (keys.Button(KEY_PAGEUP) ? speed : 0);
    move.forward -= static_cast<float>(joystick.Axes().y) * kStickWalk * (run ? kRunFactor : 1);
    return move;
}

void TurnOneFrame(Keyboard& keys, const Joystick& joystick, Camera& camera, float seconds) {
    const float turn = (keys.Button(KEY_LEFT) ? -kTurnSpeed : 0) + (keys.Button(KEY_RIGHT) ? kTurnSpeed : 0) +
                       static_cast<float>(joystick.Axes().x) * kStickTurn;
    const float look = (keys.Button(KEY_UP) ? -kTurnSpeed : 0) + (keys.Button(KEY_DOWN) ? kTurnSpeed : 0);
    if (turn != 0 || look != 0) camera.Rotate(look * seconds, turn * seconds, 0);

    // The engine runs the window's events in EndScene; the mouse's motion since
    // the last frame is read here, and dropped while no button is held.
    int dx = 0, dy = 0;
    if (SDL_GetRelativeMouseState(&dx, &dy) & SDL_BUTTON_LMASK)
        camera.Rotate(static_cast<float>(dy) * kMouseDegrees, static_cast<float>(dx) * kMouseDegrees, 0);
}

void FlyOneFrame(Keyboard& keys, const Joystick& joystick, Camera& camera, float seconds) {
    const MoveSpeeds move = ReadMoveSpeeds(keys, joystick);
    if (move.forward != 0 || move.left != 0 || move.down != 0) camera.Move(move.left, move.down, move.forward);
    TurnOneFrame(keys, joystick, camera, seconds);
}
