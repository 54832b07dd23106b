#include "korvath/KeyframeModel.h"
#include "core/FrameTiming.h"

#include <algorithm>
#include <cmath>

#include "materials/Materials.h"
#include "models/KeyframeAnimations.h"
#include "models/KeyframeData.h"
#include "models/ModelStatus.h"
#include "models/ModelTransform.h"
#include "core/Math.h"

namespace korvath {

KeyframeModel::KeyframeModel(const char* format) : data_(std::make_unique<KeyframeData>()), format_(format) {}
KeyframeModel::~KeyframeModel() = default;

void KeyframeModel::Render(bool Animate) {
    if (!loaded_) return;
    KeyframeData& d = *data_;
    KeyframeMesh& mesh = d.Mesh;
    const ModelDrawing drawing(placement_, levelLighting_);
    if (Animate)
        StepFrameClock(d.Frame, d.NextFrame, Timing().FrameTime, d.Velocity,
                       ClockRange(d.Animations, d.AnimationIndex, mesh.FrameCount));
    const Matrix4 matrix = StartVolume(d.Volume, placement_);
    std::copy(matrix.begin(), matrix.end(), d.Volume.Matrix);

    // A frame set from outside the model (SetFrame takes any number) is drawn
    // from the nearest frame it has.
    const float whole = std::isnan(d.Frame) ? 0 : std::floor(d.Frame);
    const int32_t current = static_cast<int32_t>(std::clamp(whole, -1e9f, 1e9f));
    const float fraction = std::isfinite(d.Frame) ? d.Frame - whole : 0;
    InterpolateFrames(mesh, current, d.NextFrame, fraction);
    // The box holds what the passes drew: nothing for a material without stages.
    if (!d.Material.Stages.empty()) GrowByThirdCorners(mesh, current, d.Volume, matrix);
    DrawMaterialPasses(d.Material, mesh.Arrays);
    Timing().FrameVertices += 3 * static_cast<int32_t>(mesh.Triangles.size());
}

void KeyframeModel::SetAnimation(const std::string& Animation) {
    if (!loaded_) {
        ModelStatus(std::string(format_) + ": * Cannot Set Animation, Model Not Loaded.", 0, true);
        return;
    }
    data_->AnimationIndex = FindAnimation(data_->Animations, Animation, trimAnimationNames_);
}

void KeyframeModel::SetVelocity(float Value) { data_->Velocity = Value; }
void KeyframeModel::SetFrame(int32_t Index) { data_->Frame = static_cast<float>(Index); }
int32_t KeyframeModel::Frame() const { return RoundHalfEven(data_->Frame); }

void KeyframeModel::SetShader(const SHADER& Value) { data_->Material = Value; }
void KeyframeModel::Shader(const SHADER& Value) { data_->Material = Value; }
SHADER KeyframeModel::Shader() const { return data_->Material; }
std::vector<VOLUME> KeyframeModel::Volume() const { return {data_->Volume}; }

std::vector<MD2_ANIMATION> KeyframeModel::Animations() const { return data_->Animations; }
int32_t KeyframeModel::Animation() const { return data_->AnimationIndex; }

void KeyframeModel::AdoptKeyframes(KeyframeFile&& file) {
    KeyframeData& d = *data_;
    d.Mesh = std::move(file.Mesh);
    d.Animations = std::move(file.Animations);
    d.AnimationIndex = file.AnimationIndex;
    // The old stages are not freed: the host may still share their textures.
    d.Material.Stages.assign(1, SHADER_STAGE{});
    placement_.Scale = {1, 1, 1};
    loaded_ = true;
}

void KeyframeModel::ReleaseKeyframes() {
    KeyframeData& d = *data_;
    FreeMaterial(d.Material);
    d.Mesh = {};
    d.Animations.clear();
    d.AnimationIndex = -1;
}

}  // namespace korvath
