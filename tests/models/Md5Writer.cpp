#include "models/Md5Writer.h"

#include <cmath>
#include <cstdio>

namespace korvath::test {

namespace {

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string Triple(const VECTOR3& v) { return "( " + Number(v.x) + " " + Number(v.y) + " " + Number(v.z) + " )"; }

}  // namespace

std::string Md5MeshText::Text() const {
    std::string t = "MD5Version 10\ncommandline \"\"\n\nnumJoints " + std::to_string(Joints.size()) +
                    "\nnumMeshes " + std::to_string(Meshes.size()) + "\n\njoints {\n";
    for (const Md5WriterJoint& j : Joints)
        t += "\t\"" + j.Name + "\"\t" + std::to_string(j.Parent) + " " + Triple(j.Position) + " " +
             Triple(j.Orientation) + "\t\t// \n";
    t += "}\n";
    for (const Md5WriterMesh& m : Meshes) {
        t += "\nmesh {\n\t// meshes: test\n\tshader \"" + m.Shader + "\"\n\n\tnumverts " +
             std::to_string(m.Vertices.size()) + "\n";
        for (size_t i = 0; i < m.Vertices.size(); ++i) {
            const Md5WriterVertex& v = m.Vertices[i];
            t += "\tvert " + std::to_string(i) + " ( " + Number(v.U) + " " + Number(v.V) + " ) " +
                 std::to_string(v.FirstWeight) + " " + std::to_string(v.WeightCount) + "\n";
        }
        t += "\n\tnumtris " + std::to_string(m.Triangles.size()) + "\n";
        for (size_t i = 0; i < m.Triangles.size(); ++i)
            t += "\ttri " + std::to_string(i) + " " + std::to_string(m.Triangles[i][0]) + " " +
                 std::to_string(m.Triangles[i][1]) + " " + std::to_string(m.Triangles[i][2]) + "\n";
        t += "\n\tnumweights " + std::to_string(m.Weights.size()) + "\n";
        for (size_t i = 0; i < m.Weights.size(); ++i) {
            const Md5WriterWeight& w = m.Weights[i];
            t += "\tweight " + std::to_string(i) + " " + std::to_string(w.Joint) + " " + Number(w.Bias) + " " +
                 Triple(w.Position) + "\n";
        }
        t += "}\n";
    }
    return t;
}

std::string Md5AnimText::Text(bool leadingBlank) const {
    std::string t = "MD5Version 10\ncommandline \"\"\n\nnumFrames " + std::to_string(Frames.size()) +
                    "\nnumJoints " + std::to_string(Hierarchy.size()) + "\nframeRate " + std::to_string(FrameRate) +
                    "\nnumAnimatedComponents " + std::to_string(Components) + "\n\nhierarchy {\n";
    for (size_t j = 0; j < Hierarchy.size(); ++j)
        t += "\t\"joint" + std::to_string(j) + "\"\t" + std::to_string(Hierarchy[j].Parent) + " " +
             std::to_string(Hierarchy[j].Flags) + " " + std::to_string(Hierarchy[j].Start) + "\t//\n";
    t += "}\n\nbounds {\n";
    for (size_t f = 0; f < Frames.size(); ++f) t += "\t( -1 -1 -1 ) ( 1 1 1 )\n";
    t += "}\n\nbaseframe {\n";
    for (const auto& base : BaseFrame) t += "\t" + Triple(base[0]) + " " + Triple(base[1]) + "\n";
    t += "}\n";
    for (size_t f = 0; f < Frames.size(); ++f) {
        t += "\nframe " + std::to_string(f) + " {\n";
        const std::vector<float>& values = Frames[f];
        for (size_t i = 0; i < values.size(); i += static_cast<size_t>(ValuesPerLine)) {
            std::string line;
            for (size_t k = i; k < values.size() && k < i + static_cast<size_t>(ValuesPerLine); ++k)
                line += (k > i ? " " : "") + Number(values[k]);
            t += leadingBlank ? "\t " + line + "\n" : "\t" + line + " \n";
        }
        t += "}\n";
    }
    return t;
}

std::string Md5CameraText::Text() const {
    std::string t = "MD5Version 10\ncommandline \"\"\n\nnumFrames " + std::to_string(Frames.size()) +
                    "\nframeRate " + std::to_string(FrameRate) + "\nnumCuts " + std::to_string(Cuts.size()) +
                    "\n\ncuts {\n";
    for (const int cut : Cuts) t += "\t" + std::to_string(cut) + "\n";
    t += "}\n\ncamera {\n";
    for (const auto& f : Frames)
        t += "\t" + Triple({f[0], f[1], f[2]}) + " " + Triple({f[3], f[4], f[5]}) + " " + Number(f[6]) + "\n";
    return t + "}\n";
}

std::string Respaced(const std::string& text) {
    std::string out;
    bool quoted = false, lineStart = true;
    for (const char c : text) {
        if (c == '\n') {
            out += "\r\n";
            lineStart = true;
            continue;
        }
        const bool blank = c == ' ' || c == '\t';
        if (lineStart) {
            if (blank) continue;
            out += "  \t ";  // every line, keywords too, starts further in
            lineStart = false;
        }
        if (c == '"') quoted = !quoted;
        out += !quoted && blank ? std::string(" \t  ") : std::string(1, c);
    }
    return out;
}

Md5MeshText ChainMesh() {
    Md5MeshText model;
    model.Joints = {{"root", -1, {1, 2, 3}, {0, 0, 0}}, {"tip", 0, {10, 0, 0}, {0, 0, 0.7071068f}}};
    Md5WriterMesh mesh;
    mesh.Shader = "chain";
    for (int i = 0; i < 4; ++i) {
        mesh.Vertices.push_back({0.25f * static_cast<float>(i + 1), 0.75f, 2 * i, 2});
        const float corner[4][2] = {{4, 0}, {8, 0}, {8, 4}, {4, 4}};
        mesh.Weights.push_back({0, 0.25f, {corner[i][0], corner[i][1], 0}});
        mesh.Weights.push_back({1, 0.75f, {0, 0, 2}});
    }
    mesh.Triangles = {{0, 1, 2}, {0, 2, 3}};
    model.Meshes.push_back(mesh);
    return model;
}

Md5AnimText ChainAnimation(int frames, int frameRate) {
    Md5AnimText animation;
    animation.FrameRate = frameRate;
    animation.Components = 1;
    animation.Hierarchy = {{-1, 0, 0}, {0, 1, 0}};
    animation.BaseFrame = {{{{1, 2, 3}, {0, 0, 0.7071068f}}}, {{{10, 0, 0}, {0, 0, 0}}}};
    for (int f = 0; f < frames; ++f) animation.Frames.push_back({4.0f + static_cast<float>(f)});
    return animation;
}

Md5MeshText LongMesh(int vertexCount, int jointCount) {
    Md5MeshText model;
    for (int j = 0; j < jointCount; ++j)
        model.Joints.push_back({"bone" + std::to_string(j), j - 1, {10.0f * static_cast<float>(j), 0, 0}, {0, 0, 0}});
    Md5WriterMesh mesh;
    mesh.Shader = "long";
    for (int v = 0; v < vertexCount; ++v) {
        mesh.Vertices.push_back({static_cast<float>(v % 2), static_cast<float>(v) / static_cast<float>(vertexCount),
                                 v, 1});
        mesh.Weights.push_back({v % jointCount, 1, {0.01f * static_cast<float>(v % 100), static_cast<float>(v % 2), 0}});
    }
    for (int v = 0; v + 2 < vertexCount; ++v) mesh.Triangles.push_back({v, v + 1, v + 2});
    model.Meshes.push_back(mesh);
    return model;
}

Md5AnimText LongAnimation(int frameCount, int jointCount) {
    Md5AnimText animation;
    animation.Components = 3 * jointCount;
    for (int j = 0; j < jointCount; ++j) {
        animation.Hierarchy.push_back({j - 1, 56, 3 * j});
        animation.BaseFrame.push_back({{{j > 0 ? 10.0f : 0.0f, 0, 0}, {0, 0, 0}}});
    }
    for (int f = 0; f < frameCount; ++f) {
        std::vector<float> values;
        for (int j = 0; j < jointCount; ++j) {
            const float phase = 0.05f * static_cast<float>(f) + static_cast<float>(j);
            values.insert(values.end(), {0.1f * std::sin(phase), 0.1f * std::cos(phase), 0.05f});
        }
        animation.Frames.push_back(values);
    }
    return animation;
}

}  // namespace korvath::test
