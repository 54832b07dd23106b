#include "models/Md2Writer.h"

#include <cstring>

namespace korvath::test {

namespace {

template <typename T>
void Put(std::vector<uint8_t>& out, const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}

}  // namespace

std::vector<uint8_t> Md2File::Bytes() const {
    const int32_t vertexCount = Frames.empty() ? 0 : static_cast<int32_t>(Frames[0].Vertices.size());
    const int32_t frameSize = 40 + 4 * vertexCount;
    const int32_t texOffset = 68;
    const int32_t triOffset = texOffset + 4 * static_cast<int32_t>(TexCoords.size());
    const int32_t frameOffset = triOffset + 12 * static_cast<int32_t>(Triangles.size());
    const int32_t end = frameOffset + frameSize * static_cast<int32_t>(Frames.size());
    std::vector<uint8_t> out;
    out.insert(out.end(), {'I', 'D', 'P', '2'});
    for (int32_t v : {Version, SkinWidth, SkinHeight, frameSize, 0, vertexCount, static_cast<int32_t>(TexCoords.size()),
                      static_cast<int32_t>(Triangles.size()), 0, static_cast<int32_t>(Frames.size()), end, texOffset,
                      triOffset, frameOffset, end, end})
        Put(out, v);
    for (const auto& st : TexCoords) Put(out, st);
    for (const Md2FileTriangle& t : Triangles) Put(out, t);
    for (const Md2FileFrame& f : Frames) {
        Put(out, f.Scale);
        Put(out, f.Translate);
        char name[16] = {};
        std::memcpy(name, f.Name.data(), std::min<size_t>(f.Name.size(), 16));
        Put(out, name);
        for (const auto& v : f.Vertices) Put(out, v);
    }
    return out;
}

int32_t Md2Header(const std::vector<uint8_t>& bytes, Md2Field field) {
    int32_t value;
    std::memcpy(&value, bytes.data() + field, 4);
    return value;
}

void SetMd2Header(std::vector<uint8_t>& bytes, Md2Field field, int32_t value) {
    std::memcpy(bytes.data() + field, &value, 4);
}

std::vector<Md2FileFrame> QuadFrames(const std::string& name, int count) {
    std::vector<Md2FileFrame> frames;
    for (int i = 1; i <= count; ++i) {
        Md2FileFrame f;
        f.Name = name + std::to_string(i);
        const uint8_t x = static_cast<uint8_t>(i);
        f.Vertices = {{x, 0, 0, 5}, {static_cast<uint8_t>(x + 1), 0, 0, 5}, {static_cast<uint8_t>(x + 1), 1, 0, 5},
                      {x, 1, 0, 5}};
        frames.push_back(f);
    }
    return frames;
}

Md2File QuadModel(const std::vector<Md2FileFrame>& frames) {
    Md2File file;
    file.TexCoords = {{0, 0}, {255, 0}, {255, 255}, {0, 255}};
    file.Triangles = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 2, 3}}};
    file.Frames = frames;
    return file;
}

}  // namespace korvath::test
