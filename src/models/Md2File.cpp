#include "models/Md2File.h"

#include <cstring>
#include <string>

#include "models/KeyframeAnimations.h"
#include "models/ModelBytes.h"
#include "models/ModelStatus.h"
#include "models/VertexNormals.h"

namespace korvath {

namespace {

constexpr int64_t kHeaderBytes = 68;
constexpr int64_t kTexCoordBytes = 4;
constexpr int64_t kTriangleBytes = 12;
constexpr int64_t kFrameHeaderBytes = 40;
constexpr int64_t kFrameVertexBytes = 4;
constexpr int64_t kFrameNameBytes = 16;

struct Md2Header {
    int32_t Ident, Version, SkinWidth, SkinHeight, FrameSize, SkinCount, VertexCount, TexCoordCount, TriangleCount,
        CommandCount, FrameCount, SkinOffset, TexCoordOffset, TriangleOffset, FrameOffset, CommandOffset, EndOffset;
};
static_assert(sizeof(Md2Header) == kHeaderBytes);
static_assert(sizeof(KeyframeVertex) == kFrameVertexBytes);

bool ReadTexCoords(const ModelBytes& file, const Md2Header& h, KeyframeMesh& mesh) {
    if (!file.Holds(h.TexCoordOffset, h.TexCoordCount, kTexCoordBytes)) return false;
    mesh.TexCoords.resize(static_cast<size_t>(h.TexCoordCount));
    for (int32_t i = 0; i < h.TexCoordCount; ++i) {
        const int64_t at = h.TexCoordOffset + i * kTexCoordBytes;
        const double s = file.At<int16_t>(at), t = file.At<int16_t>(at + 2);
        mesh.TexCoords[static_cast<size_t>(i)] = {static_cast<float>(s / h.SkinWidth),
                                                  static_cast<float>(1 - t / h.SkinHeight)};
    }
    return true;
}

bool ReadTriangles(const ModelBytes& file, const Md2Header& h, KeyframeMesh& mesh) {
    if (!file.Holds(h.TriangleOffset, h.TriangleCount, kTriangleBytes)) return false;
    mesh.Triangles.resize(static_cast<size_t>(h.TriangleCount));
    for (int32_t i = 0; i < h.TriangleCount; ++i)
        mesh.Triangles[static_cast<size_t>(i)] = file.At<KeyframeTriangle>(h.TriangleOffset + i * kTriangleBytes);
    return true;
}

// A frame is a header (scale, translate, name) and one 4-byte record per
// vertex; the frame size is the stride between frames and must hold them all.
bool FramesFit(const ModelBytes& file, const Md2Header& h) {
    if (h.FrameCount < 0 || h.VertexCount < 0) return false;
    if (h.FrameCount == 0) return true;
    const int64_t frameBytes = kFrameHeaderBytes + kFrameVertexBytes * static_cast<int64_t>(h.VertexCount);
    if (h.FrameSize < frameBytes) return false;
    return file.Holds(h.FrameOffset, h.FrameCount - 1, h.FrameSize) &&
           file.Holds(h.FrameOffset + static_cast<int64_t>(h.FrameCount - 1) * h.FrameSize, 1, frameBytes);
}

// The file's axes are Z-up; the engine's Y-up: (x, y, z) becomes (-x, z, y).
VECTOR3 Md2Position(const KeyframeGrid& g, const KeyframeVertex& v) {
    const float X = v.X, Y = v.Y, Z = v.Z;
    return {-(X * g.Scale.x + g.Translate.x), Z * g.Scale.z + g.Translate.z, Y * g.Scale.y + g.Translate.y};
}

// The normals turn with the positions, or light would fall on the wrong side.
const std::array<VECTOR3, kVertexNormalCount> kMd2Normals = [] {
    std::array<VECTOR3, kVertexNormalCount> turned;
    for (size_t i = 0; i < kVertexNormalCount; ++i) {
        const VECTOR3& n = kVertexNormals[i];
        turned[i] = {-n.x, n.z, n.y};
    }
    return turned;
}();

void ReadFrame(const ModelBytes& file, const Md2Header& h, int32_t f, KeyframeMesh& mesh, AnimationGrouper& grouper) {
    const int64_t at = h.FrameOffset + static_cast<int64_t>(f) * h.FrameSize;
    mesh.Grids[static_cast<size_t>(f)] = {file.At<VECTOR3>(at), file.At<VECTOR3>(at + 12)};
    // Bytes after the name's NUL are padding, not part of the name.
    const char* name = reinterpret_cast<const char*>(file.Data(at + 24));
    grouper.AddFrame(std::string(name, strnlen(name, kFrameNameBytes)), f, h.FrameCount);
    const size_t first = static_cast<size_t>(f) * static_cast<size_t>(h.VertexCount);
    if (h.VertexCount > 0)
        std::memcpy(mesh.Vertices.data() + first, file.Data(at + kFrameHeaderBytes),
                    static_cast<size_t>(h.VertexCount) * sizeof(KeyframeVertex));
}

}  // namespace

Md2Result ReadMd2(const std::vector<uint8_t>& bytes, Md2Model& model) {
    const ModelBytes file(bytes);
    if (!file.Holds(0, 1, kHeaderBytes)) return Md2Result::Failed;
    const Md2Header h = file.At<Md2Header>(0);
    if (h.Version != 8) {
        ModelStatus("MD2: Invalid Quake 2 Model!");
        return Md2Result::WrongVersion;
    }
    KeyframeMesh& mesh = model.Mesh;
    if (!ReadTexCoords(file, h, mesh)) return Md2Result::Failed;
    ModelStatus("MD2: Loading " + std::to_string(h.VertexCount) + " Vertices...");
    if (!ReadTriangles(file, h, mesh)) return Md2Result::Failed;
    ModelStatus("MD2: Loading " + std::to_string(h.TriangleCount) + " Faces...");
    if (!FramesFit(file, h)) return Md2Result::Failed;

    mesh.VertexCount = h.VertexCount;
    mesh.FrameCount = h.FrameCount;
    mesh.Decode = Md2Position;
    mesh.NormalTable = &kMd2Normals;
    mesh.Grids.resize(static_cast<size_t>(h.FrameCount));
    mesh.Vertices.resize(static_cast<size_t>(h.FrameCount) * static_cast<size_t>(h.VertexCount));
    AnimationGrouper grouper(model.Animations, "MD2: Loading Animation ");
    for (int32_t f = 0; f < h.FrameCount; ++f) ReadFrame(file, h, f, mesh, grouper);
    grouper.Finish(h.FrameCount);
    model.AnimationIndex = grouper.Index();
    // Triangles need a frame to take their corners from, and corners that name
    // vertices of it.
    if (!mesh.Triangles.empty() && h.FrameCount == 0) return Md2Result::Failed;
    return PrepareDrawing(mesh) ? Md2Result::Loaded : Md2Result::Failed;
}

}  // namespace korvath
