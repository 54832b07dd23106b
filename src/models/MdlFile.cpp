#include "models/MdlFile.h"

#include <cstring>
#include <string>

#include "models/KeyframeAnimations.h"
#include "models/ModelBytes.h"
#include "models/ModelStatus.h"
#include "models/VertexNormals.h"

namespace korvath {

namespace {

constexpr int64_t kHeaderBytes = 84;
constexpr int64_t kTexCoordBytes = 12;
constexpr int64_t kTriangleBytes = 16;
constexpr int64_t kFrameVertexBytes = 4;
constexpr int64_t kFrameNameBytes = 16;
// Bounding box corners (4 bytes each) and the name, before a frame's vertices.
constexpr int64_t kFrameHeaderBytes = 8 + kFrameNameBytes;
// Triangle corners name texture coordinates in 16 bits, and every vertex may
// need a second coordinate half a skin over for the back of the seam.
constexpr int32_t kMaxVertices = 16383;

struct MdlHeader {
    char Ident[4];
    int32_t Version;
    VECTOR3 Scale, Translate;
    float Radius;
    VECTOR3 Eye;
    int32_t SkinCount, SkinWidth, SkinHeight, VertexCount, TriangleCount, FrameCount, SyncType, Flags, Size;
};
static_assert(sizeof(MdlHeader) == kHeaderBytes);

// Walks the sections, which follow each other without gaps.
class Cursor {
public:
    explicit Cursor(const ModelBytes& file) : file_(file) {}
    int64_t At() const { return at_; }
    // Steps over count records of recordBytes each; false when they leave the file.
    bool Skip(int64_t count, int64_t recordBytes) {
        if (!file_.Holds(at_, count, recordBytes)) return false;
        at_ += count * recordBytes;
        return true;
    }
    bool Read(int32_t& value) {
        if (!file_.Holds(at_, 1, 4)) return false;
        value = file_.At<int32_t>(at_);
        at_ += 4;
        return true;
    }

private:
    const ModelBytes& file_;
    int64_t at_ = kHeaderBytes;
};

// A plain skin is a group value of 0 and one picture; a skin group is any
// other value, a picture count, that many intervals and that many pictures.
bool ReadSkins(const ModelBytes& file, const MdlHeader& h, Cursor& at, MdlSkins& skins) {
    skins.Width = h.SkinWidth;
    skins.Height = h.SkinHeight;
    const int64_t pictureBytes = static_cast<int64_t>(h.SkinWidth) * h.SkinHeight;
    for (int32_t s = 0; s < h.SkinCount; ++s) {
        int32_t group = 0, pictures = 1;
        if (!at.Read(group)) return false;
        if (group != 0 && (!at.Read(pictures) || pictures < 1 || !at.Skip(pictures, 4))) return false;
        const int64_t first = at.At();
        if (!at.Skip(pictures, pictureBytes)) return false;
        const uint8_t* picture = file.Data(first);
        skins.Pictures.emplace_back(picture, picture + pictureBytes);
    }
    return true;
}

// Coordinate v is the vertex's own; coordinate v + vertex count lies half a
// skin to the right, where the back half of a seam vertex's triangles sample.
bool ReadTexCoords(const ModelBytes& file, const MdlHeader& h, Cursor& at, KeyframeMesh& mesh,
                   std::vector<bool>& onSeam) {
    const int64_t first = at.At();
    if (!at.Skip(h.VertexCount, kTexCoordBytes)) return false;
    const size_t count = static_cast<size_t>(h.VertexCount);
    mesh.TexCoords.resize(2 * count);
    onSeam.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const int64_t record = first + static_cast<int64_t>(i) * kTexCoordBytes;
        const double s = file.At<int32_t>(record + 4), t = file.At<int32_t>(record + 8);
        onSeam[i] = file.At<int32_t>(record) != 0;
        const float u = static_cast<float>(s / h.SkinWidth), v = static_cast<float>(t / h.SkinHeight);
        mesh.TexCoords[i] = {u, v};
        mesh.TexCoords[i + count] = {static_cast<float>(s / h.SkinWidth + 0.5), v};
    }
    return true;
}

bool ReadTriangles(const ModelBytes& file, const MdlHeader& h, Cursor& at, KeyframeMesh& mesh,
                   const std::vector<bool>& onSeam) {
    const int64_t first = at.At();
    if (!at.Skip(h.TriangleCount, kTriangleBytes)) return false;
    mesh.Triangles.resize(static_cast<size_t>(h.TriangleCount));
    for (int32_t i = 0; i < h.TriangleCount; ++i) {
        const int64_t record = first + static_cast<int64_t>(i) * kTriangleBytes;
        const bool facesFront = file.At<int32_t>(record) != 0;
        KeyframeTriangle& triangle = mesh.Triangles[static_cast<size_t>(i)];
        for (int k = 0; k < 3; ++k) {
            const int32_t vertex = file.At<int32_t>(record + 4 + 4 * k);
            if (vertex < 0 || vertex >= h.VertexCount) return false;
            const bool backOfSeam = onSeam[static_cast<size_t>(vertex)] && !facesFront;
            triangle.Vertex[k] = static_cast<int16_t>(vertex);
            triangle.TexCoord[k] = static_cast<int16_t>(backOfSeam ? vertex + h.VertexCount : vertex);
        }
    }
    return true;
}

// The file offsets of every frame's bounding box, name and vertices, the frames
// of a group (a type other than 0, a count, a bounding box, that many
// intervals and that many frames) in their order.
bool LocateFrames(const MdlHeader& h, Cursor& at, std::vector<int64_t>& frames) {
    const int64_t frameBytes = kFrameHeaderBytes + kFrameVertexBytes * static_cast<int64_t>(h.VertexCount);
    for (int32_t f = 0; f < h.FrameCount; ++f) {
        int32_t type = 0, count = 1;
        if (!at.Read(type)) return false;
        if (type != 0 && (!at.Read(count) || count < 1 || !at.Skip(1, 8) || !at.Skip(count, 4))) return false;
        const int64_t first = at.At();
        if (!at.Skip(count, frameBytes)) return false;
        for (int32_t i = 0; i < count; ++i) frames.push_back(first + i * frameBytes);
    }
    return true;
}

VECTOR3 MdlPosition(const KeyframeGrid& g, const KeyframeVertex& v) {
    const float X = v.X, Y = v.Y, Z = v.Z;
    return {X * g.Scale.x + g.Translate.x, Y * g.Scale.y + g.Translate.y, Z * g.Scale.z + g.Translate.z};
}

void ReadFrames(const ModelBytes& file, const MdlHeader& h, const std::vector<int64_t>& frames, MdlModel& model) {
    KeyframeMesh& mesh = model.Mesh;
    const int32_t count = static_cast<int32_t>(frames.size());
    mesh.VertexCount = h.VertexCount;
    mesh.FrameCount = count;
    mesh.Decode = MdlPosition;
    mesh.NormalTable = &kVertexNormals;
    mesh.Grids.assign(frames.size(), {h.Scale, h.Translate});
    mesh.Vertices.resize(frames.size() * static_cast<size_t>(h.VertexCount));
    AnimationGrouper grouper(model.Animations, "MDL: Loading Animation ");
    for (int32_t f = 0; f < count; ++f) {
        const int64_t at = frames[static_cast<size_t>(f)];
        // Bytes after the name's NUL are padding, not part of the name.
        const char* name = reinterpret_cast<const char*>(file.Data(at + 8));
        grouper.AddFrame(std::string(name, strnlen(name, kFrameNameBytes)), f, count);
        if (h.VertexCount > 0)
            std::memcpy(mesh.Vertices.data() + static_cast<size_t>(f) * static_cast<size_t>(h.VertexCount),
                        file.Data(at + kFrameHeaderBytes), static_cast<size_t>(h.VertexCount) * sizeof(KeyframeVertex));
    }
    grouper.Finish(count);
    model.AnimationIndex = grouper.Index();
}

}  // namespace

MdlResult ReadMdl(const std::vector<uint8_t>& bytes, MdlModel& model) {
    const ModelBytes file(bytes);
    if (!file.Holds(0, 1, kHeaderBytes)) return MdlResult::Failed;
    const MdlHeader h = file.At<MdlHeader>(0);
    if (std::memcmp(h.Ident, "IDPO", 4) != 0 || h.Version != 6) {
        ModelStatus("MDL: Invalid Quake Model!");
        return MdlResult::WrongIdentification;
    }
    if (h.SkinWidth <= 0 || h.SkinHeight <= 0 || h.VertexCount < 0 || h.VertexCount > kMaxVertices)
        return MdlResult::Failed;
    Cursor at(file);
    if (!ReadSkins(file, h, at, model.Skins)) return MdlResult::Failed;
    if (h.SkinCount > 0) ModelStatus("MDL: Loading " + std::to_string(h.SkinCount) + " Texture(s)...");
    KeyframeMesh& mesh = model.Mesh;
    std::vector<bool> onSeam;
    if (!ReadTexCoords(file, h, at, mesh, onSeam)) return MdlResult::Failed;
    ModelStatus("MDL: Loading " + std::to_string(h.VertexCount) + " Vertices...");
    if (!ReadTriangles(file, h, at, mesh, onSeam)) return MdlResult::Failed;
    ModelStatus("MDL: Loading " + std::to_string(h.TriangleCount) + " Faces...");
    std::vector<int64_t> frames;
    if (!LocateFrames(h, at, frames)) return MdlResult::Failed;
    ReadFrames(file, h, frames, model);
    ModelStatus("MDL: Loading " + std::to_string(frames.size()) + " Frames...");
    // Triangles need a frame to take their corners from.
    if (!mesh.Triangles.empty() && frames.empty()) return MdlResult::Failed;
    return PrepareDrawing(mesh) ? MdlResult::Loaded : MdlResult::Failed;
}

}  // namespace korvath
