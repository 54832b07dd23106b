#pragma once
// The material handle and its stage records. A SHADER is a value: copies share the
// GL texture names, video streams and program inside, which only Shaders::UnLoad
// (or the owning object's UnLoad) releases.
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

// A periodic function: a stage colour wave or a vertex deformation.
struct WAVE {
    float Amplitude = 0;
    float Base = 0;
    float Position = 0;   // running position, or the spread divisor of "deformvertexes wave"
    float Frequency = 0;
    float Phase = 0;
    int32_t Kind = 0;     // 3 colour wave; for Deform: 2 move, 5 wave, 0 none
    int32_t Descending = 0;
    int32_t LastFunc = 0;
    int32_t Func = 0;     // 1 sin, 2 triangle, 3 square, 4 sawtooth, 5 inversesawtooth, 6 noise
};

// One "tcmod" line.
struct TCMOD {
    float Amplitude = 0;
    float Base = 0;
    float Rotation = 0;   // degrees per second
    float Frequency = 0;
    float Phase = 0;
    float Reserved[3] = {};
    int32_t Kind = 0;     // 2 scale, 3 rotate, 4 scroll, 5 stretch, 6 transform, 7 turb
    float Matrix[16] = {};
    float Reserved2[3] = {};
    float ScaleS = 0, ScaleT = 0, ScrollS = 0, ScrollT = 0;
};

struct SHADER_STAGE {
    bool Lightmap = false;
    int32_t Reserved = 0;
    double AnimTimer = 0;
    float AlphaRef = 0;
    float AnimFrame = 0;
    int32_t Flags = 0;          // 0x01 alpha test, 0x02 blend, 0x04 cube map, 0x08 depth func,
                                // 0x10 tcmods, 0x20 tcgen, 0x40 rgbgen, 0x80 clamped image,
                                // 0x100 alphagen
    int32_t AnimFrequency = 0;
    int32_t AlphaFunc = 0;
    int32_t DepthFunc = 0;
    std::vector<int32_t> Textures = std::vector<int32_t>(1, 0);
    int32_t Blend[2] = {0, 0};
    std::vector<TCMOD> TcMods;
    WAVE RgbWave;
    int32_t RgbSource = 0;      // 0 white (or RgbWave), 1 Colour, 2 vertex colours
    int32_t AlphaSource = 0;    // 0 as the colour, 1 Colour[3], 2 vertex alpha, 3 AlphaWave
    float Colour[4] = {1, 1, 1, 1};
    WAVE AlphaWave;
};

struct SHADER {
    bool Found = false;
    std::string Name;
    int32_t Cull = 0;           // 0 not given, 1 none, 1028 front, 1029 back
    int32_t Flags = 0;          // 0x80 deformvertexes, 0x100 stencil, 0x200 polygon offset
    int32_t Program = 0;
    int32_t SurfaceFlags = 0;
    WAVE Deform;
    VECTOR3 DeformMove;
    std::vector<SHADER_STAGE> Stages;
    // "skyparms": the far box's six pictures, in the order rt bk lf ft up dn (0
    // where a picture is missing), and the height of the cloud layers that the
    // stages draw over it (0 for a material that is no sky).
    int32_t SkyBox[6] = {};
    float CloudHeight = 0;
    // "fogparms": the colour of a fog volume and the depth of it that hides
    // everything behind (0 for a material that is no fog).
    float FogColour[3] = {};
    float FogDistance = 0;
};

}  // namespace korvath
