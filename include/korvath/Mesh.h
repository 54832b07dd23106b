#pragma once
// The engine's own text mesh ("Mesh Version 1.0"): parts, each with a
// material, a triangle list and a vertex list of positions and texture
// coordinates. A host may also build or edit a mesh vertex by vertex, and
// store it again with Save.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Model.h"
#include "korvath/Types.h"

namespace korvath {

struct MeshData;

class Mesh : public Model {
public:
    Mesh();
    ~Mesh();  // unloads a loaded mesh

    // Reads Filename (relative names resolve against the engine path) in place
    // of the mesh held; the outcome is reported in the log. A file that cannot
    // be read whole leaves the object as it was.
    void Load(const std::string& Filename);
    void UnLoad();
    // Draws parts 0 to the last part the file named, both faces of every
    // triangle; a part without triangles as a fan over its vertices.
    void Render();

    // Materials become 0..Index (a lower index drops the higher ones); the
    // record is stored at Index.
    void SetShader(int32_t Index, const SHADER& Shader);
    // The last material called Name; an empty record when none is.
    SHADER Shader(const std::string& Name) const;
    // Replaces every material called Name.
    void Shader(const std::string& Name, const SHADER& Value);

    // Appends a triangle of 1-based vertex indexes to part Index (parts past
    // Index are dropped).
    void SetTriangle(int32_t Index, int32_t x, int32_t y, int32_t z);
    // Appends a vertex to part Index. A coordinate left at -1 becomes 0 when x
    // (for U) or z (for V) is positive; V is stored negated.
    void SetVertex(int32_t Index, float x, float y, float z, float U = -1, float V = -1);

    // Vertex Vertice of part Index; a vertex that does not exist reads zero and
    // ignores a new value.
    VECTOR3 Normal(int32_t Index, int32_t Vertice = 0) const;
    void Normal(int32_t Index, int32_t Vertice, const VECTOR3& Value);
    VECTOR3 Vertex(int32_t Index, int32_t Vertice = 0) const;
    void Vertex(int32_t Index, int32_t Vertice, const VECTOR3& Value);
    VECTOR2 Texture(int32_t Index, int32_t Vertice = 0) const;
    void Texture(int32_t Index, int32_t Vertice, const VECTOR2& Value);
    // The vertex count of part Index; empty for a part that does not exist.
    Variant Vertices(int32_t Index) const;

    // -1: every part's volume; a part's index: its volume alone; else none.
    std::vector<VOLUME> Volume(int32_t Index = -1) const;

    // Writes the parts, their material names and vertices in the layout Load
    // reads (normals are not part of it); false when the file cannot be written.
    bool Save(const std::string& Filename) const;

private:
    std::unique_ptr<MeshData> data_;
};

}  // namespace korvath
