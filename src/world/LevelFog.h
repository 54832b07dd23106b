#pragma once
// Fog volumes: what lies inside a fog brush fades into the fog's colour with
// the depth of fog between it and the eye.
#include "world/Level.h"

namespace korvath {

// One volume per effect record whose material has "fogparms" and whose brush
// lies in the brush table; the effect's material is looked up in the scripts.
void BuildFogVolumes(Level& level);

// The fraction of the fog's colour at point p seen from the eye: the length of
// the eye-to-p segment inside the volume over the fog's distance, at most 1.
float FogAmount(const FogVolume& fog, const VECTOR3& eye, const VECTOR3& p);

// Over every collected face in a fog volume, the fog's colour blended by
// FogAmount per vertex, at the depth the face was drawn at.
void DrawFog(Level& level);

}  // namespace korvath
