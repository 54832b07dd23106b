#pragma once
// The pool behind a Particles object: the particle records, one material and one
// volume per particle, and the client arrays the quads are drawn from.
#include <cstdint>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

struct PARTICLE {
    float Life = 0;  // remaining life and opacity; dead below kParticleDead
    float Death = 0;
    float Gravity = 0;
    float Size = 0;
    bool Decal = false;
    bool Tag = false;
    bool Visible = false;
    float Color[4] = {};
    VECTOR3 Previous;
    VECTOR3 Location;
    VECTOR3 Heading;
    VECTOR3 Motion;
    VECTOR3 Normal;
    VECTOR3 Right, Up;
};

constexpr float kParticleDead = 0.1f;

// One quad corner as GL reads it from the client arrays, interleaved so that a
// draw hands the driver one block of memory.
struct ParticleVertex {
    float Position[3];
    uint8_t Color[4];  // RGBA
    float TexCoord[2];
};

// Quads one draw holds at most: their corners stay within 16-bit indices.
constexpr size_t kQuadsPerDraw = 65536 / 4;

struct ParticlePool {
    std::vector<PARTICLE> particles;
    std::vector<SHADER> materials;
    // Particles whose materials share a group number were given the same
    // material, so runs of them can be drawn in one call.
    std::vector<uint32_t> materialGroups;
    std::vector<VOLUME> volumes;
    // Four corners per particle: the quads of the particles drawn this frame,
    // packed from the front, each corner with its colour and texture coordinate.
    std::vector<ParticleVertex> vertices;
    // Two triangles per quad for as many quads as one draw takes.
    std::vector<uint16_t> quadIndices;
    uint32_t lastGroup = 0;

    explicit ParticlePool(int32_t count);
    // Re-creates the particles, volumes and arrays with every field zero; the
    // materials grow with the pool (a particle never lacks one) but never shrink.
    void Resize(int32_t count);
    bool Holds(int32_t index) const { return index >= 0 && static_cast<size_t>(index) < particles.size(); }
    uint32_t NewGroup() { return ++lastGroup; }
};

}  // namespace korvath
