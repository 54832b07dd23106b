#include "world/LevelDraw.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "materials/Materials.h"
#include "materials/Texture.h"
#include "world/LevelFold.h"

namespace korvath {

namespace {

// Materials whose faces DrawFace never draws.

// Addresses of the vertex fields for the array pointers: base is the first
// vertex in memory, or 0 for offsets into the bound vertex buffer.
const void* Field(uintptr_t base, size_t offset) { return reinterpret_cast<const void*>(base + offset); }

uintptr_t AddressOf(const BspVertex* vertices) { return reinterpret_cast<uintptr_t>(vertices); }

void PointArrays(uintptr_t base, const TextureUnits& units) {
    for (int32_t k = units.Pairs - 1; k >= 0; --k) {
        units.Client(static_cast<GLenum>(GL_TEXTURE1_ARB + 2 * k));
        glTexCoordPointer(2, GL_FLOAT, kVertexStride, Field(base, offsetof(BspVertex, LightmapCoord)));
        units.Client(static_cast<GLenum>(GL_TEXTURE0_ARB + 2 * k));
        glTexCoordPointer(2, GL_FLOAT, kVertexStride, Field(base, offsetof(BspVertex, TexCoord)));
    }
    glVertexPointer(3, GL_FLOAT, kVertexStride, Field(base, offsetof(BspVertex, Position)));
    glNormalPointer(GL_FLOAT, kVertexStride, Field(base, offsetof(BspVertex, Normal)));
    // Read only by stages that take vertex colours, which enable the array.
    glColorPointer(4, GL_UNSIGNED_BYTE, kVertexStride, Field(base, offsetof(BspVertex, Color)));
}

// Where a face's vertices start: its own in the level's table, or the bound
// buffer for a batch.
uintptr_t VertexBase(const Level& level, const BspFace& face, const FaceBatch* batch) {
    return batch ? 0 : AddressOf(&level.Vertices[static_cast<size_t>(face.FirstVertex)]);
}

}  // namespace

// Triangles over the face's own vertices: the range spares the driver a scan
// of the indexes.
void DrawTriangles(const Level& level, const BspFace& face) {
    if (face.MeshVertexCount <= 0) return;
    glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(face.VertexCount - 1), face.MeshVertexCount,
                        GL_UNSIGNED_INT, &level.MeshVertices[static_cast<size_t>(face.FirstMeshVertex)]);
}

// Strip r of a piece joins its vertices of u = r and u = r + 1; naming just
// those keeps the driver from copying the whole grid per strip.
void DrawStrips(const BspSubPatch& piece) {
    const GLuint columns = static_cast<GLuint>(piece.Steps[1] + 1);
    for (size_t r = 0; r < piece.RowCounts.size(); ++r)
        glDrawRangeElements(GL_TRIANGLE_STRIP, static_cast<GLuint>(r) * columns, (static_cast<GLuint>(r) + 2) * columns - 1,
                            piece.RowCounts[r], GL_UNSIGNED_INT, &piece.Indices[static_cast<size_t>(piece.RowStarts[r])]);
}

const std::vector<BspSubPatch>& PiecesOf(const Level& level, const BspFace& face) {
    return level.Patches[static_cast<size_t>(face.PatchSize[0])].SubPatches;
}

namespace {

// The face's (or batch's) triangles with the arrays pointed for the current units.
void DrawShape(const Level& level, const BspFace& face, const TextureUnits& units, const FaceBatch* batch) {
    if (face.Type == kFacePatch && !batch) {
        for (const BspSubPatch& piece : PiecesOf(level, face)) {
            PointArrays(AddressOf(piece.Vertices.data()), units);
            DrawStrips(piece);
        }
        return;
    }
    PointArrays(VertexBase(level, face, batch), units);
    if (batch)
        glDrawRangeElements(GL_TRIANGLES, batch->Lowest, batch->Highest, batch->Count, GL_UNSIGNED_INT, batch->Indices);
    else
        DrawTriangles(level, face);
}

void DrawMesh(const Level& level, const BspFace& face, const TextureUnits& units, bool restoreTexturing,
              const FaceBatch* batch) {
    units.Select(1);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    units.Client(GL_TEXTURE0_ARB);
    glColorPointer(4, GL_UNSIGNED_BYTE, kVertexStride, Field(VertexBase(level, face, batch), offsetof(BspVertex, Color)));
    glEnableClientState(GL_COLOR_ARRAY);
    DrawShape(level, face, units, batch);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1, 1, 1, 1);
    if (restoreTexturing) {
        glEnable(GL_TEXTURE_2D);
        units.Select(0);
        glEnable(GL_TEXTURE_2D);
        units.Client(GL_TEXTURE1_ARB);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        units.Client(GL_TEXTURE0_ARB);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        units.Select(0);
    }
}

void SetTexturing(const TextureUnits& units, bool on) {
    void (*const set)(GLenum) = on ? glEnableClientState : glDisableClientState;
    void (*const enable)(GLenum) = on ? glEnable : glDisable;
    units.Client(GL_TEXTURE1_ARB);
    set(GL_TEXTURE_COORD_ARRAY);
    units.Client(GL_TEXTURE0_ARB);
    set(GL_TEXTURE_COORD_ARRAY);
    units.Server(GL_TEXTURE1_ARB);
    enable(GL_TEXTURE_2D);
    units.Server(GL_TEXTURE0_ARB);
    enable(GL_TEXTURE_2D);
}

}  // namespace

bool DrawsWithoutImage(const Level& level, const SHADER_STAGE& stage) {
    return (level.Shortcuts & kShortcutSkipWhite) && !(stage.Flags & kStageCubeMap) && stage.Textures.size() == 1 &&
           stage.Textures[0] == 0 && !MixesVertexColour(stage);
}

bool DrawsOpaque(const SHADER_STAGE& stage) {
    return !(stage.Flags & kStageBlend) || !BlendPairTaken(stage.Blend[0], stage.Blend[1]);
}

bool StageLit(const SHADER& material, size_t s) {
    for (size_t l = 0; l < s; ++l)
        if (material.Stages[l].Lightmap) return DrawsOpaque(material.Stages[s]);
    return true;
}

size_t FirstVisibleStage(const SHADER& material) {
    size_t first = 0;
    for (size_t s = 1; s < material.Stages.size(); ++s) {
        const SHADER_STAGE& stage = material.Stages[s];
        if (!stage.Lightmap && DrawsOpaque(stage) && !(stage.Flags & (kStageAlphaTest | kStageDepthFunc))) first = s;
    }
    for (size_t s = 0; s < first; ++s)
        if (StepsWhenApplied(material.Stages[s]) || (material.Stages[s].Flags & kStageDepthFunc)) return 0;
    return first;
}

bool WritesDepthFirst(const SHADER& material) {
    if (material.SurfaceFlags & kSurfaceHidden) return false;
    // An offset face's depth is not the one its stages test against.
    if (material.Flags & (kMaterialDeform | kMaterialPolygonOffset)) return false;
    if (material.Program != 0 || material.Stages.empty()) return false;
    return !(material.Stages[0].Flags & (kStageAlphaTest | kStageBlend));
}

void DrawDepth(const Level& level, const BspFace& face) {
    if (face.Type == kFacePatch) {
        for (const BspSubPatch& piece : PiecesOf(level, face)) {
            glVertexPointer(3, GL_FLOAT, kVertexStride, &piece.Vertices[0].Position);
            DrawStrips(piece);
        }
    } else if (face.Type == kFacePolygon || face.Type == kFaceMesh) {
        glVertexPointer(3, GL_FLOAT, kVertexStride, &level.Vertices[static_cast<size_t>(face.FirstVertex)].Position);
        DrawTriangles(level, face);
    }
}

void DrawGeometry(const Level& level, const BspFace& face, const TextureUnits& units, bool restoreTexturing,
                  const FaceBatch* batch) {
    switch (face.Type) {
    case kFacePolygon:
    case kFacePatch: DrawShape(level, face, units, batch); break;
    case kFaceMesh: DrawMesh(level, face, units, restoreTexturing, batch); break;
    default: break;  // billboards are collected but never drawn
    }
}

void BindStageLightmap(GLuint lightmap, bool lit) {
    if (lit) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, lightmap);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

void DrawFace(Level& level, const BspFace& face, const TextureUnits& units, const FaceBatch* batch) {
    SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
    if (material.SurfaceFlags & kSurfaceHidden) return;
    if (material.Cull == kCullNone) glDisable(GL_CULL_FACE);
    const bool stencil = material.Flags & kMaterialStencil;
    if (stencil) {
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    }
    // Decals lie on the wall they mark: pulled towards the eye, they win its depth test.
    const bool offset = material.Flags & kMaterialPolygonOffset;
    if (offset) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(-1, -2);
    }
    SetTexturing(units, true);
    const bool lightmapped = !(material.SurfaceFlags & kSurfaceNoLightmap);
    const GLuint lightmap =
        face.LightmapIndex >= 0 ? level.Lightmaps[static_cast<size_t>(face.LightmapIndex)] : WhiteTexture();
    // Batched faces have their depth laid: stages hidden under a later opaque
    // one need not be drawn.
    // Vertex-lit faces take their light from the vertex colours in the stages a
    // lightmap would light; one draw of several units would colour them all.
    const bool vertexLit = lightmapped && face.LightmapIndex == kLightmapByVertex && face.Type != kFaceMesh;
    const MaterialPlan& plan = level.Plans[static_cast<size_t>(face.Texture)];
    const size_t first = batch ? plan.FirstVisible : 0;
    const bool folds = face.Type != kFaceMesh && !vertexLit && (level.Shortcuts & kShortcutFoldMultiplies);
    const int32_t folded = folds ? (batch ? plan.FoldedVisible : plan.Folded) : 0;
    if (folded > 0) {
        DrawFolded(level, face, units, first, folded, lightmapped ? lightmap : 0, batch);
    } else {
        for (size_t s = first; s < material.Stages.size(); ++s) {
            SHADER_STAGE& stage = material.Stages[s];
            if (s > 0 && stage.Lightmap) continue;
            const bool lit = lightmapped && StageLit(material, s);
            units.Server(GL_TEXTURE1_ARB);
            BindStageLightmap(lightmap, lit && !vertexLit);
            units.Server(GL_TEXTURE0_ARB);
            ApplyStage(stage);  // a lightmap stage binds white: its lightmap is on unit 1
            const bool imageless = DrawsWithoutImage(level, stage);
            if (imageless) glDisable(GL_TEXTURE_2D);
            const bool vertexColours = TakesVertexColour(stage) || (vertexLit && lit && !ChangesColour(stage));
            if (vertexColours) glEnableClientState(GL_COLOR_ARRAY);
            DrawGeometry(level, face, units, true, batch);
            if (vertexColours) glDisableClientState(GL_COLOR_ARRAY);
            if (imageless) glEnable(GL_TEXTURE_2D);
            ResetStage(stage);
        }
    }
    SetTexturing(units, false);
    if (offset) glDisable(GL_POLYGON_OFFSET_FILL);
    if (stencil) {
        glStencilFunc(GL_EQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_STENCIL_TEST);
    }
    glEnable(GL_CULL_FACE);
}

}  // namespace korvath
