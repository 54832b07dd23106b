#include "world/LevelDraw.h"

#include <cstddef>
#include <vector>

#include "materials/Shader.h"
#include "materials/Texture.h"
#include "world/LevelFold.h"

namespace korvath {

namespace {

constexpr GLsizei kStride = sizeof(BspVertex);
// Materials whose faces DrawFace never draws.
constexpr int32_t kSurfaceHidden = kSurfaceFog | kSurfaceNoDraw | kSurfaceSky;

void PointArrays(const BspVertex* vertices, const TextureUnits& units) {
    for (int32_t k = units.Pairs - 1; k >= 0; --k) {
        units.Client(static_cast<GLenum>(GL_TEXTURE1_ARB + 2 * k));
        glTexCoordPointer(2, GL_FLOAT, kStride, &vertices->LightmapCoord);
        units.Client(static_cast<GLenum>(GL_TEXTURE0_ARB + 2 * k));
        glTexCoordPointer(2, GL_FLOAT, kStride, &vertices->TexCoord);
    }
    glVertexPointer(3, GL_FLOAT, kStride, &vertices->Position);
    glNormalPointer(GL_FLOAT, kStride, &vertices->Normal);
}

// Triangles over the face's own vertices: the range spares the driver a scan
// of the indexes.
void DrawTriangles(const Level& level, const BspFace& face) {
    if (face.MeshVertexCount <= 0) return;
    glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(face.VertexCount - 1), face.MeshVertexCount,
                        GL_UNSIGNED_INT, &level.MeshVertices[static_cast<size_t>(face.FirstMeshVertex)]);
}

void DrawPolygon(const Level& level, const BspFace& face, const TextureUnits& units) {
    PointArrays(&level.Vertices[static_cast<size_t>(face.FirstVertex)], units);
    DrawTriangles(level, face);
}

void DrawMesh(const Level& level, const BspFace& face, const TextureUnits& units, bool restoreTexturing) {
    const BspVertex* vertices = &level.Vertices[static_cast<size_t>(face.FirstVertex)];
    units.Select(1);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    units.Client(GL_TEXTURE0_ARB);
    PointArrays(vertices, units);
    glColorPointer(4, GL_UNSIGNED_BYTE, kStride, vertices->Color);
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
// those twelve vertices keeps the driver from copying the whole grid per strip.
void DrawStrips(const BspSubPatch& piece) {
    constexpr GLuint kRow = 6;
    for (GLuint r = 0; r < 5; ++r)
        glDrawRangeElements(GL_TRIANGLE_STRIP, r * kRow, (r + 2) * kRow - 1, piece.RowCounts[r], GL_UNSIGNED_INT,
                            &piece.Indices[piece.RowStarts[r]]);
}

const std::vector<BspSubPatch>& PiecesOf(const Level& level, const BspFace& face) {
    return level.Patches[static_cast<size_t>(face.PatchSize[0])].SubPatches;
}

void DrawPatch(const Level& level, const BspFace& face, const TextureUnits& units) {
    for (const BspSubPatch& piece : PiecesOf(level, face)) {
        PointArrays(piece.Vertices, units);
        DrawStrips(piece);
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
    if (material.SurfaceFlags & kSurfaceHidden) return false;
    if ((material.Flags & kMaterialDeform) || material.Program != 0 || material.Stages.empty()) return false;
    return !(material.Stages[0].Flags & (kStageAlphaTest | kStageBlend));
}

void DrawDepth(const Level& level, const BspFace& face) {
    if (face.Type == kFacePatch) {
        for (const BspSubPatch& piece : PiecesOf(level, face)) {
            glVertexPointer(3, GL_FLOAT, kStride, &piece.Vertices[0].Position);
            DrawStrips(piece);
        }
    } else if (face.Type == kFacePolygon || face.Type == kFaceMesh) {
        glVertexPointer(3, GL_FLOAT, kStride, &level.Vertices[static_cast<size_t>(face.FirstVertex)].Position);
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
    if (material.SurfaceFlags & kSurfaceHidden) return;
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
