#include <cstring>

#include "core/FrameTiming.h"
#include "core/Math.h"
#include "effects/ParticlePool.h"
#include "korvath/Particles.h"
#include "world/Volumes.h"

namespace korvath {

void Particles::Update() {
    if (!pool_) return;
    const int32_t tick = Timing().CurrentTick;
    const float dt = Timing().FrameTime;
    // Every volume gets the system's placement, so its matrix is made once.
    const Matrix4 matrix = ModelMatrix(position_, rotation_, {1, 1, 1});
    std::vector<PARTICLE>& particles = pool_->particles;
    for (size_t i = 0; i < particles.size(); ++i) {
        PARTICLE& p = particles[i];
        VOLUME& volume = pool_->volumes[i];
        if (p.Life < kParticleDead) {
            if (emission_) {
                if (tick < nextEmission_) continue;
                nextEmission_ = static_cast<double>(rate_) + tick;
                if (death_ != 0) p.Death = RandomRange(life_, death_);
                p.Heading = direction_;
                p.Location = origin_;
                p.Gravity = gravity_;
                p.Previous = origin_;
                p.Life = life_;
                p.Size = 1;
                p.Tag = false;
                p.Decal = false;
                p.Motion.x = (RandomRange(-1, 1) + friction_.x) * direction_.x * velocity_;
                p.Motion.y = (RandomRange(-1, 1) + friction_.y) * direction_.y * velocity_;
                p.Motion.z = (RandomRange(-1, 1) + friction_.z) * direction_.z * velocity_;
            } else {
                p.Life = 0;
                volume.Min = volume.Max = {0, 0, 0};
                const Matrix4 identity = MatrixIdentity();
                std::memcpy(volume.Matrix, identity.data(), sizeof volume.Matrix);
                volume.Position = origin_;
            }
            continue;
        }
        if (!p.Visible) continue;

        p.Life -= p.Death * dt;
        p.Color[3] = p.Life;
        p.Previous = p.Location;
        p.Location.x += p.Motion.x * dt;
        p.Location.y += p.Motion.y * dt;
        p.Location.z += p.Motion.z * dt;
        p.Location.y -= p.Gravity;  // per step, not per second

        std::memcpy(volume.Matrix, matrix.data(), sizeof volume.Matrix);
        volume.Relative = relative_;
        volume.Rotation = rotation_;
        volume.Position = position_;
        volume.Min = TransformPoint(matrix.data(), {p.Location.x - 1, p.Location.y - 1, p.Location.z - 1});
        volume.Max = TransformPoint(matrix.data(), {p.Location.x + 1, p.Location.y + 1, p.Location.z + 1});
    }
}

}  // namespace korvath
