#pragma once
// The additive flare of the game data's scripts ("flareShader" in
// scripts/oaflares.shader) with its picture, for particles. Every call makes new
// texture names, since each particle pool frees the materials it holds. Empty
// where the engine path holds no such script.
#include <korvath/Material.h>

korvath::SHADER FlareMaterial();
