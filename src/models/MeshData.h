#pragma once
// The parts of a Mesh and the edits every way of building one makes: the
// file reader and the host's SetTriangle and SetVertex.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"
#include "models/ModelArrays.h"

namespace korvath {

struct MeshPart {
    // 0-based vertex indexes as given: they may name vertices the part does
    // not (yet) have, so drawing takes its indexes from the checked copy.
    std::vector<std::array<int32_t, 3>> Triangles;
    // Vertices: the part's own (a 32-byte stride, as GL reads them); Indices:
    // the triangles that name existing vertices, or a fan over all of them.
    ModelArrays Arrays;
    bool IndicesStale = true;
};

struct MeshData {
    std::vector<MeshPart> Parts;
    std::vector<SHADER> Materials;
    // The name on each material's "Shader" line, kept for Save where the
    // material found has no name of its own (a picture file).
    std::vector<std::string> MaterialNames;
    std::vector<VOLUME> Volumes;
    int32_t PartCount = 0;  // the last part drawn
};

// Whether part index exists.
bool HoldsPart(const MeshData& mesh, int32_t index);
// Parts become 0..index, keeping those below; the triangle is stored 0-based.
void AddTriangle(MeshData& mesh, int32_t index, int32_t x, int32_t y, int32_t z);
// Parts, volumes and materials become 0..index; the part's material gets a
// stage to draw with when it has none.
void AddVertex(MeshData& mesh, int32_t index, float x, float y, float z, float U, float V);
// The indexes Render draws the part with, rebuilt after an edit.
const ModelArrays& PartArrays(MeshPart& part);

}  // namespace korvath
