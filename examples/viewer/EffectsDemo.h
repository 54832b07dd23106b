#pragma once
// What the viewer shows of particles and picking: F (or the console command
// "burst") throws sparks where the view meets a wall and leaves a mark there;
// C shows the mouse cursor and three markers, and a left click then picks one
// of them and names it on the console.
#include <korvath/Camera.h>
#include <korvath/Console.h>
#include <korvath/Cursor.h>
#include <korvath/Keyboard.h>
#include <korvath/Map.h>

#include "Markers.h"
#include "Sparks.h"

class EffectsDemo {
public:
    // Once the first level is loaded and the camera placed.
    void Start(korvath::Console& console, const korvath::Camera& camera);
    // After a level change: the markers move in front of the camera again.
    void Restart(const korvath::Camera& camera) { markers_.Place(camera); }
    // After the level is drawn: keys, commands and drawing.
    void Frame(korvath::Map& map, const korvath::Camera& camera, korvath::Keyboard& keys, korvath::Console& console);

private:
    Sparks sparks_;
    Markers markers_;
    korvath::Cursor cursor_;
    bool cursorShown_ = false;
    bool clicked_ = false;  // the left button as last seen, so a held button picks once
};
