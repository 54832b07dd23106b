#include "models/Md5MeshFile.h"

#include <cmath>

#include "models/Md5Skeleton.h"
#include "models/Md5Text.h"
#include "models/ModelStatus.h"

namespace korvath {

namespace {

bool WholeValue(double value, int32_t& out) {
    if (value != std::floor(value) || value < -2147483648.0 || value > 2147483647.0) return false;
    out = static_cast<int32_t>(value);
    return true;
}

float SingleValue(double value) {
    return static_cast<float>(std::fmax(-3.4e38, std::fmin(3.4e38, value)));
}

// The material name: the quoted text, or what follows the keyword, with any
// quotes removed and blanks trimmed.
std::string ShaderName(const Md5Lines& lines) {
    const Md5Tokens tokens = lines.Tokens();
    const std::string_view raw = lines.Raw();
    const size_t after = static_cast<size_t>(tokens[0].Text.data() - raw.data()) + tokens[0].Text.size();
    const std::string_view text = tokens.size() > 1 && tokens[1].Quoted ? tokens[1].Text : raw.substr(after);
    std::string name;
    for (const char c : text)
        if (c != '"') name += c;
    const size_t first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

class MeshReader {
public:
    explicit MeshReader(std::string_view text) : lines_(text) {}

    Md5MeshResult Read(Md5MeshFile& model) {
        if (!lines_.Next() || !IsVersionLine(lines_.Tokens())) return Md5MeshResult::NotMd5;
        int32_t jointCount = 0;
        while (lines_.Next()) {
            const Md5Tokens t = lines_.Tokens();
            int32_t count = 0;
            if (IsKeyword(t, 0, "numJoints")) {
                if (!Count(count)) return Md5MeshResult::Malformed;
                jointCount = count;
                ModelStatus("MD5: Loading " + std::to_string(count) + " Joints...");
            } else if (IsKeyword(t, 0, "numMeshes")) {
                if (!Count(count)) return Md5MeshResult::Malformed;
                ModelStatus("MD5: Loading " + std::to_string(count) + " Meshes...");
            } else if (OpensBlock(t, "joints")) {
                if (!ReadJoints(jointCount, model.Joints)) return Md5MeshResult::Malformed;
            } else if (OpensBlock(t, "mesh")) {
                model.Meshes.emplace_back();
                if (!ReadMesh(model.Meshes.back())) return Md5MeshResult::Malformed;
            }
        }
        return Consistent(model) ? Md5MeshResult::Loaded : Md5MeshResult::Malformed;
    }

private:
    // A count is met by the lines after it, so one beyond the file's size is
    // refused at once. Tables grow with the lines actually read, never by a
    // count.
    bool Count(int32_t& count) const {
        const Md5Tokens t = lines_.Tokens();
        return t.size() >= 2 && ParseWholeNumber(t[1].Text, count) && count >= 0 &&
               static_cast<size_t>(count) <= lines_.Size();
    }

    bool ReadJoints(int32_t count, std::vector<JOINT>& joints) {
        return ReadEntries(lines_, count, joints, [&joints](Md5Tokens t, JOINT& joint) {
            double v[6];
            if (t.size() < 2 || !ParseWholeNumber(t[1].Text, joint.Parent) || !NumbersFrom(t, 2, v, 6)) return false;
            joint.Name = std::string(t[0].Text);
            joint.Index = static_cast<int32_t>(joints.size()) - 1;
            joint.Position = {RoundedCoordinate(v[0]), RoundedCoordinate(v[1]), RoundedCoordinate(v[2])};
            const float x = RoundedCoordinate(v[3]), y = RoundedCoordinate(v[4]), z = RoundedCoordinate(v[5]);
            joint.Orientation = {x, y, z, ComputeW(x, y, z)};
            return true;
        });
    }

    bool ReadMesh(Md5Mesh& mesh) {
        int32_t vertices = 0, triangles = 0, weights = 0;
        std::vector<uint32_t>& indices = mesh.Arrays.Indices;
        while (lines_.Next()) {
            const Md5Tokens t = lines_.Tokens();
            if (ClosesBlock(t)) break;
            double v[6];
            if (IsKeyword(t, 0, "shader")) {
                mesh.MaterialName = ShaderName(lines_);
            } else if (IsKeyword(t, 0, "numverts")) {
                if (!Count(vertices)) return false;
            } else if (IsKeyword(t, 0, "numtris")) {
                if (!Count(triangles)) return false;
            } else if (IsKeyword(t, 0, "numweights")) {
                if (!Count(weights)) return false;
            } else if (IsKeyword(t, 0, "vert")) {
                if (mesh.Vertices.size() == static_cast<size_t>(vertices)) continue;
                Md5Vertex vertex;
                if (!NumbersFrom(t, 1, v, 5) || !WholeValue(v[0], vertex.Index) ||
                    !WholeValue(v[3], vertex.FirstWeight) || !WholeValue(v[4], vertex.WeightCount))
                    return false;
                vertex.TexCoord = {RoundedCoordinate(v[1]), -RoundedCoordinate(v[2])};
                mesh.Vertices.push_back(vertex);
            } else if (IsKeyword(t, 0, "tri")) {
                if (indices.size() == 3 * static_cast<size_t>(triangles)) continue;
                int32_t corner[3];
                if (!NumbersFrom(t, 1, v, 4) || !WholeValue(v[1], corner[0]) || !WholeValue(v[2], corner[1]) ||
                    !WholeValue(v[3], corner[2]))
                    return false;
                for (const int32_t c : corner) indices.push_back(static_cast<uint32_t>(c));
            } else if (IsKeyword(t, 0, "weight")) {
                if (mesh.Weights.size() == static_cast<size_t>(weights)) continue;
                Md5Weight weight;
                if (!NumbersFrom(t, 1, v, 6) || !WholeValue(v[0], weight.Index) || !WholeValue(v[1], weight.Joint))
                    return false;
                weight.Bias = SingleValue(v[2]);
                weight.Position = {RoundedCoordinate(v[3]), RoundedCoordinate(v[4]), RoundedCoordinate(v[5])};
                mesh.Weights.push_back(weight);
            }
        }
        return mesh.Vertices.size() == static_cast<size_t>(vertices) &&
               indices.size() == 3 * static_cast<size_t>(triangles) &&
               mesh.Weights.size() == static_cast<size_t>(weights);
    }

    // Every index names an entry of its table.
    static bool Consistent(Md5MeshFile& model) {
        const int64_t joints = static_cast<int64_t>(model.Joints.size());
        for (const JOINT& joint : model.Joints)
            if (joint.Parent >= joints) return false;
        for (Md5Mesh& mesh : model.Meshes) {
            for (const Md5Weight& weight : mesh.Weights)
                if (weight.Joint < 0 || weight.Joint >= joints) return false;
            for (const Md5Vertex& vertex : mesh.Vertices)
                if (vertex.FirstWeight < 0 || vertex.WeightCount < 0 ||
                    int64_t{vertex.FirstWeight} + vertex.WeightCount > static_cast<int64_t>(mesh.Weights.size()))
                    return false;
            // Indexes read as negative numbers wrapped to large ones.
            for (const uint32_t index : mesh.Arrays.Indices)
                if (index >= mesh.Vertices.size()) return false;
        }
        return true;
    }

    Md5Lines lines_;
};

}  // namespace

Md5MeshResult ReadMd5Mesh(std::string_view text, Md5MeshFile& model) {
    model = {};
    const Md5MeshResult result = MeshReader(text).Read(model);
    if (result != Md5MeshResult::Loaded) return result;
    for (JOINT& joint : model.Joints)
        if (joint.Parent >= 0) model.Joints[static_cast<size_t>(joint.Parent)].Children.push_back(joint.Index);
    for (Md5Mesh& mesh : model.Meshes) {
        mesh.Pose.resize(mesh.Vertices.size());
        for (size_t v = 0; v < mesh.Vertices.size(); ++v) mesh.Pose[v].TexCoord = mesh.Vertices[v].TexCoord;
        mesh.Arrays.Vertices = mesh.Pose;
    }
    return result;
}

}  // namespace korvath
