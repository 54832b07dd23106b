#include "world/LevelBuffers.h"

#include <cstddef>

#include "core/ExtTable.h"
#include "platform/GL.h"

namespace korvath {

namespace {

const void* Offset(size_t bytes) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(bytes)); }

const BspPatch& PatchOf(const Level& level, const BspFace& face) {
    return level.Patches[static_cast<size_t>(face.PatchSize[0])];
}

size_t PieceIndex(const Level& level, const BspFace& face, size_t piece) {
    return static_cast<size_t>(PatchOf(level, face).FirstPiece) + piece;
}

}  // namespace

void UploadLevelBuffers(Level& level) {
    const GLExtFunctions& f = GLExt();
    if (!f.glGenBuffersARB || !f.glBindBufferARB || !f.glBufferDataARB || !f.glBufferSubDataARB) return;
    size_t pieces = 0;
    for (BspPatch& patch : level.Patches) {
        patch.FirstPiece = static_cast<int32_t>(pieces);
        pieces += patch.SubPatches.size();
    }
    const size_t vertexBytes = level.Vertices.size() * sizeof(BspVertex);
    const size_t indexBytes = level.MeshVertices.size() * sizeof(int32_t);
    GLuint names[2] = {};
    f.glGenBuffersARB(2, names);
    level.VertexBuffer = names[0];
    level.IndexBuffer = names[1];
    f.glBindBufferARB(GL_ARRAY_BUFFER_ARB, level.VertexBuffer);
    f.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(vertexBytes + pieces * sizeof(BspSubPatch::Vertices)),
                      nullptr, GL_STATIC_DRAW_ARB);
    f.glBufferSubDataARB(GL_ARRAY_BUFFER_ARB, 0, static_cast<GLsizeiptrARB>(vertexBytes), level.Vertices.data());
    f.glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, level.IndexBuffer);
    f.glBufferDataARB(GL_ELEMENT_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(indexBytes + pieces * sizeof(BspSubPatch::Indices)),
                      nullptr, GL_STATIC_DRAW_ARB);
    f.glBufferSubDataARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0, static_cast<GLsizeiptrARB>(indexBytes), level.MeshVertices.data());
    for (const BspPatch& patch : level.Patches)
        for (size_t p = 0; p < patch.SubPatches.size(); ++p) {
            const BspSubPatch& piece = patch.SubPatches[p];
            const size_t index = static_cast<size_t>(patch.FirstPiece) + p;
            f.glBufferSubDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLintptrARB>(vertexBytes + index * sizeof(piece.Vertices)),
                                 sizeof(piece.Vertices), piece.Vertices);
            f.glBufferSubDataARB(GL_ELEMENT_ARRAY_BUFFER_ARB,
                                 static_cast<GLintptrARB>(indexBytes + index * sizeof(piece.Indices)), sizeof(piece.Indices),
                                 piece.Indices);
        }
    f.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    f.glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
}

void ReleaseLevelBuffers(Level& level) {
    const GLExtFunctions& f = GLExt();
    if (f.glDeleteBuffersARB && level.VertexBuffer != 0) {
        const GLuint names[2] = {level.VertexBuffer, level.IndexBuffer};
        f.glDeleteBuffersARB(2, names);
    }
    level.VertexBuffer = level.IndexBuffer = 0;
}

void UseLevelBuffers(Level& level, bool use) {
    const GLExtFunctions& f = GLExt();
    level.FromBuffers = use && (level.Shortcuts & kShortcutBuffers) && level.VertexBuffer != 0 && f.glBindBufferARB;
    if (!f.glBindBufferARB) return;
    f.glBindBufferARB(GL_ARRAY_BUFFER_ARB, level.FromBuffers ? level.VertexBuffer : 0);
    f.glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, level.FromBuffers ? level.IndexBuffer : 0);
}

const void* FaceVertices(const Level& level, const BspFace& face) {
    const size_t first = static_cast<size_t>(face.FirstVertex);
    return level.FromBuffers ? Offset(first * sizeof(BspVertex)) : &level.Vertices[first];
}

const void* FaceIndexes(const Level& level, const BspFace& face) {
    const size_t first = static_cast<size_t>(face.FirstMeshVertex);
    return level.FromBuffers ? Offset(first * sizeof(int32_t)) : &level.MeshVertices[first];
}

const void* PieceVertices(const Level& level, const BspFace& face, size_t piece) {
    if (!level.FromBuffers) return PatchOf(level, face).SubPatches[piece].Vertices;
    return Offset(level.Vertices.size() * sizeof(BspVertex) +
                  PieceIndex(level, face, piece) * sizeof(BspSubPatch::Vertices));
}

const void* PieceIndexes(const Level& level, const BspFace& face, size_t piece, int32_t row) {
    const BspSubPatch& p = PatchOf(level, face).SubPatches[piece];
    const size_t start = static_cast<size_t>(p.RowStarts[row]);
    if (!level.FromBuffers) return &p.Indices[start];
    return Offset(level.MeshVertices.size() * sizeof(int32_t) + PieceIndex(level, face, piece) * sizeof(p.Indices) +
                  start * sizeof(uint32_t));
}

}  // namespace korvath
