#pragma once
// One face of a level on two texture units: the material's stages on unit 0,
// the face's lightmap on unit 1, geometry from client arrays that point straight
// into the level's tables (44-byte stride).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/GL.h"
#include "world/Level.h"

namespace korvath {

// The multitexture entry points, looked up once per frame.
struct TextureUnits {
    PFNGLACTIVETEXTUREARBPROC Server = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC Client = nullptr;
    int32_t Count = 2;  // texture units the driver has
    // Stage and lightmap unit pairs (2k, 2k + 1) that the next draw feeds
    // texture coordinates to.
    int32_t Pairs = 1;
    void Select(int unit) const {
        Server(GL_TEXTURE0_ARB + unit);
        Client(GL_TEXTURE0_ARB + unit);
    }
};

// Faces of one material and lightmap drawn in one call from the level's vertex
// buffer (bound by the caller): triangles as indexes into it, all inside
// [Lowest, Highest].
struct FaceBatch {
    const uint32_t* Indices = nullptr;
    int32_t Count = 0;
    uint32_t Lowest = 0, Highest = 0;
};

// A polygon or mesh face's triangles, and a patch piece's strips, with the
// arrays already pointed at the face's first vertex or the piece's grid.
void DrawTriangles(const Level& level, const BspFace& face);
void DrawStrips(const BspSubPatch& piece);
// The tessellated pieces of a patch face.
const std::vector<BspSubPatch>& PiecesOf(const Level& level, const BspFace& face);

// Every stage of the face's material, unless the material is fog, sky or
// nodraw. With a batch, the batch's triangles are drawn in place of the face's
// own, with the face's material and lightmap.
void DrawFace(Level& level, const BspFace& face, const TextureUnits& units, const FaceBatch* batch = nullptr);
// The face's (or batch's) geometry with the current GL state. Mesh faces draw
// with their vertex colours and no lightmap; afterwards they restore unit 1 and
// the texture-coordinate arrays only when texturing was on (restoreTexturing).
void DrawGeometry(const Level& level, const BspFace& face, const TextureUnits& units, bool restoreTexturing,
                  const FaceBatch* batch = nullptr);

// Whether a stage has no image to show: it draws with its unit switched off,
// which looks the same as the white it would bind and saves a texture fetch.
bool DrawsWithoutImage(const Level& level, const SHADER_STAGE& stage);

// Whether a stage's pass replaces what lies below it: drawn without blending,
// or with a blend pair OpenGL 1.1 refused (drawn opaque).
bool DrawsOpaque(const SHADER_STAGE& stage);
// Whether the face's lightmap modulates stage s. A material with a "$lightmap"
// stage gets its light once: the stages before a later lightmap stage (never
// drawn) are lit in its place, a first lightmap stage lights itself, and a
// stage after it is lit only when it draws opaque and so replaces the lit
// picture below; blended over it (a multiply, a detail image, a glow), it would
// count the light twice. Without a lightmap stage every stage is lit.
bool StageLit(const SHADER& material, size_t s);
// On the active unit: the lightmap when the stage is lit, texturing off otherwise.
void BindStageLightmap(GLuint lightmap, bool lit);
// The first stage worth drawing on a face whose depth is already laid: a later
// stage that draws opaque, without alpha test or a depth test of its own,
// hides every stage before it. 0 when none does, or when a hidden stage steps a
// clock or sets the depth test (those must still be applied).
size_t FirstVisibleStage(const SHADER& material);

// Whether a face may lay down its depth before the visible passes: its first
// stage is drawn opaque and writes depth, its vertices stay where they are, and
// it is drawn at all.
bool WritesDepthFirst(const SHADER& material);
// The face's triangles into the depth buffer only, with whatever state is set.
void DrawDepth(const Level& level, const BspFace& face);

}  // namespace korvath
