#include "models/ModelTransform.h"
#include "core/Lighting.h"

#include "core/Matrix.h"
#include "models/LevelLighting.h"
#include "world/Volumes.h"

namespace korvath {

void ApplyModelTransform(const ModelPlacement& placement) {
    if (Lighting().ShadowPass) return;
    ApplyViewTransform(placement.Relative);
    ApplyPlacement(placement.Position, placement.Rotation);
    ApplyScale(placement.Scale);
}

ModelDrawing::ModelDrawing(const ModelPlacement& placement, const Map* level)
    : levelLit_(level && BeginLevelLighting(placement, *level)) {
    ApplyModelTransform(placement);
}

ModelDrawing::~ModelDrawing() {
    if (levelLit_) EndLevelLighting();
}

Matrix4 StartVolume(VOLUME& volume, const ModelPlacement& placement) {
    const Matrix4 matrix = ModelMatrix(placement.Position, placement.Rotation, placement.Scale);
    const Box empty = EmptyBox();
    volume.Enabled = true;
    volume.Relative = placement.Relative;
    volume.Position = placement.Position;
    volume.Rotation = placement.Rotation;
    volume.Min = empty.Min;
    volume.Max = empty.Max;
    return matrix;
}

void GrowVolume(VOLUME& volume, const Matrix4& matrix, const VECTOR3& point) {
    const Box grown = GrowBox({volume.Min, volume.Max}, TransformPoint(matrix.data(), point));
    volume.Min = grown.Min;
    volume.Max = grown.Max;
}

std::vector<VOLUME> SelectVolumes(const std::vector<VOLUME>& volumes, int32_t index) {
    if (index == -1) return volumes;
    if (index < 0 || static_cast<size_t>(index) >= volumes.size()) return {};
    return {volumes[static_cast<size_t>(index)]};
}

}  // namespace korvath
