#pragma once
// The surface bits of SHADER::SurfaceFlags, set by "surfaceparm" lines and stored
// by levels, and the contents bits of a level's texture records. The values are
// the ones the level compiler writes into the files.
#include <cstdint>
#include <string_view>

namespace korvath {

enum SurfaceFlagBits : int32_t {
    kSurfaceAlphaShadow = 0x2,
    kSurfaceAreaPortal = 0x4,
    kSurfaceClusterPortal = 0x8,
    kSurfaceDoNotEnter = 0x10,
    kSurfaceFlesh = 0x20,
    kSurfaceFog = 0x40,
    kSurfaceLava = 0x80,
    kSurfaceMetalSteps = 0x100,
    kSurfaceNoDamage = 0x200,
    kSurfaceNoDynamicLight = 0x400,
    kSurfaceNoDraw = 0x800,
    kSurfaceNoDrop = 0x1000,
    kSurfaceNoImpact = 0x2000,
    kSurfaceNoMarks = 0x4000,
    kSurfaceNoLightmap = 0x8000,
    kSurfaceNoSteps = 0x10000,
    kSurfaceNonSolid = 0x20000,
    kSurfaceOrigin = 0x40000,
    kSurfacePlayerClip = 0x80000,
    kSurfaceSlick = 0x100000,
    kSurfaceSlime = 0x200000,
    kSurfaceStructural = 0x400000,
    kSurfaceTrans = 0x800000,
    kSurfaceWater = 0x1000000,
    kSurfaceDetail = 0x2000000,
    kSurfaceNoMipmaps = 0x4000000,
    kSurfaceSky = 0x8000000,
};

// Surfaces the level renderer never draws.
constexpr int32_t kSurfaceHidden = kSurfaceFog | kSurfaceNoDraw | kSurfaceSky;

// The "surfaceparm" word of each bit.
struct SurfaceParmName {
    std::string_view Name;
    int32_t Bit;
};
inline constexpr SurfaceParmName kSurfaceParmNames[] = {
    {"alphashadow", kSurfaceAlphaShadow}, {"areaportal", kSurfaceAreaPortal},
    {"clusterportal", kSurfaceClusterPortal}, {"donotenter", kSurfaceDoNotEnter},
    {"flesh", kSurfaceFlesh},             {"fog", kSurfaceFog},
    {"lava", kSurfaceLava},               {"metalsteps", kSurfaceMetalSteps},
    {"nodamage", kSurfaceNoDamage},       {"nodlight", kSurfaceNoDynamicLight},
    {"nodraw", kSurfaceNoDraw},           {"nodrop", kSurfaceNoDrop},
    {"noimpact", kSurfaceNoImpact},       {"nomarks", kSurfaceNoMarks},
    {"nolightmap", kSurfaceNoLightmap},   {"nosteps", kSurfaceNoSteps},
    {"nonsolid", kSurfaceNonSolid},       {"origin", kSurfaceOrigin},
    {"playerclip", kSurfacePlayerClip},   {"slick", kSurfaceSlick},
    {"slime", kSurfaceSlime},             {"structural", kSurfaceStructural},
    {"trans", kSurfaceTrans},             {"water", kSurfaceWater},
    {"detail", kSurfaceDetail},           {"nomipmaps", kSurfaceNoMipmaps},
    {"sky", kSurfaceSky},
};

// Contents bit of a brush that blocks traces (a surface with kSurfaceNonSolid
// reports a hit without stopping the movement).
constexpr int32_t kContentsSolid = 0x1;

}  // namespace korvath
