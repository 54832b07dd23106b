#pragma once
// "deformvertexes" on the CPU: a face's vertex positions recomputed from their
// undeformed base positions every frame.
#include "korvath/Material.h"
#include "world/Level.h"

namespace korvath {

// Kind 5 (wave) moves each vertex along its normal by a sine of its position
// and the scene time; kind 2 (move) moves it along the material's direction by
// a function of the material's running position, which advances with the frame
// time once per vertex. Other kinds put the vertices back in place.
void DeformFace(Level& level, const BspFace& face, SHADER& material);

}  // namespace korvath
