#include "world/LevelDraw.h"

#include <cstddef>

#include "materials/Shader.h"
#include "materials/Texture.h"
#include "world/LevelBuffers.h"
#include "world/LevelFold.h"

namespace korvath {

namespace {

constexpr GLsizei kStride = sizeof(BspVertex);

// A field of the vertex records that start at vertices (a table or a buffer offset).
const void* Field(const void* vertices, size_t offset) { return static_cast<const char*>(vertices) + offset; }

void PointPositions(const void* vertices) { glVertexPointer(3, GL_FLOAT, kStride, Field(vertices, offsetof(BspVertex, Position))); }

void PointArrays(const void* vertices, const TextureUnits& units) {
    for (int32_t k = units.Pairs - 1; k >= 0; --k) {
        units.Client(static_cast<GLenum>(GL_TEXTURE1_ARB + 2 * k));
        glTexCoordPointer(2, GL_FLOAT, kStride, Field(vertices, offsetof(BspVertex, LightmapCoord)));
        units.Client(static_cast<GLenum>(GL_TEXTURE0_ARB + 2 * k));
        glTexCoordPointer(2, GL_FLOAT, kStride, Field(vertices, offsetof(BspVertex, TexCoord)));
    }
    PointPositions(vertices);
    glNormalPointer(GL_FLOAT, kStride, Field(vertices, offsetof(BspVertex, Normal)));
}

// Triangles over the face's own vertices: the range spares the driver a scan
// of the indexes.
void DrawTriangles(const Level& level, const BspFace& face) {
    if (face.MeshVertexCount <= 0) return;
    glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(face.VertexCount - 1), face.MeshVertexCount,
                        GL_UNSIGNED_INT, FaceIndexes(level, face));
}

void DrawPolygon(const Level& level, const BspFace& face, const TextureUnits& units) {
    PointArrays(FaceVertices(level, face), units);
    DrawTriangles(level, face);
}

void DrawMesh(const Level& level, const BspFace& face, const TextureUnits& units, bool restoreTexturing) {
    const void* vertices = FaceVertices(level, face);
    units.Select(1);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    units.Client(GL_TEXTURE0_ARB);
    PointArrays(vertices, units);
    glColorPointer(4, GL_UNSIGNED_BYTE, kStride, Field(vertices, offsetof(BspVertex, Color)));
    glEnableClientState(GL_COLOR_ARRAY);
    DrawTriangles(level, face);
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

// Strip r of a piece joins rows r and r + 1 of its 6 x 6 grid; naming just
// those twelve vertices keeps the driver from reading the whole grid per strip.
void DrawStrips(const Level& level, const BspFace& face, size_t p) {
    constexpr GLuint kRow = 6;
    const BspSubPatch& piece = level.Patches[static_cast<size_t>(face.PatchSize[0])].SubPatches[p];
    for (GLuint r = 0; r < 5; ++r)
        glDrawRangeElements(GL_TRIANGLE_STRIP, r * kRow, (r + 2) * kRow - 1, piece.RowCounts[r], GL_UNSIGNED_INT,
                            PieceIndexes(level, face, p, static_cast<int32_t>(r)));
}

size_t PieceCount(const Level& level, const BspFace& face) {
    return level.Patches[static_cast<size_t>(face.PatchSize[0])].SubPatches.size();
}

void DrawPatch(const Level& level, const BspFace& face, const TextureUnits& units) {
    for (size_t p = 0; p < PieceCount(level, face); ++p) {
        PointArrays(PieceVertices(level, face, p), units);
        DrawStrips(level, face, p);
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
           stage.Textures[0] == 0;
}

bool WritesDepthFirst(const SHADER& material) {
    if (material.SurfaceFlags & (kSurfaceFog | kSurfaceNoDraw | kSurfaceSky)) return false;
    if ((material.Flags & kMaterialDeform) || material.Program != 0 || material.Stages.empty()) return false;
    return !(material.Stages[0].Flags & (kStageAlphaTest | kStageBlend));
}

void DrawDepth(const Level& level, const BspFace& face) {
    if (face.Type == kFacePatch) {
        for (size_t p = 0; p < PieceCount(level, face); ++p) {
            PointPositions(PieceVertices(level, face, p));
            DrawStrips(level, face, p);
        }
    } else if (face.Type == kFacePolygon || face.Type == kFaceMesh) {
        PointPositions(FaceVertices(level, face));
        DrawTriangles(level, face);
    }
}

void DrawGeometry(const Level& level, const BspFace& face, const TextureUnits& units, bool restoreTexturing) {
    switch (face.Type) {
    case kFacePolygon: DrawPolygon(level, face, units); break;
    case kFacePatch: DrawPatch(level, face, units); break;
    case kFaceMesh: DrawMesh(level, face, units, restoreTexturing); break;
    default: break;  // billboards are collected but never drawn
    }
}

void DrawFace(Level& level, const BspFace& face, const TextureUnits& units) {
    SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
    if (material.SurfaceFlags & (kSurfaceFog | kSurfaceNoDraw | kSurfaceSky)) return;
    if (material.Cull == kCullNone) glDisable(GL_CULL_FACE);
    const bool stencil = material.Flags & kMaterialStencil;
    if (stencil) {
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    }
    SetTexturing(units, true);
    const bool lightmapped = !(material.SurfaceFlags & kSurfaceNoLightmap);
    const GLuint lightmap =
        face.LightmapIndex >= 0 ? level.Lightmaps[static_cast<size_t>(face.LightmapIndex)] : WhiteTexture();
    const int32_t folded = face.Type != kFaceMesh ? FoldedStageCount(level, material, units) : 0;
    if (folded > 0) {
        DrawFolded(level, face, units, folded, lightmapped ? lightmap : 0);
    } else {
        for (size_t s = 0; s < material.Stages.size(); ++s) {
            SHADER_STAGE& stage = material.Stages[s];
            if (s > 0 && stage.Lightmap) continue;
            units.Server(GL_TEXTURE1_ARB);
            if (lightmapped) {
                glEnable(GL_TEXTURE_2D);
                glBindTexture(GL_TEXTURE_2D, lightmap);
            } else {
                glDisable(GL_TEXTURE_2D);
            }
            units.Server(GL_TEXTURE0_ARB);
            ApplyStage(stage);  // a lightmap stage binds white: its lightmap is on unit 1
            const bool imageless = DrawsWithoutImage(level, stage);
            if (imageless) glDisable(GL_TEXTURE_2D);
            DrawGeometry(level, face, units, true);
            if (imageless) glEnable(GL_TEXTURE_2D);
            ResetStage(stage);
        }
    }
    SetTexturing(units, false);
    if (stencil) {
        glStencilFunc(GL_EQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_STENCIL_TEST);
    }
    glEnable(GL_CULL_FACE);
}

}  // namespace korvath
