#include "models/ModelArrays.h"

#include "core/ExtTable.h"
#include "materials/Materials.h"
#include "platform/GL.h"

namespace korvath {

namespace {

void SelectClientUnit(GLenum unit) {
    if (const auto select = GLExt().glClientActiveTextureARB) select(unit);
}

void PointArrays(const ModelArrays& arrays) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    SelectClientUnit(GL_TEXTURE0_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    const ModelVertex* first = arrays.Vertices.data();
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), &first->Position);
    glNormalPointer(GL_FLOAT, sizeof(ModelVertex), &first->Normal);
    glTexCoordPointer(2, GL_FLOAT, sizeof(ModelVertex), &first->TexCoord);
}

void ReleaseArrays() {
    SelectClientUnit(GL_TEXTURE0_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawTriangles(const ModelArrays& arrays, const IndexRange& range) {
    glDrawRangeElements(GL_TRIANGLES, range.FirstVertex, range.LastVertex, static_cast<GLsizei>(range.IndexCount),
                        GL_UNSIGNED_INT, arrays.Indices.data() + range.FirstIndex);
}

// A bound program turns on coordinate arrays for every stage's unit; only unit
// 0 has coordinates, so the others keep their current coordinate, as they
// would when each corner is sent on its own.
void KeepOnlyFirstCoordinateArray(size_t units) {
    for (size_t i = 1; i < units; ++i) {
        SelectClientUnit(static_cast<GLenum>(GL_TEXTURE0_ARB + i));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    SelectClientUnit(GL_TEXTURE0_ARB);
}

}  // namespace

void DrawMaterialPasses(SHADER& material, const ModelArrays& arrays) {
    const IndexRange all{0, static_cast<uint32_t>(arrays.Indices.size()), 0,
                         arrays.Vertices.empty() ? 0 : static_cast<uint32_t>(arrays.Vertices.size() - 1)};
    DrawMaterialPasses(material, arrays, all);
}

// As DrawWithMaterial draws: once with a program, else once per stage.
int32_t MaterialPassCount(const SHADER& material) {
    return material.Program != 0 ? 1 : static_cast<int32_t>(material.Stages.size());
}

void DrawMaterialPasses(SHADER& material, const ModelArrays& arrays, const IndexRange& range) {
    glEnable(GL_TEXTURE_2D);
    if (range.IndexCount > 0 && !arrays.Vertices.empty()) {
        PointArrays(arrays);
        DrawWithMaterial(material, [&] {
            if (material.Program != 0) KeepOnlyFirstCoordinateArray(material.Stages.size());
            DrawTriangles(arrays, range);
        });
        ReleaseArrays();
    }
    glDisable(GL_TEXTURE_2D);
}

}  // namespace korvath
