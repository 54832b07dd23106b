#pragma once
// Three glowing markers placed in front of the camera, to be picked with the
// mouse while the cursor is shown.
#include <korvath/Camera.h>
#include <korvath/Cursor.h>
#include <korvath/Particles.h>

#include <string>

class Markers {
public:
    // Red, green and blue, side by side ahead of the camera.
    void Place(const korvath::Camera& camera);
    void Render();
    // The name of the marker nearest under the pointer, empty for none.
    std::string Pick(korvath::Cursor& cursor);

private:
    static constexpr int kMarkers = 3;
    korvath::Particles markers_[kMarkers];
};
