#include "korvath/Mesh.h"

#include "core/FrameTiming.h"
#include "core/Paths.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "models/MeshFile.h"
#include "models/ModelStatus.h"
#include "models/ModelTransform.h"
#include "platform/Files.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// A material named in the file is a script's material or else a picture file.
void ResolveMaterials(MeshFile& file) {
    std::vector<SHADER>& materials = file.Mesh.Materials;
    for (size_t i = 0; i < file.Mesh.MaterialNames.size() && i < materials.size(); ++i) {
        const std::string& name = file.Mesh.MaterialNames[i];
        if (name.empty()) continue;
        SHADER found = FindMaterial("scripts/", name);
        if (found.Found)
            materials[i] = std::move(found);
        else
            materials[i].Stages[0].Textures[0] = LoadTexture(ResolvePath(name));
    }
}

ModelVertex* VertexOf(MeshData& mesh, int32_t index, int32_t vertice) {
    if (!HoldsPart(mesh, index)) return nullptr;
    std::vector<ModelVertex>& vertices = mesh.Parts[static_cast<size_t>(index)].Arrays.Vertices;
    return vertice >= 0 && static_cast<size_t>(vertice) < vertices.size() ? &vertices[static_cast<size_t>(vertice)]
                                                                           : nullptr;
}

}  // namespace

Mesh::Mesh() : data_(std::make_unique<MeshData>()) {}
Mesh::~Mesh() { UnLoad(); }

void Mesh::Load(const std::string& Filename) {
    ModelStatus("Mesh: Loading Mesh " + FileNameOf(Filename));
    std::vector<uint8_t> bytes;
    MeshFile file;
    MeshResult result = MeshResult::Failed;
    if (platform::ReadWholeFile(ResolvePath(Filename), bytes))
        result = ReadMeshText(std::string(bytes.begin(), bytes.end()), file);
    if (result == MeshResult::WrongHeader) ModelStatus("Mesh: Invalid Mesh !");
    if (result != MeshResult::Loaded) {
        FinishLoadStatus("Mesh: Loading Failed...");
        return;
    }
    // The file replaces the mesh held: read over it, its parts would collect
    // the triangles of both.
    for (SHADER& material : data_->Materials) FreeMaterial(material);
    ResolveMaterials(file);
    *data_ = std::move(file.Mesh);
    if (file.HasVertices) placement_.Scale = {1, 1, 1};
    loaded_ = true;
    FinishLoadStatus("Mesh: Loaded Successfully");
}

void Mesh::UnLoad() {
    if (!loaded_) return;
    loaded_ = false;
    for (SHADER& material : data_->Materials) FreeMaterial(material);
    const int32_t partCount = data_->PartCount;
    *data_ = {};
    data_->PartCount = partCount;
    UnloadStatus("Mesh: Unloaded");
}

void Mesh::Render() {
    if (!loaded_) return;
    MeshData& d = *data_;
    const ModelDrawing drawing(placement_, levelLighting_);
    if (d.Volumes.size() < d.Parts.size()) d.Volumes.resize(d.Parts.size());
    glDisable(GL_CULL_FACE);
    for (int32_t i = 0; i <= d.PartCount && HoldsPart(d, i); ++i) {
        MeshPart& part = d.Parts[static_cast<size_t>(i)];
        VOLUME& volume = d.Volumes[static_cast<size_t>(i)];
        const Matrix4 matrix = StartVolume(volume, placement_);
        for (const ModelVertex& v : part.Arrays.Vertices) GrowVolume(volume, matrix, v.Position);
        const ModelArrays& arrays = PartArrays(part);
        // A part whose material was cut off by SetShader has nothing to draw with.
        if (static_cast<size_t>(i) < d.Materials.size()) DrawMaterialPasses(d.Materials[static_cast<size_t>(i)], arrays);
        Timing().FrameVertices += 3 * static_cast<int32_t>(part.Triangles.size());
    }
    glEnable(GL_CULL_FACE);
}

void Mesh::SetShader(int32_t Index, const SHADER& Shader) {
    if (Index < 0) return;
    data_->Materials.resize(static_cast<size_t>(Index) + 1);
    data_->Materials[static_cast<size_t>(Index)] = Shader;
    // The file's names no longer say what these parts are drawn with.
    std::vector<std::string>& names = data_->MaterialNames;
    if (static_cast<size_t>(Index) < names.size()) names.resize(static_cast<size_t>(Index));
}

SHADER Mesh::Shader(const std::string& Name) const {
    SHADER found;
    for (const SHADER& material : data_->Materials)
        if (material.Name == Name) found = material;
    return found;
}

void Mesh::Shader(const std::string& Name, const SHADER& Value) {
    for (SHADER& material : data_->Materials)
        if (material.Name == Name) material = Value;
}

void Mesh::SetTriangle(int32_t Index, int32_t x, int32_t y, int32_t z) { AddTriangle(*data_, Index, x, y, z); }

void Mesh::SetVertex(int32_t Index, float x, float y, float z, float U, float V) {
    if (Index < 0) return;
    AddVertex(*data_, Index, x, y, z, U, V);
    placement_.Scale = {1, 1, 1};
    loaded_ = true;
}

VECTOR3 Mesh::Normal(int32_t Index, int32_t Vertice) const {
    const ModelVertex* v = VertexOf(*data_, Index, Vertice);
    return v ? v->Normal : VECTOR3{};
}

void Mesh::Normal(int32_t Index, int32_t Vertice, const VECTOR3& Value) {
    if (ModelVertex* v = VertexOf(*data_, Index, Vertice)) v->Normal = Value;
}

VECTOR3 Mesh::Vertex(int32_t Index, int32_t Vertice) const {
    const ModelVertex* v = VertexOf(*data_, Index, Vertice);
    return v ? v->Position : VECTOR3{};
}

void Mesh::Vertex(int32_t Index, int32_t Vertice, const VECTOR3& Value) {
    if (ModelVertex* v = VertexOf(*data_, Index, Vertice)) v->Position = Value;
}

VECTOR2 Mesh::Texture(int32_t Index, int32_t Vertice) const {
    const ModelVertex* v = VertexOf(*data_, Index, Vertice);
    return v ? v->TexCoord : VECTOR2{};
}

void Mesh::Texture(int32_t Index, int32_t Vertice, const VECTOR2& Value) {
    if (ModelVertex* v = VertexOf(*data_, Index, Vertice)) v->TexCoord = Value;
}

Variant Mesh::Vertices(int32_t Index) const {
    if (!HoldsPart(*data_, Index)) return {};
    return static_cast<int32_t>(data_->Parts[static_cast<size_t>(Index)].Arrays.Vertices.size());
}

std::vector<VOLUME> Mesh::Volume(int32_t Index) const { return SelectVolumes(data_->Volumes, Index); }

bool Mesh::Save(const std::string& Filename) const {
    return platform::WriteWholeFile(ResolvePath(Filename), WriteMeshText(*data_));
}

}  // namespace korvath
