#include "korvath/Particles.h"

#include <string>

#include "core/LoadingScreen.h"
#include "core/Math.h"
#include "effects/DecalAxes.h"
#include "effects/ParticlePool.h"
#include "materials/Materials.h"

namespace korvath {

namespace {

const PARTICLE* Find(const ParticlePool* pool, int32_t index) {
    return pool && pool->Holds(index) ? &pool->particles[static_cast<size_t>(index)] : nullptr;
}
PARTICLE* Find(ParticlePool* pool, int32_t index) {
    return pool && pool->Holds(index) ? &pool->particles[static_cast<size_t>(index)] : nullptr;
}

template <typename T>
T Read(const ParticlePool* pool, int32_t index, T PARTICLE::*field) {
    const PARTICLE* p = Find(pool, index);
    return p ? p->*field : T{};
}
template <typename T>
void Write(ParticlePool* pool, int32_t index, T PARTICLE::*field, const T& value) {
    if (PARTICLE* p = Find(pool, index)) p->*field = value;
}

// Load and unload lines go to the loading screen only, never to the log.
void ReportQuietly(const std::string& text) {
    ShowLoadStatus(text, false, 0, false);
    ShowLoadStatus("", false, 0, false);
}

}  // namespace

Particles::Particles() = default;

Particles::~Particles() { UnLoad(); }

void Particles::Load(int32_t Count) {
    if (Count < 1 || Count > kMaxCount) {
        ShowLoadStatus("Particles: * ERROR: A pool of " + std::to_string(Count) + " particles (1 to " +
                           std::to_string(kMaxCount) + " allowed).",
                       true, 0, true);
        ShowLoadStatus("Particles: Loading Failed...", true, 0, true);
        ShowLoadStatus("", false, 0, false);
        return;
    }
    pool_ = std::make_unique<ParticlePool>(Count);
    emission_ = true;
    direction_ = {1, 1, 1};
    friction_ = {0, 0, 0};
    scale_ = {1, 1, 1};
    ReportQuietly("Particles: " + std::to_string(Count) + " Loaded Successfully");
}

void Particles::UnLoad() {
    if (!pool_) return;
    std::unique_ptr<ParticlePool> pool = std::move(pool_);
    for (SHADER& material : pool->materials) FreeMaterial(material);
    pool.reset();
    ReportQuietly("Particles: Unloaded");
}

void Particles::Move(float x, float y, float z) { position_ = MoveAlongRotation(position_, rotation_, x, y, z); }
void Particles::Rotate(float x, float y, float z) { rotation_ = AddRotation(rotation_, x, y, z); }

void Particles::SetColor(int32_t Index, float Red, float Green, float Blue) { Color(Index, {Red, Green, Blue}); }
void Particles::SetDeath(float Death) { death_ = Death; }
void Particles::SetGravity(float Value) { gravity_ = Value; }
void Particles::SetLife(float Value) { life_ = Value; }
void Particles::SetRate(float Seconds) { rate_ = Seconds; }
void Particles::SetVelocity(float Value) { velocity_ = Value; }
void Particles::SetDestination(int32_t Index, float x, float y, float z) {
    Write(pool_.get(), Index, &PARTICLE::Motion, {x, y, z});
}
void Particles::SetDirection(float x, float y, float z) { direction_ = {x, y, z}; }
void Particles::SetOrigin(float x, float y, float z) { origin_ = {x, y, z}; }
void Particles::SetPosition(float x, float y, float z) { position_ = {x, y, z}; }
void Particles::SetRotation(float x, float y, float z) { rotation_ = {x, y, z}; }
void Particles::SetFriction(float x, float y, float z) { friction_ = {x, y, z}; }
void Particles::SetScale(float x, float y, float z) { scale_ = {x, y, z}; }
void Particles::SetRelative(bool Enabled) { relative_ = Enabled; }

void Particles::SetShader(const SHADER& Shader) {
    if (!pool_) return;
    const uint32_t group = pool_->NewGroup();
    for (SHADER& material : pool_->materials) material = Shader;
    for (uint32_t& g : pool_->materialGroups) g = group;
}

VECTOR3 Particles::Color(int32_t Index) const {
    const PARTICLE* p = Find(pool_.get(), Index);
    return p ? VECTOR3{p->Color[0], p->Color[1], p->Color[2]} : VECTOR3{};
}
void Particles::Color(int32_t Index, const VECTOR3& Value) {
    if (PARTICLE* p = Find(pool_.get(), Index)) {
        p->Color[0] = Value.x;
        p->Color[1] = Value.y;
        p->Color[2] = Value.z;
    }
}

int32_t Particles::Count() const { return pool_ ? static_cast<int32_t>(pool_->particles.size()) - 1 : -1; }
void Particles::Count(int32_t Value) {
    if (pool_ && Value >= 1 && Value <= kMaxCount) pool_->Resize(Value);
}

float Particles::Death(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Death); }
void Particles::Death(int32_t Index, float Value) { Write(pool_.get(), Index, &PARTICLE::Death, Value); }
bool Particles::Decal(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Decal); }
void Particles::Decal(int32_t Index, bool Value) { Write(pool_.get(), Index, &PARTICLE::Decal, Value); }

VECTOR3 Particles::Destination(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Location); }
void Particles::Destination(int32_t Index, const VECTOR3& Value) {
    if (PARTICLE* p = Find(pool_.get(), Index)) {
        p->Previous = p->Location;
        p->Location = Value;
        p->Motion = {0, 0, 0};
    }
}

VECTOR3 Particles::Direction() const { return direction_; }
void Particles::Direction(const VECTOR3& Value) { direction_ = Value; }
VECTOR3 Particles::Friction() const { return friction_; }
void Particles::Friction(const VECTOR3& Value) { friction_ = Value; }
VECTOR3 Particles::Origin() const { return origin_; }
void Particles::Origin(const VECTOR3& Value) { origin_ = Value; }
VECTOR3 Particles::Rotation() const { return rotation_; }
void Particles::Rotation(const VECTOR3& Value) { rotation_ = Value; }

VECTOR3 Particles::Distance() const {
    return {origin_.x + direction_.x * velocity_, origin_.y + direction_.y * velocity_,
            origin_.z + direction_.z * velocity_};
}

bool Particles::Emission() const { return emission_; }
void Particles::Emission(bool Value) { emission_ = Value; }
float Particles::Gravity(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Gravity); }
void Particles::Gravity(int32_t Index, float Value) { Write(pool_.get(), Index, &PARTICLE::Gravity, Value); }
float Particles::Life(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Life); }
void Particles::Life(int32_t Index, float Value) { Write(pool_.get(), Index, &PARTICLE::Life, Value); }
float Particles::Size(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Size); }
void Particles::Size(int32_t Index, float Value) { Write(pool_.get(), Index, &PARTICLE::Size, Value); }

VECTOR3 Particles::Normal(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Normal); }
void Particles::Normal(int32_t Index, const VECTOR3& Value) {
    PARTICLE* p = Find(pool_.get(), Index);
    if (!p) return;
    if (!p->Decal) {
        p->Normal = Value;
        return;
    }
    const DecalAxes axes = DecalAxesOf(Value);
    p->Normal = axes.Normal;
    p->Right = axes.Right;
    p->Up = axes.Up;
}

VECTOR3 Particles::Position(int32_t Index) const {
    const PARTICLE* p = Find(pool_.get(), Index);
    return p ? VectorAdd(position_, p->Previous) : VECTOR3{};
}
void Particles::Position(int32_t Index, const VECTOR3& Value) { Write(pool_.get(), Index, &PARTICLE::Location, Value); }

bool Particles::Relative() const { return relative_; }
void Particles::Relative(bool Value) { relative_ = Value; }
bool Particles::Tag(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Tag); }
void Particles::Tag(int32_t Index, bool Value) { Write(pool_.get(), Index, &PARTICLE::Tag, Value); }

SHADER Particles::Shader(int32_t Index) const {
    return pool_ && pool_->Holds(Index) ? pool_->materials[static_cast<size_t>(Index)] : SHADER{};
}
void Particles::Shader(int32_t Index, const SHADER& Value) {
    if (!pool_ || !pool_->Holds(Index)) return;
    pool_->materials[static_cast<size_t>(Index)] = Value;
    pool_->materialGroups[static_cast<size_t>(Index)] = pool_->NewGroup();
}

float Particles::Velocity() const { return velocity_; }

bool Particles::Visible(int32_t Index) const { return Read(pool_.get(), Index, &PARTICLE::Visible); }
void Particles::Visible(int32_t Index, bool Value) {
    if (PARTICLE* p = Find(pool_.get(), Index)) {
        p->Visible = Value;
        pool_->volumes[static_cast<size_t>(Index)].Enabled = Value;
    }
}

std::vector<VOLUME> Particles::Volume(int32_t Index) const {
    if (!pool_) return {};
    if (Index == -1) return pool_->volumes;
    if (pool_->Holds(Index)) return {pool_->volumes[static_cast<size_t>(Index)]};
    return {};
}

}  // namespace korvath
