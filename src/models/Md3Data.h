#pragma once
// The state behind an MD3 character: its parts with their clocks, links and
// geometry, the materials and volumes by part index, and the animation table.
#include <cstdint>
#include <vector>

#include "korvath/MD3.h"
#include "models/Md3PartClock.h"
#include "models/Md3PartMesh.h"

namespace korvath {

// A material a skin gave one surface; a surface without one wears its part's.
struct Md3SurfaceSkin {
    bool Set = false;
    SHADER Material;
};

struct Md3Part {
    int32_t PartIndex = 0;
    Md3PartClock Clock;
    std::vector<int32_t> Links;  // by tag: the part hung there, 0 for none
    Md3PartMesh Mesh;
    std::vector<Md3SurfaceSkin> Skins;  // by surface
};

struct Md3Data {
    std::vector<Md3Part> Parts;
    std::vector<SHADER> Materials;  // by part index
    std::vector<VOLUME> Volumes;    // by part index
    std::vector<MD3_ANIMATION> Table;
};

// The material surface s of part wears.
inline SHADER& SurfaceMaterial(Md3Data& d, Md3Part& part, size_t s) {
    return part.Skins[s].Set ? part.Skins[s].Material : d.Materials[static_cast<size_t>(part.PartIndex)];
}

}  // namespace korvath
