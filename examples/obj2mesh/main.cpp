// obj2mesh: turns a Wavefront OBJ file into the engine's "Mesh Version 1.0"
// text. Each material the faces use becomes one part, named after its diffuse
// picture (so the engine loads it as a bare image when no script defines it)
// or else after the material itself; polygons are cut into triangles.
//   obj2mesh INPUT.obj OUTPUT.mesh
#include <tiny_obj_loader.h>

#include <cstdio>
#include <map>
#include <utility>

#include <korvath/Mesh.h>

namespace {

// The vertices and triangles of one part, one vertex per distinct pair of
// position and texture coordinate.
struct PartBuilder {
    int32_t Part = 0;
    std::map<std::pair<int, int>, int32_t> Vertices;
};

int32_t VertexOf(korvath::Mesh& mesh, PartBuilder& part, const tinyobj::attrib_t& attrib, const tinyobj::index_t& index) {
    const auto [at, added] = part.Vertices.try_emplace({index.vertex_index, index.texcoord_index},
                                                       static_cast<int32_t>(part.Vertices.size()) + 1);
    if (added) {
        const float* p = &attrib.vertices[3 * static_cast<size_t>(index.vertex_index)];
        float u = 0, v = 0;
        if (index.texcoord_index >= 0) {
            u = attrib.texcoords[2 * static_cast<size_t>(index.texcoord_index)];
            // OBJ counts v up from the picture's bottom row; the mesh format
            // counts it down from the top.
            v = 1 - attrib.texcoords[2 * static_cast<size_t>(index.texcoord_index) + 1];
        }
        mesh.SetVertex(part.Part, p[0], p[1], p[2], u, v);
    }
    return at->second;
}

std::string PartName(const std::vector<tinyobj::material_t>& materials, int id) {
    if (id < 0 || static_cast<size_t>(id) >= materials.size()) return {};
    const tinyobj::material_t& m = materials[static_cast<size_t>(id)];
    return m.diffuse_texname.empty() ? m.name : m.diffuse_texname;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: obj2mesh INPUT.obj OUTPUT.mesh\n");
        return 2;
    }
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(argv[1], config)) {
        std::fprintf(stderr, "obj2mesh: %s: %s\n", argv[1], reader.Error().c_str());
        return 1;
    }
    if (!reader.Warning().empty()) std::fprintf(stderr, "obj2mesh: %s", reader.Warning().c_str());
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    korvath::Mesh mesh;
    std::map<int, PartBuilder> parts;  // by material id
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const tinyobj::mesh_t& faces = shape.mesh;
        for (size_t f = 0; f < faces.material_ids.size(); ++f) {
            const int material = faces.material_ids[f];
            auto [at, added] = parts.try_emplace(material);
            if (added) {
                at->second.Part = static_cast<int32_t>(parts.size()) - 1;
                korvath::SHADER named;
                named.Name = PartName(reader.GetMaterials(), material);
                mesh.SetShader(at->second.Part, named);
            }
            int32_t corners[3];
            for (size_t k = 0; k < 3; ++k) corners[k] = VertexOf(mesh, at->second, attrib, faces.indices[3 * f + k]);
            mesh.SetTriangle(at->second.Part, corners[0], corners[1], corners[2]);
        }
    }
    if (parts.empty()) {
        std::fprintf(stderr, "obj2mesh: %s holds no faces\n", argv[1]);
        return 1;
    }
    if (!mesh.Save(argv[2])) {
        std::fprintf(stderr, "obj2mesh: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("obj2mesh: %zu part(s) written to %s\n", parts.size(), argv[2]);
    return 0;
}
