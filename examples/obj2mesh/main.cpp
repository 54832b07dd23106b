// obj2mesh: turns a Wavefront OBJ file into the engine's "Mesh Version 1.0"
// text. Each material the faces use becomes one part, named after its diffuse
// picture (so the engine loads it as a bare image when no script defines it)
// or else after the material itself; polygons are cut into triangles.
//   obj2mesh INPUT.obj OUTPUT.mesh
#include <tiny_obj_loader.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include <korvath/Mesh.h>

namespace {

// One part: a vertex per distinct pair of position and texture coordinate,
// and triangles of 1-based indexes into them.
struct PartFaces {
    std::map<std::pair<int, int>, int32_t> VertexOf;
    std::vector<tinyobj::index_t> Vertices;
    std::vector<std::array<int32_t, 3>> Triangles;

    int32_t Add(const tinyobj::index_t& index) {
        const auto [at, added] = VertexOf.try_emplace({index.vertex_index, index.texcoord_index},
                                                      static_cast<int32_t>(Vertices.size()) + 1);
        if (added) Vertices.push_back(index);
        return at->second;
    }
};

std::string PartName(const std::vector<tinyobj::material_t>& materials, int id) {
    if (id < 0 || static_cast<size_t>(id) >= materials.size()) return {};
    const tinyobj::material_t& m = materials[static_cast<size_t>(id)];
    return m.diffuse_texname.empty() ? m.name : m.diffuse_texname;
}

// Parts are built one after the other: a vertex added to a part drops the
// parts after it.
void AddPart(korvath::Mesh& mesh, int32_t part, const std::string& name, const PartFaces& faces,
             const tinyobj::attrib_t& attrib) {
    korvath::SHADER named;
    named.Name = name;
    mesh.SetShader(part, named);
    for (const tinyobj::index_t& index : faces.Vertices) {
        const float* p = &attrib.vertices[3 * static_cast<size_t>(index.vertex_index)];
        float u = 0, v = 0;
        if (index.texcoord_index >= 0) {
            u = attrib.texcoords[2 * static_cast<size_t>(index.texcoord_index)];
            // OBJ counts v up from the picture's bottom row; the mesh format
            // counts it down from the top.
            v = 1 - attrib.texcoords[2 * static_cast<size_t>(index.texcoord_index) + 1];
        }
        mesh.SetVertex(part, p[0], p[1], p[2], u, v);
    }
    for (const auto& t : faces.Triangles) mesh.SetTriangle(part, t[0], t[1], t[2]);
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
    // Parts in the order their materials are first used.
    std::vector<std::pair<int, PartFaces>> parts;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const tinyobj::mesh_t& faces = shape.mesh;
        for (size_t f = 0; f < faces.material_ids.size(); ++f) {
            const int material = faces.material_ids[f];
            auto part = std::find_if(parts.begin(), parts.end(), [&](const auto& p) { return p.first == material; });
            if (part == parts.end()) part = parts.insert(parts.end(), {material, {}});
            std::array<int32_t, 3> triangle;
            for (size_t k = 0; k < 3; ++k) triangle[k] = part->second.Add(faces.indices[3 * f + k]);
            part->second.Triangles.push_back(triangle);
        }
    }
    if (parts.empty()) {
        std::fprintf(stderr, "obj2mesh: %s holds no faces\n", argv[1]);
        return 1;
    }
    korvath::Mesh mesh;
    for (size_t p = 0; p < parts.size(); ++p)
        AddPart(mesh, static_cast<int32_t>(p), PartName(reader.GetMaterials(), parts[p].first), parts[p].second,
                reader.GetAttrib());
    if (!mesh.Save(argv[2])) {
        std::fprintf(stderr, "obj2mesh: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("obj2mesh: %zu part(s) written to %s\n", parts.size(), argv[2]);
    return 0;
}
