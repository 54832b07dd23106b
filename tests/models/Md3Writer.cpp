#include "models/Md3Writer.h"

#include <cstring>

#include "models/WriterBytes.h"

namespace korvath::test {

namespace {

std::vector<uint8_t> SurfaceBytes(const Md3FileSurface& s) {
    const auto count = [](const auto& table) { return static_cast<int32_t>(table.size()); };
    const int32_t vertices = s.Frames.empty() ? 0 : count(s.Frames[0]);
    const int32_t shaders = 108, triangles = shaders + 68, texCoords = triangles + 12 * count(s.Triangles);
    const int32_t xyz = texCoords + 8 * count(s.TexCoords), end = xyz + 8 * vertices * count(s.Frames);
    std::vector<uint8_t> out = {'I', 'D', 'P', '3'};
    PutName(out, s.Name, 64);
    for (int32_t v : {0, count(s.Frames), 1, vertices, count(s.Triangles), triangles, shaders, texCoords, xyz, end})
        Put(out, v);
    PutName(out, "\\projects\\exporter\\Material.010", 64);
    Put(out, int32_t{0});
    for (const auto& t : s.Triangles) Put(out, t);
    for (const auto& st : s.TexCoords) Put(out, st);
    for (const auto& frame : s.Frames)
        for (const Md3FileVertex& v : frame) Put(out, v);
    return out;
}

}  // namespace

std::vector<uint8_t> Md3File::Bytes() const {
    const int32_t tagCount = Tags.empty() ? 0 : static_cast<int32_t>(Tags[0].size());
    const int32_t frames = 108, tags = frames + 56 * FrameCount, surfaces = tags + 112 * tagCount * FrameCount;
    std::vector<uint8_t> body;
    for (const Md3FileSurface& s : Surfaces) {
        const std::vector<uint8_t> bytes = SurfaceBytes(s);
        body.insert(body.end(), bytes.begin(), bytes.end());
    }
    std::vector<uint8_t> out = {'I', 'D', 'P', '3'};
    Put(out, Version);
    PutName(out, "written", 64);
    for (int32_t v : {0, FrameCount, tagCount, static_cast<int32_t>(Surfaces.size()), 0, frames, tags, surfaces,
                      surfaces + static_cast<int32_t>(body.size())})
        Put(out, v);
    out.resize(out.size() + 56 * static_cast<size_t>(FrameCount));
    for (const auto& frame : Tags)
        for (const Md3FileTag& tag : frame) {
            PutName(out, tag.Name, 64);
            Put(out, tag.Origin);
            for (const VECTOR3& axis : tag.Axis) Put(out, axis);
        }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

void SetMd3Field(std::vector<uint8_t>& bytes, size_t offset, int32_t value) { SetField(bytes, offset, value); }

size_t Md3SurfaceStart(const std::vector<uint8_t>& bytes, size_t s) {
    int32_t at = 0;
    std::memcpy(&at, bytes.data() + kMd3SurfaceOffset, 4);
    for (size_t i = 0; i < s; ++i) {
        int32_t end = 0;
        std::memcpy(&end, bytes.data() + at + kSurfaceEnd, 4);
        at += end;
    }
    return static_cast<size_t>(at);
}

Md3FileSurface SquareSurface(const std::string& name, int frames, float z) {
    Md3FileSurface s{name, {{0, 1, 2}, {0, 2, 3}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, {}};
    for (int f = 0; f < frames; ++f) {
        const auto at = [&](int x, int y) {
            return Md3FileVertex{static_cast<int16_t>(64 * (x + f)), static_cast<int16_t>(64 * y),
                                 static_cast<int16_t>(64 * z), {0, 0}};
        };
        s.Frames.push_back({at(0, 0), at(1, 0), at(1, 1), at(0, 1)});
    }
    return s;
}

Md3File TwoSquarePart(int frames, const std::vector<std::string>& tags) {
    Md3File file;
    file.FrameCount = frames;
    for (int f = 0; f < frames; ++f) {
        file.Tags.emplace_back();
        for (const std::string& name : tags) file.Tags.back().push_back({name, {0, 0, 10.0f + f}});
    }
    file.Surfaces = {SquareSurface("first", frames), SquareSurface("second", frames, 1)};
    return file;
}

}  // namespace korvath::test
