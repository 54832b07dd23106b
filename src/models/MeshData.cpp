#include "models/MeshData.h"

namespace korvath {

namespace {

template <typename T>
void KeepUpTo(std::vector<T>& list, int32_t index) {
    list.resize(static_cast<size_t>(index) + 1);
}

}  // namespace

bool HoldsPart(const MeshData& mesh, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < mesh.Parts.size();
}

void AddTriangle(MeshData& mesh, int32_t index, int32_t x, int32_t y, int32_t z) {
    if (index < 0) return;
    KeepUpTo(mesh.Parts, index);
    MeshPart& part = mesh.Parts[static_cast<size_t>(index)];
    // Wrapping, not overflow, for an index of the most negative Long.
    const auto zeroBased = [](int32_t i) { return static_cast<int32_t>(static_cast<uint32_t>(i) - 1u); };
    part.Triangles.push_back({zeroBased(x), zeroBased(y), zeroBased(z)});
    part.IndicesStale = true;
}

void AddVertex(MeshData& mesh, int32_t index, float x, float y, float z, float U, float V) {
    if (index < 0) return;
    KeepUpTo(mesh.Parts, index);
    KeepUpTo(mesh.Volumes, index);
    KeepUpTo(mesh.Materials, index);
    // A material set before (from a script, with several stages) keeps them.
    std::vector<SHADER_STAGE>& stages = mesh.Materials[static_cast<size_t>(index)].Stages;
    if (stages.empty()) stages.resize(1);
    MeshPart& part = mesh.Parts[static_cast<size_t>(index)];
    const float u = U == -1 && x > 0 ? 0 : U;
    // Negated, so that with GL's repeat wrap v counts down from the picture's top.
    const float v = V == -1 && z > 0 ? 0 : -V;
    part.Arrays.Vertices.push_back({{x, y, z}, {}, {u, v}});
    part.IndicesStale = true;
}

const ModelArrays& PartArrays(MeshPart& part) {
    if (!part.IndicesStale) return part.Arrays;
    std::vector<uint32_t>& indices = part.Arrays.Indices;
    indices.clear();
    const int64_t count = static_cast<int64_t>(part.Arrays.Vertices.size());
    if (!part.Triangles.empty()) {
        for (const std::array<int32_t, 3>& triangle : part.Triangles) {
            if (triangle[0] < 0 || triangle[0] >= count || triangle[1] < 0 || triangle[1] >= count ||
                triangle[2] < 0 || triangle[2] >= count)
                continue;
            for (const int32_t corner : triangle) indices.push_back(static_cast<uint32_t>(corner));
        }
    } else {
        // The fan's triangles, so one draw path serves both.
        for (int64_t k = 1; k + 1 < count; ++k)
            indices.insert(indices.end(), {0u, static_cast<uint32_t>(k), static_cast<uint32_t>(k + 1)});
    }
    part.IndicesStale = false;
    return part.Arrays;
}

}  // namespace korvath
