#include "world/BrushModels.h"

#include "korvath/Frustum.h"
#include "materials/Materials.h"
#include "platform/GL.h"
#include "world/EngineFrustum.h"

namespace korvath {

namespace {

bool InTable(int32_t first, int32_t count, size_t size) {
    return first >= 0 && count >= 0 && static_cast<int64_t>(first) + count <= static_cast<int64_t>(size);
}

}  // namespace

void KeepBrushModels(Level& level) {
    level.ModelOffsets.assign(level.Models.size(), VECTOR3{});
    for (BspModel& model : level.Models) {
        if (!InTable(model.FirstFace, model.FaceCount, level.Faces.size())) model.FirstFace = model.FaceCount = 0;
        if (!InTable(model.FirstBrush, model.BrushCount, level.Brushes.size())) model.FirstBrush = model.BrushCount = 0;
    }
}

void BrushModelBox(const Level& level, size_t model, VECTOR3& low, VECTOR3& high) {
    const BspModel& m = level.Models[model];
    // File (x, y, z) is engine (x, z, -y).
    low = {m.Mins[0], m.Mins[2], -m.Maxs[1]};
    high = {m.Maxs[0], m.Maxs[2], -m.Mins[1]};
}

void DrawBrushModels(Level& level, const TextureUnits& units) {
    Frustum& frustum = EngineFrustum();
    for (size_t m = 1; m < level.Models.size(); ++m) {
        const BspModel& model = level.Models[m];
        if (model.FaceCount == 0) continue;
        const VECTOR3& offset = level.ModelOffsets[m];
        VECTOR3 low, high;
        BrushModelBox(level, m, low, high);
        if (!frustum.BoxInFrustum({low.x + offset.x, low.y + offset.y, low.z + offset.z},
                                  {high.x + offset.x, high.y + offset.y, high.z + offset.z}))
            continue;
        glPushMatrix();
        glTranslatef(offset.x, offset.y, offset.z);
        for (int32_t f = model.FirstFace; f < model.FirstFace + model.FaceCount; ++f)
            DrawFace(level, level.Faces[static_cast<size_t>(f)], units);
        glPopMatrix();
    }
}

}  // namespace korvath
