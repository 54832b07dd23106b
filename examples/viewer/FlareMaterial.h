#pragma once
// The additive flare of the level's scripts ("flareShader" in
// scripts/oaflares.shader) with its picture, for particles. Every call makes new
// texture names, since each particle pool frees the materials it holds.
#include <korvath/Material.h>

korvath::SHADER FlareMaterial();
