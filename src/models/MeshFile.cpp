#include "models/MeshFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/LoadingScreen.h"

namespace korvath {

namespace {

constexpr const char* kHeader = "Mesh Version 1.0";

class Lines {
public:
    explicit Lines(const std::string& text) : text_(text) {}
    bool Ended() const { return at_ >= text_.size(); }
    // The next line without its end (LF or CR LF); false past the last one.
    bool Next(std::string& line) {
        if (Ended()) return false;
        size_t end = text_.find('\n', at_);
        if (end == std::string::npos) end = text_.size();
        line.assign(text_, at_, end - at_);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        at_ = end + 1;
        return true;
    }

private:
    const std::string& text_;
    size_t at_ = 0;
};

bool Holds(const std::string& line, const char* keyword) { return line.find(keyword) != std::string::npos; }

// The text from character position (counted from 1) on.
std::string From(const std::string& line, size_t position) {
    return line.size() >= position ? line.substr(position - 1) : std::string();
}

// A number as the platform's conversion takes it: blanks around it and a
// leading plus allowed, nothing else.
template <typename T>
bool ToNumber(const std::string& text, T& value) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const char* begin = text.data() + first;
    const char* end = text.data() + text.find_last_not_of(" \t") + 1;
    if (*begin == '+' && end - begin > 1 && begin[1] != '-') ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool ToLong(const std::string& text, int32_t& value) {
    double number = 0;
    if (!ToNumber(text, number)) return false;
    const double whole = std::nearbyint(number);  // halves to even
    if (whole < -2147483648.0 || whole > 2147483647.0) return false;
    value = static_cast<int32_t>(whole);
    return true;
}

bool ToSingle(const std::string& text, float& value) { return ToNumber(text, value); }

// Split at single blanks, as the format writes its numbers.
std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    size_t start = 0;
    for (size_t blank; (blank = line.find(' ', start)) != std::string::npos; start = blank + 1)
        tokens.push_back(line.substr(start, blank - start));
    tokens.push_back(line.substr(start));
    return tokens;
}

class PartReader {
public:
    PartReader(Lines& lines, MeshFile& file) : lines_(lines), file_(file) {}

    bool Read(int32_t i, int32_t part) {
        std::string line;
        if (!Skip(1) || !lines_.Next(line)) return false;
        MeshData& mesh = file_.Mesh;
        mesh.Materials.resize(static_cast<size_t>(i) + 1);
        mesh.Materials[static_cast<size_t>(i)] = SHADER{};
        mesh.Materials[static_cast<size_t>(i)].Stages.resize(1);
        file_.Mesh.MaterialNames.resize(static_cast<size_t>(i) + 1);
        file_.Mesh.MaterialNames[static_cast<size_t>(i)] = Holds(line, "Shader") ? Unquoted(From(line, 9)) : "";
        if (!Skip(1) || !lines_.Next(line)) return false;
        if (Holds(line, "Triangles")) {
            if (!ReadTriangles(line, part) || !Skip(1) || !lines_.Next(line)) return false;
        }
        if (Holds(line, "Vertices") && !ReadVertices(line, part)) return false;
        return Skip(2);
    }

private:
    static std::string Unquoted(std::string text) {
        std::erase(text, '"');
        return text;
    }

    bool Skip(int count) {
        std::string line;
        for (int k = 0; k < count; ++k)
            if (!lines_.Next(line)) return false;
        return true;
    }

    // The count, its opening line, then one line per entry: a count past the
    // end of the file stops at the end, so nothing is sized by it.
    template <typename ReadOne>
    bool ReadSection(const std::string& countLine, size_t tokensNeeded, ReadOne readOne) {
        int32_t count = 0;
        if (!ToLong(From(countLine, 11), count) || !Skip(1)) return false;
        std::string line;
        for (int32_t k = 0; k < count; ++k) {
            if (!lines_.Next(line)) return false;
            const std::vector<std::string> tokens = Tokens(line);
            if (tokens.size() < tokensNeeded || !readOne(tokens)) return false;
        }
        return true;
    }

    bool ReadTriangles(const std::string& countLine, int32_t part) {
        return ReadSection(countLine, 5, [&](const std::vector<std::string>& t) {
            int32_t x, y, z;
            if (!ToLong(t[2], x) || !ToLong(t[3], y) || !ToLong(t[4], z)) return false;
            AddTriangle(file_.Mesh, part, x, y, z);
            return true;
        });
    }

    bool ReadVertices(const std::string& countLine, int32_t part) {
        return ReadSection(countLine, 7, [&](const std::vector<std::string>& t) {
            float x, y, z, u, v;
            if (!ToSingle(t[2], x) || !ToSingle(t[3], y) || !ToSingle(t[4], z) || !ToSingle(t[5], u) ||
                !ToSingle(t[6], v))
                return false;
            AddVertex(file_.Mesh, part, x, y, z, u, v);
            file_.HasVertices = true;
            return true;
        });
    }

    Lines& lines_;
    MeshFile& file_;
};

}  // namespace

MeshResult ReadMeshText(const std::string& text, MeshFile& file) {
    Lines lines(text);
    std::string line;
    if (!lines.Next(line) || line != kHeader) return MeshResult::WrongHeader;
    MeshData& mesh = file.Mesh;
    PartReader reader(lines, file);
    int32_t count = 0;
    while (lines.Next(line)) {
        if (Holds(line, "Meshes")) {
            if (!ToLong(From(line, 8), count)) return MeshResult::Failed;
        } else if (Holds(line, ("Mesh " + std::to_string(static_cast<int64_t>(mesh.PartCount) + 1)).c_str())) {
            for (int32_t i = 0; i < count; ++i) {
                if (!reader.Read(i, mesh.PartCount)) return MeshResult::Failed;
                // The line after a part and the next part's head.
                if (!lines.Ended()) {
                    std::string skipped;
                    if (!lines.Next(skipped) || !lines.Next(skipped)) return MeshResult::Failed;
                    ++mesh.PartCount;
                }
                const float progress = count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0;
                ShowLoadStatus("Mesh: Loading " + std::to_string(count) + " Objects... ", false, progress, false);
            }
        }
    }
    return MeshResult::Loaded;
}

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

}  // namespace

std::string WriteMeshText(const MeshData& mesh) {
    std::string out = std::string(kHeader) + "\nMeshes " + std::to_string(mesh.Parts.size()) + "\n";
    for (size_t p = 0; p < mesh.Parts.size(); ++p) {
        const MeshPart& part = mesh.Parts[p];
        std::string name = p < mesh.Materials.size() ? mesh.Materials[p].Name : "";
        if (name.empty() && p < mesh.MaterialNames.size()) name = mesh.MaterialNames[p];
        if (p > 0) out += "\n";
        out += "Mesh " + std::to_string(p + 1) + "\n{\n";
        out += name.empty() ? "\n" : "\tShader \"" + name + "\"\n";
        out += "\n\tTriangles " + std::to_string(part.Triangles.size()) + "\n\t{\n";
        for (const std::array<int32_t, 3>& t : part.Triangles)
            out += "\t\tt 0 " + Number(t[0] + 1.0) + " " + Number(t[1] + 1.0) + " " + Number(t[2] + 1.0) + "\n";
        out += "\t}\n\tVertices " + std::to_string(part.Arrays.Vertices.size()) + "\n\t{\n";
        for (const ModelVertex& v : part.Arrays.Vertices)
            out += "\t\tv 0 " + Number(v.Position.x) + " " + Number(v.Position.y) + " " + Number(v.Position.z) + " " +
                   Number(v.TexCoord.x) + " " + Number(-v.TexCoord.y) + "\n";
        out += "\t}\n}\n";
    }
    return out;
}

}  // namespace korvath
