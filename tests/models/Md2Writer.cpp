#include "models/Md2Writer.h"

#include "models/WriterBytes.h"

namespace korvath::test {

std::vector<uint8_t> Md2File::Bytes() const {
    const auto count = [](const auto& table) { return static_cast<int32_t>(table.size()); };
    const int32_t vertices = Frames.empty() ? 0 : count(Frames[0].Vertices);
    const int32_t frameSize = 40 + 4 * vertices, texOffset = 68;
    const int32_t triOffset = texOffset + 4 * count(TexCoords), frameOffset = triOffset + 12 * count(Triangles);
    const int32_t end = frameOffset + frameSize * count(Frames);
    std::vector<uint8_t> out = {'I', 'D', 'P', '2'};
    for (int32_t v : {Version, 256, 256, frameSize, 0, vertices, count(TexCoords), count(Triangles), 0, count(Frames),
                      end, texOffset, triOffset, frameOffset, end, end})
        Put(out, v);
    for (const auto& st : TexCoords) Put(out, st);
    for (const auto& t : Triangles) Put(out, t);
    for (const Md2FileFrame& f : Frames) {
        Put(out, f.Scale);
        Put(out, f.Translate);
        PutName(out, f.Name, 16);
        for (const auto& v : f.Vertices) Put(out, v);
    }
    return out;
}

void SetMd2Header(std::vector<uint8_t>& bytes, Md2Field field, int32_t value) { SetField(bytes, field, value); }

std::vector<Md2FileFrame> QuadFrames(const std::string& name, int count) {
    std::vector<Md2FileFrame> frames;
    for (uint8_t i = 1; i <= count; ++i)
        frames.push_back({name + std::to_string(i), {1, 1, 1}, {}, {{i, 0, 0, 5}, {uint8_t(i + 1), 0, 0, 5},
                                                                    {uint8_t(i + 1), 1, 0, 5}, {i, 1, 0, 5}}});
    return frames;
}

Md2File QuadModel(const std::vector<Md2FileFrame>& frames) {
    return {8, {{0, 0}, {255, 0}, {255, 255}, {0, 255}}, {{0, 1, 2, 0, 1, 2}, {0, 2, 3, 0, 2, 3}}, frames};
}

}  // namespace korvath::test
