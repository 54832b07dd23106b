#include "Markers.h"

#include <cmath>

#include "FlareMaterial.h"

using namespace korvath;

namespace {
// Picking tells names apart by their first character.
const char* const kNames[] = {"Red", "Green", "Blue"};
const VECTOR3 kColours[] = {{1, 0.1f, 0.1f}, {0.1f, 1, 0.1f}, {0.2f, 0.4f, 1}};
constexpr float kAhead = 160, kApart = 60;  // units
}  // namespace

void Markers::Place(const Camera& camera) {
    const VECTOR3 eye = camera.Position();
    const float yaw = camera.Rotation().y * 0.0174532f;
    const VECTOR3 forward = {std::sin(yaw), 0, -std::cos(yaw)}, right = {std::cos(yaw), 0, std::sin(yaw)};
    for (int i = 0; i < kMarkers; ++i) {
        Particles& marker = markers_[i];
        if (marker.Count() < 0) {
            marker.Load(1);
            marker.SetShader(FlareMaterial());
            marker.Emission(false);
            marker.Size(0, 160);
            marker.Life(0, 1);
            marker.Color(0, kColours[i]);
        }
        const float side = (i - 1) * kApart;
        marker.Destination(0, {eye.x + forward.x * kAhead + right.x * side, eye.y,
                               eye.z + forward.z * kAhead + right.z * side});
    }
}

void Markers::Render() {
    for (Particles& marker : markers_) marker.Render();
}

std::string Markers::Pick(Cursor& cursor) {
    cursor.Update();
    for (int i = 0; i < kMarkers; ++i) {
        cursor.BeginSelection(kNames[i]);
        markers_[i].Render();
    }
    cursor.EndSelection();
    for (const char* name : kNames)
        if (cursor.CheckSelection(name)) return name;
    return {};
}
