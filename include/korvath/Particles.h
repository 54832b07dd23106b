#pragma once
// One particle system: a fixed pool of particles emitted from an origin with a
// random spread, moved and faded by Update and drawn by Render as camera-facing
// quads, or as decals lying in the plane of their normal. Every particle has its
// own material, colour, size, life and volume. Nothing is read from a file.
//
// Per-particle members take an index into the pool (0 when omitted); an index
// outside the pool is ignored by setters and gives a zero value from getters.
#include <cstdint>
#include <memory>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

struct ParticlePool;

class Particles {
public:
    Particles();
    ~Particles();  // unloads a loaded pool
    Particles(const Particles&) = delete;
    Particles& operator=(const Particles&) = delete;

    // Creates a pool of Count particles, all visible, white and dead, so that
    // Update emits them. A count outside 1..kMaxCount is refused with a status
    // line and leaves the object as it was.
    void Load(int32_t Count);
    void UnLoad();
    // Respawns dead particles (at most one per tick while a rate is set) and
    // moves, fades and bounds the living ones.
    void Update();
    void Render();

    void Move(float x, float y, float z);
    void Rotate(float x, float y, float z);
    void SetColor(int32_t Index, float Red, float Green, float Blue);
    void SetDeath(float Death);
    void SetGravity(float Value);
    void SetLife(float Value);
    // Milliseconds between two emissions, despite the name; 0 emits every dead
    // particle in one Update.
    void SetRate(float Seconds);
    void SetVelocity(float Value);
    void SetDestination(int32_t Index, float x, float y, float z);  // the particle's velocity
    void SetDirection(float x, float y, float z);
    void SetOrigin(float x, float y, float z);
    void SetPosition(float x, float y, float z);
    void SetRotation(float x, float y, float z);
    void SetFriction(float x, float y, float z);
    void SetScale(float x, float y, float z);
    void SetRelative(bool Enabled);
    // Copies Shader into the material of every particle.
    void SetShader(const SHADER& Shader);

    VECTOR3 Color(int32_t Index = 0) const;
    void Color(int32_t Index, const VECTOR3& Value);
    // The highest particle index; setting it re-creates the pool, every field zero.
    int32_t Count() const;
    void Count(int32_t Value);
    float Death(int32_t Index = 0) const;
    void Death(int32_t Index, float Value);
    bool Decal(int32_t Index = 0) const;
    void Decal(int32_t Index, bool Value);
    // The particle's location; setting it moves the particle there and stops it.
    VECTOR3 Destination(int32_t Index = 0) const;
    void Destination(int32_t Index, const VECTOR3& Value);
    VECTOR3 Direction() const;
    void Direction(const VECTOR3& Value);
    VECTOR3 Friction() const;
    void Friction(const VECTOR3& Value);
    VECTOR3 Origin() const;
    void Origin(const VECTOR3& Value);
    VECTOR3 Rotation() const;
    void Rotation(const VECTOR3& Value);
    // Origin + Direction x Velocity.
    VECTOR3 Distance() const;
    bool Emission() const;
    void Emission(bool Value);
    float Gravity(int32_t Index = 0) const;
    void Gravity(int32_t Index, float Value);
    float Life(int32_t Index = 0) const;
    void Life(int32_t Index, float Value);
    float Size(int32_t Index = 0) const;
    void Size(int32_t Index, float Value);
    // For a decal, setting the normal also sets the axes its quad lies along.
    VECTOR3 Normal(int32_t Index = 0) const;
    void Normal(int32_t Index, const VECTOR3& Value);
    // The system position plus the particle's location before its last step.
    VECTOR3 Position(int32_t Index = 0) const;
    void Position(int32_t Index, const VECTOR3& Value);
    bool Relative() const;
    void Relative(bool Value);
    bool Tag(int32_t Index = 0) const;
    void Tag(int32_t Index, bool Value);
    SHADER Shader(int32_t Index = 0) const;
    void Shader(int32_t Index, const SHADER& Value);
    float Velocity() const;
    bool Visible(int32_t Index = 0) const;
    void Visible(int32_t Index, bool Value);  // also enables or disables its volume
    // Index -1: every volume; an index in the pool: that one; otherwise none.
    std::vector<VOLUME> Volume(int32_t Index = -1) const;

    // The largest pool Load accepts.
    static constexpr int32_t kMaxCount = 1 << 18;

private:
    std::unique_ptr<ParticlePool> pool_;  // null while unloaded
    bool emission_ = false;
    bool relative_ = false;
    VECTOR3 direction_, friction_, origin_, position_, rotation_;
    VECTOR3 scale_;
    float rate_ = 0, life_ = 0, death_ = 0, gravity_ = 0, velocity_ = 0;
    // Kept in double: a float tick loses whole milliseconds after a few hours.
    double nextEmission_ = 0;
};

}  // namespace korvath
