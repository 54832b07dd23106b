#pragma once
// Walking through a level: the camera rides on a physics body that gravity keeps
// on the floor below it, and walls stop it.
#include <korvath/Camera.h>
#include <korvath/Joystick.h>
#include <korvath/Keyboard.h>
#include <korvath/Map.h>
#include <korvath/Physics.h>

class Walker {
public:
    Walker();
    // Puts the body's feet under the camera, at rest.
    void Start(const korvath::Camera& camera);
    // One frame: keys and stick move the feet along the camera's yaw, gravity
    // pulls them to the floor, and the camera follows at eye height. Returns the
    // distance walked on the floor (0 while falling).
    float Step(korvath::Map& map, korvath::Keyboard& keys, const korvath::Joystick& joystick,
               korvath::Camera& camera, float seconds);

private:
    korvath::Physics body_;
    float heightBeforeStep_ = 0;  // of the feet, before the last physics step
};
