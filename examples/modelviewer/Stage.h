#pragma once
// What the model stands on and how it is looked at: a floor under its feet
// that takes its shadow, one light above and in front, and a camera orbiting
// its centre.
#include <korvath/Korvath.h>

#include "ModelKinds.h"

// The model's extent as its last Render left it in its volume.
struct Framing {
    korvath::VECTOR3 centre;
    float size = 1;   // the largest side of the box
    float floor = 0;  // the lowest point
};
Framing FrameModel(const korvath::VOLUME& volume);

class OrbitCamera {
public:
    // The arrow keys orbit and tilt, page up and down come closer and go away.
    void Steer(korvath::Keyboard& keys, float seconds);
    // Puts the engine camera on the orbit, looking at the centre.
    void Apply(korvath::Camera& camera, const Framing& framing) const;

private:
    float yaw_ = 150, pitch_ = 20;  // degrees: the model's front, a little from above
    float distance_ = 1.6f;         // in model sizes
};

class Stage {
public:
    explicit Stage(const Framing& framing);
    ~Stage();
    // The floor, marked in the stencil buffer as the surface shadows fall on.
    void DrawFloor(const korvath::Camera& camera) const;
    // Places the light (call after the camera is set).
    void PlaceLight();
    // Draws the model a second time, flattened onto the floor from the light.
    void DrawShadow(ViewedModel& model);

private:
    Framing framing_;
    korvath::Lights lights_;
};
