#include "Sparks.h"

#include <cmath>

#include "FlareMaterial.h"

using namespace korvath;

namespace {
constexpr int32_t kSparks = 300, kMarks = 16;
constexpr float kReach = 8192;  // units along the view ray

// The camera's unit view direction, pitch included.
VECTOR3 ViewDirection(const Camera& camera) {
    const VECTOR3 r = camera.Rotation();
    const float pitch = r.x * 0.0174532f, yaw = r.y * 0.0174532f;
    return {std::sin(yaw) * std::cos(pitch), -std::sin(pitch), -std::cos(yaw) * std::cos(pitch)};
}

VECTOR3 Along(const VECTOR3& from, const VECTOR3& direction, float distance) {
    return {from.x + direction.x * distance, from.y + direction.y * distance, from.z + direction.z * distance};
}
}  // namespace

void Sparks::Load() {
    sparks_.Load(kSparks);
    sparks_.SetShader(FlareMaterial());
    sparks_.Emission(false);
    sparks_.SetLife(1);
    sparks_.SetDeath(1.5f);  // each spark loses 1 to 2.5 life a second
    sparks_.SetGravity(0.6f);
    sparks_.SetVelocity(160);
    // A spark's half-size is scale + size (1 at respawn) times the camera's axes,
    // which carry the world's 0.1 scale.
    sparks_.SetScale(30, 30, 30);
    // Random(-1, 1) lies in [-1, 2): a friction of -0.5 centres the spread.
    sparks_.SetFriction(-0.5f, -0.5f, -0.5f);
    for (int32_t i = 0; i < kSparks; ++i) sparks_.SetColor(i, 1, 0.6f, 0.2f);

    marks_.Load(kMarks);
    marks_.SetShader(FlareMaterial());
    marks_.Emission(false);
}

bool Sparks::Fire(Map& map, const Camera& camera) {
    const VECTOR3 eye = camera.Position(), direction = ViewDirection(camera);
    const COLLISION hit = map.Collision(eye, Along(eye, direction, kReach));
    if (!hit.Collided) return false;
    sparks_.SetOrigin(hit.Position.x + hit.Normal.x * 8, hit.Position.y + hit.Normal.y * 8,
                      hit.Position.z + hit.Normal.z * 8);
    burst_ = true;

    const int32_t mark = nextMark_++ % kMarks;
    marks_.Life(mark, 1);
    marks_.Death(mark, 0);
    marks_.Size(mark, 7);
    marks_.Decal(mark, true);
    marks_.Normal(mark, hit.Normal);
    marks_.Destination(mark, Along(hit.Position, hit.Normal, 0.5f));  // just off the wall
    marks_.SetColor(mark, 1, 0.35f, 0.1f);
    return true;
}

void Sparks::Render() {
    // Every dead spark respawns at once in the Update after a shot (rate 0),
    // then emission stops so they burn out and stay out.
    sparks_.Emission(burst_);
    burst_ = false;
    sparks_.Update();
    sparks_.Render();
    marks_.Update();
    marks_.Render();
}
