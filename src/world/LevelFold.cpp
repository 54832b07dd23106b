#include "world/LevelFold.h"

#include "materials/Materials.h"

namespace korvath {

namespace {

// What a later stage does to what lies below it, when one texture unit of the
// folded draw can do the same.
enum class Fold { kNone, kMultiply, kDetail, kAdd };

Fold FoldOf(const SHADER_STAGE& stage) {
    const int32_t source = stage.Blend[0], destination = stage.Blend[1];
    if ((source == GL_DST_COLOR && destination == GL_ZERO) || (source == GL_ZERO && destination == GL_SRC_COLOR))
        return Fold::kMultiply;  // source times destination
    if (source == GL_DST_COLOR && destination == GL_SRC_COLOR) return Fold::kDetail;  // twice their product
    if (source == GL_ONE && destination == GL_ONE) return Fold::kAdd;
    return Fold::kNone;
}

// The first folded stage is drawn without blending; a later first stage (the
// stages before it hidden) may also be one drawn opaque for its refused pair,
// since its face's depth is laid already. A later multiply folds with or
// without the lightmap on its second unit: the products are the same in any
// order. Doubling and adding need the combiner and are folded only for stages
// the lightmap does not light, whose units then compute exactly what the blend
// would.
bool Folds(const Level& level, const SHADER_STAGE& stage, bool first, size_t s, bool lit) {
    if (stage.Flags & (kStageAlphaTest | kStageDepthFunc | kStageCubeMap)) return false;
    if (ChangesColour(stage)) return false;  // the folded draw has one colour for all its units
    const bool blends = stage.Flags & kStageBlend;
    if (first) return s == 0 ? !blends : DrawsOpaque(stage);
    if (!blends) return false;
    const Fold fold = FoldOf(stage);
    return fold == Fold::kMultiply || (fold != Fold::kNone && !lit && level.TextureCombine);
}

// The stage's texture unit combines its texture with the units before it.
void SetCombiner(Fold fold) {
    if (fold != Fold::kDetail && fold != Fold::kAdd) return;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, fold == Fold::kAdd ? GL_ADD : GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_PREVIOUS_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_TEXTURE);
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, fold == Fold::kDetail ? 2.0f : 1.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_ARB, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA_ARB, GL_PREVIOUS_ARB);
}

void ResetCombiner(Fold fold) {
    if (fold != Fold::kDetail && fold != Fold::kAdd) return;
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, 1.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// Stage records in draw order from stage first; later lightmap stages are
// never drawn.
template <typename Material, typename Visit>
void ForDrawnStages(Material& material, size_t first, Visit visit) {
    int32_t k = 0;
    for (size_t s = first; s < material.Stages.size(); ++s)
        if (s == 0 || !material.Stages[s].Lightmap) visit(material.Stages[s], k++, s);
}

}  // namespace

int32_t FoldedStageCount(const Level& level, const SHADER& material, const TextureUnits& units, size_t first) {
    if (!(level.Shortcuts & kShortcutFoldMultiplies)) return 0;
    return FoldableStageCount(level, material, units.Count, first);
}

int32_t FoldableStageCount(const Level& level, const SHADER& material, int32_t unitCount, size_t first, bool unlit) {
    int32_t count = 0;
    bool folds = true;
    ForDrawnStages(material, first, [&](const SHADER_STAGE& stage, int32_t k, size_t s) {
        folds = folds && Folds(level, stage, k == 0, s, !unlit && StageLit(material, s));
        count = k + 1;
    });
    return folds && count >= 2 && 2 * count <= unitCount ? count : 0;
}

void ApplyFoldedUnit(SHADER_STAGE& stage, int32_t k) {
    ApplyStageUnit(stage);
    SetCombiner(k == 0 ? Fold::kNone : FoldOf(stage));
}

void ResetFoldedUnit(const SHADER_STAGE& stage, int32_t k) {
    ResetStageUnit(stage);
    if (k > 0) ResetCombiner(FoldOf(stage));
}

void DrawFolded(Level& level, const BspFace& face, const TextureUnits& units, size_t first, int32_t stages,
                GLuint lightmap, const FaceBatch* batch) {
    SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
    ForDrawnStages(material, first, [&](SHADER_STAGE& stage, int32_t k, size_t s) {
        units.Select(2 * k + 1);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        BindStageLightmap(lightmap, lightmap != 0 && StageLit(material, s));
        units.Select(2 * k);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnable(GL_TEXTURE_2D);
        ApplyFoldedUnit(stage, k);
        const Fold fold = k == 0 ? Fold::kNone : FoldOf(stage);
        // Switched off, a unit passes on what it is given: the same as
        // multiplying by white, but not as adding or doubling it.
        if (DrawsWithoutImage(level, stage) && (fold == Fold::kNone || fold == Fold::kMultiply))
            glDisable(GL_TEXTURE_2D);
    });
    TextureUnits chain = units;
    chain.Pairs = stages;
    DrawGeometry(level, face, chain, true, batch);
    // DrawFace switches units 0 and 1 off afterwards; the others are off again here.
    ForDrawnStages(material, first, [&](SHADER_STAGE& stage, int32_t k, size_t) {
        units.Select(2 * k);
        ResetFoldedUnit(stage, k);
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
