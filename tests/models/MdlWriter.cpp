#include "models/MdlWriter.h"

#include "models/WriterBytes.h"

namespace korvath::test {

namespace {

void PutFrame(std::vector<uint8_t>& out, const MdlFileFrame& f) {
    Put(out, int64_t{0});  // bounding box, not read
    PutName(out, f.Name, 16);
    for (const auto& v : f.Vertices) Put(out, v);
}

}  // namespace

std::vector<uint8_t> MdlFile::Bytes() const {
    const auto count = [](const auto& table) { return static_cast<int32_t>(table.size()); };
    std::vector<uint8_t> out(Ident.begin(), Ident.end());
    out.resize(4);
    Put(out, Version);
    Put(out, Scale);
    Put(out, Translate);
    Put(out, 1.0f);       // radius
    Put(out, VECTOR3{});  // eye
    const int32_t vertices = count(TexCoords);
    for (int32_t v : {count(Skins), SkinWidth, SkinHeight, vertices, count(Triangles), count(Frames), 0, 0, 0})
        Put(out, v);
    for (const MdlFileSkin& skin : Skins) {
        Put(out, skin.Group);
        if (skin.Group != 0) {
            Put(out, count(skin.Pictures));
            for (int32_t i = 0; i < count(skin.Pictures); ++i) Put(out, 0.1f);
        }
        for (const std::vector<uint8_t>& picture : skin.Pictures) out.insert(out.end(), picture.begin(), picture.end());
    }
    for (const auto& st : TexCoords) Put(out, st);
    for (const auto& t : Triangles) Put(out, t);
    for (const MdlFileFrameEntry& entry : Frames) {
        Put(out, entry.Type);
        if (entry.Type != 0) {
            Put(out, count(entry.Frames));
            Put(out, int64_t{0});  // the group's bounding box
            for (int32_t i = 0; i < count(entry.Frames); ++i) Put(out, 0.1f);
        }
        for (const MdlFileFrame& f : entry.Frames) PutFrame(out, f);
    }
    return out;
}

void SetMdlHeader(std::vector<uint8_t>& bytes, MdlField field, int32_t value) { SetField(bytes, field, value); }

std::vector<MdlFileFrameEntry> SquareFrames(const std::string& name, int count) {
    std::vector<MdlFileFrameEntry> frames;
    for (uint8_t i = 1; i <= count; ++i)
        frames.push_back({0, {{name + std::to_string(i), {{i, 0, 0, 5}, {uint8_t(i + 1), 0, 0, 5},
                                                          {uint8_t(i + 1), 1, 0, 5}, {i, 1, 0, 5}}}}});
    return frames;
}

MdlFile SquareModel(const std::vector<MdlFileFrameEntry>& frames) {
    MdlFile file;
    file.Skins = {{0, {{0, 1, 2, 3, 4, 5, 6, 7}}}, {0, {{8, 9, 10, 11, 12, 13, 14, 15}}}};
    file.TexCoords = {{0, 0, 0}, {1, 2, 0}, {0, 2, 2}, {0, 0, 2}};
    file.Triangles = {{1, 0, 1, 2}, {0, 0, 2, 1}};
    file.Frames = frames;
    return file;
}

}  // namespace korvath::test
