#pragma once
// The level's light grid: the light baked at points a grid apart through the
// world's box, for lighting what moves through the level.
#include <cstdint>
#include <string_view>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

struct Level;

struct LightGrid {
    float Origin[3] = {};  // the first point, level file axes
    float Size[3] = {64, 64, 128};
    int32_t Bounds[3] = {};  // points along each axis; all 0 without a grid
    // Per point, x fastest and z slowest: ambient RGB, directed RGB, then the direction towards the
    // light as two angle bytes (its angle from the z axis, then about it).
    const uint8_t* Cells = nullptr;  // into Level::LightVolumes
};

// The grid of a level whose light lump holds exactly one cell per point of
// the world model's box at the worldspawn's "gridsize" (64 64 128 unless
// given); no grid otherwise, as a mismatched lump cannot be read by position.
LightGrid MakeLightGrid(const Level& level, std::string_view entities);

struct LightSample {
    VECTOR3 Ambient, Directed;  // 0 to 1 per channel, brightened as the lightmaps are
    VECTOR3 Direction;          // unit, towards the light, engine axes
};

// The light at an engine-axes point, blended from the eight grid points
// around it; points inside walls (all black) are left out of the blend.
// False without a grid or when all eight points lie in walls.
bool SampleLightGrid(const LightGrid& grid, const VECTOR3& point, LightSample& sample);

}  // namespace korvath
