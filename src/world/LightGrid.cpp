#include "world/LightGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "world/BspLightmaps.h"
#include "world/Level.h"

namespace korvath {

namespace {

constexpr size_t kCellBytes = 8;
constexpr double kTwoPi = 6.283185307179586;

// The "gridsize" value of the first entity block (the worldspawn), when it
// holds three positive numbers.
void ReadGridSize(std::string_view entities, float (&size)[3]) {
    const size_t blockEnd = entities.find('}');
    const size_t key = entities.substr(0, blockEnd).find("\"gridsize\"");
    if (key == std::string_view::npos) return;
    const size_t open = entities.find('"', key + 10);
    const size_t close = open == std::string_view::npos ? open : entities.find('"', open + 1);
    if (close == std::string_view::npos) return;
    const std::string_view value = entities.substr(open + 1, close - open - 1);
    float read[3];
    const char* at = value.data();
    const char* end = value.data() + value.size();
    for (float& number : read) {
        while (at < end && *at == ' ') ++at;
        const auto [next, error] = std::from_chars(at, end, number);
        if (error != std::errc() || !(number >= 1 && number <= 65536)) return;
        at = next;
    }
    std::copy(read, read + 3, size);
}

}  // namespace

LightGrid MakeLightGrid(const Level& level, std::string_view entities) {
    LightGrid grid;
    if (level.Models.empty() || level.LightVolumes.empty()) return grid;
    ReadGridSize(entities, grid.Size);
    const BspModel& world = level.Models[0];
    int64_t points = 1;
    int32_t bounds[3];
    for (int i = 0; i < 3; ++i) {
        const double low = grid.Size[i] * std::ceil(world.Mins[i] / grid.Size[i]);
        const double high = grid.Size[i] * std::floor(world.Maxs[i] / grid.Size[i]);
        const double count = (high - low) / grid.Size[i] + 1;
        if (!(count >= 1 && count <= 65536)) return grid;  // also nan
        grid.Origin[i] = static_cast<float>(low);
        bounds[i] = static_cast<int32_t>(count);
        points *= bounds[i];
    }
    if (static_cast<uint64_t>(points) * kCellBytes != level.LightVolumes.size()) return grid;
    std::copy(bounds, bounds + 3, grid.Bounds);
    grid.Cells = level.LightVolumes.data();
    return grid;
}

bool SampleLightGrid(const LightGrid& grid, const VECTOR3& point, LightSample& sample) {
    if (!grid.Cells || !std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z)) return false;
    // Engine axes (x, y, z) are the file's (x, -z, y).
    const VECTOR3 inFile = ToZUp(point);
    const double file[3] = {inFile.x, inFile.y, inFile.z};
    int32_t cell[3];
    double fraction[3];
    for (int i = 0; i < 3; ++i) {
        // Outside the box the nearest face of points holds.
        const double v = std::clamp((file[i] - grid.Origin[i]) / grid.Size[i], 0.0, grid.Bounds[i] - 1.0);
        const double whole = std::floor(v);
        fraction[i] = v - whole;
        cell[i] = static_cast<int32_t>(whole);
    }
    const size_t step[3] = {kCellBytes, kCellBytes * static_cast<size_t>(grid.Bounds[0]),
                            kCellBytes * static_cast<size_t>(grid.Bounds[0]) * static_cast<size_t>(grid.Bounds[1])};
    double ambient[3] = {}, directed[3] = {}, direction[3] = {}, total = 0;
    for (int corner = 0; corner < 8; ++corner) {
        double weight = 1;
        size_t offset = cell[0] * step[0] + cell[1] * step[1] + cell[2] * step[2];
        bool inside = true;
        for (int i = 0; i < 3; ++i) {
            if (corner & (1 << i)) {
                inside = inside && cell[i] + 1 < grid.Bounds[i];
                weight *= fraction[i];
                offset += step[i];
            } else {
                weight *= 1 - fraction[i];
            }
        }
        if (!inside) continue;
        const uint8_t* c = grid.Cells + offset;
        if (c[0] + c[1] + c[2] == 0) continue;  // inside a wall
        total += weight;
        for (int i = 0; i < 3; ++i) {
            ambient[i] += weight * c[i];
            directed[i] += weight * c[3 + i];
        }
        const double fromZ = c[6] * kTwoPi / 256, aboutZ = c[7] * kTwoPi / 256;
        direction[0] += weight * std::cos(aboutZ) * std::sin(fromZ);
        direction[1] += weight * std::sin(aboutZ) * std::sin(fromZ);
        direction[2] += weight * std::cos(fromZ);
    }
    if (total <= 0) return false;
    // Light in the lightmaps' scale, brightened alike and clamped keeping its hue.
    const auto colour = [total](const double (&sum)[3]) {
        double c[3], top = 1;
        for (int i = 0; i < 3; ++i) top = std::max(top, c[i] = sum[i] / total / 255 * LightBrightness());
        return VECTOR3{static_cast<float>(c[0] / top), static_cast<float>(c[1] / top), static_cast<float>(c[2] / top)};
    };
    sample.Ambient = colour(ambient);
    sample.Directed = colour(directed);
    const double length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    sample.Direction = length > 0 ? VECTOR3{static_cast<float>(direction[0] / length), static_cast<float>(direction[2] / length),
                                            static_cast<float>(-direction[1] / length)}
                                  : VECTOR3{0, 1, 0};
    return true;
}

}  // namespace korvath
