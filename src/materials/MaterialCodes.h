#pragma once
// The codes stored in material records (korvath/Material.h), named once for the
// parser that writes them and every drawer that reads them.
#include <cstdint>

namespace korvath {

// WAVE::Func: the periodic function of a colour wave or a deformation.
enum WaveFunc : int32_t {
    kFuncSin = 1,
    kFuncTriangle = 2,
    kFuncSquare = 3,
    kFuncSawtooth = 4,
    kFuncInverseSawtooth = 5,
    kFuncNoise = 6,
};

// WAVE::Kind of a stage's RgbWave.
constexpr int32_t kColourWave = 3;

// WAVE::Kind of a material's Deform.
enum DeformKind : int32_t {
    kDeformNone = 0,
    kDeformMove = 2,
    kDeformWave = 5,
};

// TCMOD::Kind.
enum TcModKind : int32_t {
    kTcModUnknown = 0,
    kTcModScale = 2,
    kTcModRotate = 3,
    kTcModScroll = 4,
    kTcModStretch = 5,
    kTcModTransform = 6,
    kTcModTurb = 7,
};

// SHADER::Cull: 0 when not given, this for "cull none" (or "disable": both sides
// are drawn), otherwise the GL face to cull.
constexpr int32_t kCullNone = 1;

// Bits of SHADER_STAGE::Flags.
enum StageFlags : int32_t {
    kStageAlphaTest = 0x01,
    kStageBlend = 0x02,
    kStageCubeMap = 0x04,
    kStageDepthFunc = 0x08,
    kStageTcMods = 0x10,
    kStageTcGen = 0x20,
    kStageRgbGen = 0x40,
    kStageClamp = 0x80,
    kStageAlphaGen = 0x100,
};

// SHADER_STAGE::RgbSource and AlphaSource: where a stage's colour comes from.
enum ColourSource : int32_t {
    kColourFromDefault = 0,  // white, or the colour wave
    kColourFromConstant = 1,
    kColourFromVertices = 2,
    kColourFromWave = 3,  // AlphaSource only: AlphaWave
};

// The cloud layers of a sky lie on a sphere this many units across the eye's
// level and rise CloudHeight above it; 128 when the material names no height.
constexpr float kSkyRadius = 4096;
constexpr float kDefaultCloudHeight = 128;

// Bits of SHADER::Flags.
enum MaterialFlags : int32_t {
    kMaterialDeform = 0x80,
    kMaterialStencil = 0x100,
    kMaterialPolygonOffset = 0x200,
};

}  // namespace korvath
