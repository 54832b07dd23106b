#include "world/LevelFold.h"

#include "materials/Shader.h"

namespace korvath {

namespace {

// Blend pairs whose result is source times destination.
bool Multiplies(const SHADER_STAGE& stage) {
    return (stage.Blend[0] == GL_DST_COLOR && stage.Blend[1] == GL_ZERO) ||
           (stage.Blend[0] == GL_ZERO && stage.Blend[1] == GL_SRC_COLOR);
}

bool Folds(const SHADER_STAGE& stage, bool first) {
    if (stage.Flags & (kStageAlphaTest | kStageDepthFunc | kStageCubeMap)) return false;
    if ((stage.Flags & kStageRgbGen) && stage.RgbWave.Kind == 3) return false;
    const bool blends = stage.Flags & kStageBlend;
    return first ? !blends : blends && Multiplies(stage);
}

// Stage records in draw order; later lightmap stages are never drawn.
template <typename Material, typename Visit>
void ForDrawnStages(Material& material, Visit visit) {
    int32_t k = 0;
    for (size_t s = 0; s < material.Stages.size(); ++s)
        if (s == 0 || !material.Stages[s].Lightmap) visit(material.Stages[s], k++, s);
}

}  // namespace

int32_t FoldedStageCount(const Level& level, const SHADER& material, const TextureUnits& units) {
    if (!(level.Shortcuts & kShortcutFoldMultiplies)) return 0;
    int32_t count = 0;
    bool folds = true;
    ForDrawnStages(material, [&](const SHADER_STAGE& stage, int32_t k, size_t) {
        folds = folds && Folds(stage, k == 0);
        count = k + 1;
    });
    return folds && count >= 2 && 2 * count <= units.Count ? count : 0;
}

void DrawFolded(Level& level, const BspFace& face, const TextureUnits& units, int32_t stages, GLuint lightmap,
                const FaceBatch* batch) {
    SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
    const size_t lastLit = LastLitStage(material);
    ForDrawnStages(material, [&](SHADER_STAGE& stage, int32_t k, size_t s) {
        units.Select(2 * k + 1);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        if (lightmap != 0 && s <= lastLit) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, lightmap);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        units.Select(2 * k);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnable(GL_TEXTURE_2D);
        ApplyStageUnit(stage);
        if (DrawsWithoutImage(level, stage)) glDisable(GL_TEXTURE_2D);
    });
    TextureUnits chain = units;
    chain.Pairs = stages;
    DrawGeometry(level, face, chain, true, batch);
    // DrawFace switches units 0 and 1 off afterwards; the others are off again here.
    ForDrawnStages(material, [&](SHADER_STAGE& stage, int32_t k, size_t) {
        units.Select(2 * k);
        ResetStageUnit(stage);
        if (k == 0) return;
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        units.Select(2 * k + 1);
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    });
    units.Select(0);
}

}  // namespace korvath
