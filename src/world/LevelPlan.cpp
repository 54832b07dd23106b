#include "world/LevelPlan.h"

#include "core/Capabilities.h"
#include "materials/Materials.h"
#include "world/LevelDraw.h"
#include "world/LevelFold.h"

namespace korvath {

void PlanMaterial(Level& level, size_t index) {
    if (level.Plans.size() != level.Materials.size()) level.Plans.resize(level.Materials.size());
    const SHADER& material = level.Materials[index];
    MaterialPlan& plan = level.Plans[index];
    plan.DepthFirst = WritesDepthFirst(material);
    plan.StepsPerApplication = false;
    for (const SHADER_STAGE& stage : material.Stages) plan.StepsPerApplication |= StepsWhenApplied(stage);
    plan.FirstVisible = FirstVisibleStage(material);
    const int32_t units = Caps().TextureUnits;
    plan.Folded = FoldableStageCount(level, material, units, 0);
    plan.FoldedVisible = FoldableStageCount(level, material, units, plan.FirstVisible);
}

void PlanMaterials(Level& level) {
    level.Plans.assign(level.Materials.size(), MaterialPlan{});
    for (size_t i = 0; i < level.Materials.size(); ++i) PlanMaterial(level, i);
}

}  // namespace korvath
